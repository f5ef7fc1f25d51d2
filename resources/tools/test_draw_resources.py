#!/usr/bin/env python3
"""Checks the files draw_resources.py writes, as the program will read them.

    python3 -m unittest discover -s resources/tools -p 'test_*.py'
"""

import os
import struct
import subprocess
import sys
import tempfile
import unittest
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
SCRIPT = os.path.join(HERE, 'draw_resources.py')
NAMES = ['Vandrel.ico', 'minimise.bmp', 'close.bmp', 'warning.ico',
         'call.wav', 'wake.wav', 'down.bat']


def generate(out_dir):
    subprocess.run([sys.executable, SCRIPT, out_dir], check=True)


def read_ico(data):
    """Returns (entry fields, info header fields, pixel bytes, mask rows top-down)."""
    reserved, kind, count = struct.unpack_from('<HHH', data, 0)
    assert (reserved, kind, count) == (0, 1, 1)
    entry = struct.unpack_from('<BBBBHHII', data, 6)
    size, offset = entry[6], entry[7]
    assert offset + size == len(data)
    info = struct.unpack_from('<IiiHHIIiiII', data, offset)
    w, h2, bits = info[1], info[2], info[4]
    h = h2 // 2
    palette = 4 * (1 << bits) if bits <= 8 else 0
    stride = ((w * bits + 31) // 32) * 4
    xor_start = offset + 40 + palette
    and_start = xor_start + stride * h
    mask_stride = ((w + 31) // 32) * 4
    mask = []
    for row in range(h):
        raw = data[and_start + row * mask_stride:and_start + (row + 1) * mask_stride]
        mask.append([bool(raw[x // 8] & (0x80 >> (x % 8))) for x in range(w)])
    mask.reverse()
    assert and_start + mask_stride * h == len(data)
    return entry, info, data[xor_start:and_start], mask


def read_bmp(data):
    """Returns (info header fields, top-down rows of (r, g, b))."""
    assert data[:2] == b'BM'
    size, _, _, offset = struct.unpack_from('<IHHI', data, 2)
    assert size == len(data)
    info = struct.unpack_from('<IiiHHIIiiII', data, 14)
    w, h = info[1], info[2]
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in range(h):
        start = offset + (h - 1 - y) * stride      # stored bottom-up
        rows.append([tuple(data[start + 3 * x + i] for i in (2, 1, 0)) for x in range(w)])
    return info, rows


class GeneratedResources(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.dir = cls.tmp.name
        generate(cls.dir)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def read(self, name):
        with open(os.path.join(self.dir, name), 'rb') as f:
            return f.read()

    def test_second_run_is_byte_identical(self):
        with tempfile.TemporaryDirectory() as again:
            generate(again)
            for name in NAMES:
                with open(os.path.join(again, name), 'rb') as f:
                    self.assertEqual(f.read(), self.read(name), name)

    def test_main_icon_is_one_48px_24bit_image_with_a_round_mask(self):
        entry, info, _, mask = read_ico(self.read('Vandrel.ico'))
        self.assertEqual(entry[:6], (48, 48, 0, 0, 1, 24))
        self.assertEqual((info[0], info[1], info[2], info[4], info[5]), (40, 48, 96, 24, 0))
        # corners beside the crown are clear, the face centre and crown are solid
        self.assertTrue(mask[0][0] and mask[47][0] and mask[47][47] and mask[20][2])
        self.assertFalse(mask[27][24] or mask[3][24] or mask[27][5] or mask[45][24])

    def test_main_icon_shows_hand_marks_and_pale_face(self):
        _, _, pixels, mask = read_ico(self.read('Vandrel.ico'))

        def rgb(x, y):
            start = (47 - y) * 144 + 3 * x
            b, g, r = pixels[start:start + 3]
            return r, g, b

        # clear pixels must be black or they would tint whatever lies behind
        self.assertTrue(all(rgb(x, y) == (0, 0, 0)
                            for y in range(48) for x in range(48) if mask[y][x]))
        hub = rgb(23, 27)
        self.assertLess(max(hub), 80)                       # dark hub
        twelve = rgb(23, 16)                                # long mark at 12
        self.assertGreater(twelve[0], 200)
        self.assertLess(twelve[2], 100)                     # orange
        face = rgb(18, 33)                                  # bare dial
        self.assertTrue(min(face) > 190 and face[2] >= face[0])  # pale blue

    def test_warning_icon_is_32px_16_colour_with_clear_background(self):
        entry, info, pixels, mask = read_ico(self.read('warning.ico'))
        self.assertEqual(entry[:6], (32, 32, 16, 0, 1, 4))
        self.assertEqual((info[1], info[2], info[4], info[5]), (32, 64, 4, 0))

        def index(x, y):
            byte = pixels[(31 - y) * 16 + x // 2]
            return byte >> 4 if x % 2 == 0 else byte & 15

        self.assertTrue(mask[0][0] and mask[31][0] and mask[0][31])
        self.assertFalse(mask[15][16])
        self.assertEqual(index(15, 12), 0)                  # black exclamation bar
        self.assertEqual(index(12, 20), 11)                 # yellow body
        self.assertEqual(index(30, 28), 8)                  # grey shadow down-right
        # pixels under a set mask bit must be black or they would invert the backdrop
        self.assertTrue(all(index(x, y) == 0
                            for y in range(32) for x in range(32) if mask[y][x]))

    def check_glyph(self, name, rows_span, cols_span):
        info, rows = read_bmp(self.read(name))
        self.assertEqual((info[1], info[2], info[3], info[4], info[5]), (16, 16, 1, 24, 0))
        key = rows[15][0]
        # the transparent key fills row 15 and appears nowhere else
        for y, row in enumerate(rows):
            for x, c in enumerate(row):
                self.assertEqual(c == key, y == 15, '%s pixel (%d,%d)' % (name, x, y))
        # the background above gets lighter row by row
        column0 = [rows[y][0] for y in range(14)]
        self.assertEqual(column0, sorted(column0))
        self.assertEqual(len(set(column0)), 14)
        # everything that differs from its row's background is the glyph itself
        ys, xs = zip(*[(y, x) for y in range(14) for x in range(16) if rows[y][x] != rows[y][0]])
        self.assertEqual((min(ys), max(ys), min(xs), max(xs)), rows_span + cols_span)
        self.assertEqual(len(set(rows[14])), 1)              # the line in row 14 runs across
        self.assertNotEqual(rows[14][0], rows[13][0])
        top, bottom = rows_span
        return rows, top, bottom

    def test_minimise_glyph(self):
        rows, top, bottom = self.check_glyph('minimise.bmp', (6, 10), (3, 14))
        slate = rows[top][8]
        self.assertEqual(rows[bottom][8], slate)
        self.assertEqual(rows[8][3], slate)
        corner = rows[top][3]
        self.assertNotIn(corner, (slate, rows[top][0]))      # softened corner
        inner = [rows[y][8] for y in (7, 8, 9)]
        self.assertEqual(inner[0], (255, 255, 255))
        self.assertGreater(sum(inner[0]), sum(inner[2]))     # fades downwards

    def test_close_glyph(self):
        rows, top, bottom = self.check_glyph('close.bmp', (3, 12), (4, 14))
        slate = rows[3][5]                                   # outline above the left stroke
        self.assertEqual(rows[12][13], slate)                # and below the right one
        self.assertEqual(rows[4][5], (255, 255, 255))        # top of the left stroke
        self.assertGreater(sum(rows[4][5]), sum(rows[11][5]))
        for y, x in ((7, 9), (8, 9), (11, 13)):              # centre and lower arm are filled grey
            r, g, b = rows[y][x]
            self.assertTrue(r == g == b and r > 190, (y, x))
        self.assertEqual(rows[4][9], rows[4][0])             # sky shows between the upper arms

    def check_wav(self, name, seconds, max_bytes):
        path = os.path.join(self.dir, name)
        self.assertLess(os.path.getsize(path), max_bytes)
        with open(path, 'rb') as f:
            fmt = struct.unpack_from('<HHIIHH', f.read(36), 20)
        self.assertEqual(fmt[0], 1)                           # WAVE_FORMAT_PCM
        with wave.open(path) as w:
            self.assertEqual((w.getnchannels(), w.getsampwidth(), w.getframerate()), (1, 2, 22050))
            n = w.getnframes()
            samples = struct.unpack('<%dh' % n, w.readframes(n))
        self.assertAlmostEqual(n / 22050, seconds, delta=0.1)
        self.assertLess(max(abs(s) for s in samples), 32767)
        self.assertGreater(max(abs(s) for s in samples), 8000)  # audible
        self.assertEqual((samples[0], samples[-1]), (0, 0))     # no click at either end
        return samples

    def test_alarm_sound(self):
        samples = self.check_wav('call.wav', 3.0, 150 * 1024)
        quiet = 100                                           # samples of silence between beeps
        starts = [i for i in range(len(samples))
                  if samples[i] and not any(samples[max(0, i - quiet):i])]
        ends = [i for i in range(len(samples))
                if samples[i] and not any(samples[i + 1:i + 1 + quiet])]
        self.assertEqual((len(starts), len(ends)), (12, 12))   # six beep-beep pairs
        # every beep fades in and out rather than jumping to full level
        for i in starts:
            self.assertLess(max(map(abs, samples[i:i + 10])), 1500)
        for i in ends:
            self.assertLess(max(map(abs, samples[i - 9:i + 1])), 1500)

    def test_reminder_sound(self):
        samples = self.check_wav('wake.wav', 2.0, 100 * 1024)
        first, last = samples[:2205], samples[-2205:]
        self.assertGreater(max(map(abs, first)), 4 * max(map(abs, last)))  # rings out

    def test_shutdown_script(self):
        data = self.read('down.bat')
        bare = data.replace(b'\r\n', b'')
        self.assertFalse(b'\r' in bare or b'\n' in bare)        # CRLF only
        self.assertTrue(data.endswith(b'\r\n'))
        with self.assertRaises(UnicodeDecodeError):
            data.decode('utf-8')                              # the Chinese is code page 936
        lines = data.decode('gbk').split('\r\n')[:-1]
        self.assertLessEqual(len(lines), 6)
        self.assertEqual((lines[0], lines[-1]), ('@echo off', 'shutdown /s /t 60'))
        self.assertTrue(any(l.startswith('echo ') and 'shutdown /a' in l for l in lines))

if __name__ == '__main__':
    unittest.main()
