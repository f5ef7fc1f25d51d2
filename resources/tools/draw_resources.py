#!/usr/bin/env python3
"""Draws Vandrel's icons, title-bar glyphs and sounds, and writes its shutdown script.

Every file is computed here with the Python standard library only, so the
committed files in resources/ can be rebuilt byte for byte:

    python3 resources/tools/draw_resources.py [output-directory]

Without an argument the files go into the resources/ folder above this script.
"""

import math
import os
import struct
import sys
import wave

SAMPLE_RATE = 22050

# --------------------------------------------------------------------------
# Colour helpers
# --------------------------------------------------------------------------


def mix(a, b, t):
    """Linear blend of two RGB tuples; t = 0 gives a, t = 1 gives b."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


# --------------------------------------------------------------------------
# File writers (little-endian Windows formats)
# --------------------------------------------------------------------------


def bmp_bytes(pixels):
    """24-bit bottom-up BI_RGB BMP from top-down rows of (r, g, b)."""
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):
        for r, g, b in row:
            body += bytes((b, g, r))
        body += bytes(stride - width * 3)
    file_header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(body), 0, 0, 14 + 40)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(body),
                       2835, 2835, 0, 0)
    return file_header + info + bytes(body)


def and_mask_bytes(transparent):
    """1-bit AND mask, bottom-up, rows padded to 32 bits; 1 = see-through."""
    width = len(transparent[0])
    stride = ((width + 31) // 32) * 4
    out = bytearray()
    for row in reversed(transparent):
        bits = bytearray(stride)
        for x, clear in enumerate(row):
            if clear:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bits
    return bytes(out)


def ico_bytes(width, height, bit_count, palette, xor_bits, and_bits):
    """Single-image .ico holding a DIB with its colour (XOR) and AND masks."""
    colour_count = len(palette) if bit_count < 8 else 0
    quads = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    info = struct.pack('<IiiHHIIiiII', 40, width, height * 2, 1, bit_count, 0,
                       len(xor_bits) + len(and_bits), 0, 0, 0, 0)
    image = info + quads + xor_bits + and_bits
    header = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', width, height, colour_count, 0, 1, bit_count,
                        len(image), 6 + 16)
    return header + entry + image


def wav_write(path, samples):
    """Mono 16-bit PCM at SAMPLE_RATE from floats in [-1, 1]."""
    frames = b''.join(struct.pack('<h', int(round(s * 32767))) for s in samples)
    with wave.open(path, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(SAMPLE_RATE)
        w.writeframes(frames)


# --------------------------------------------------------------------------
# Signed distances (negative inside) used by the supersampled drawings
# --------------------------------------------------------------------------


def sd_circle(x, y, cx, cy, r):
    return math.hypot(x - cx, y - cy) - r


def sd_round_box(x, y, cx, cy, hw, hh, radius):
    qx = abs(x - cx) - hw + radius
    qy = abs(y - cy) - hh + radius
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def sd_segment(x, y, ax, ay, bx, by, radius):
    dx, dy = bx - ax, by - ay
    t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
    t = min(1.0, max(0.0, t))
    return math.hypot(x - ax - t * dx, y - ay - t * dy) - radius


def sd_polygon(x, y, pts):
    """Signed distance to a simple polygon (even-odd inside test)."""
    best = float('inf')
    inside = False
    n = len(pts)
    for i in range(n):
        ax, ay = pts[i]
        bx, by = pts[(i + 1) % n]
        best = min(best, sd_segment(x, y, ax, ay, bx, by, 0.0))
        if (ay > y) != (by > y):
            cross_x = ax + (y - ay) * (bx - ax) / (by - ay)
            if x < cross_x:
                inside = not inside
    return -best if inside else best


# --------------------------------------------------------------------------
# Vandrel.ico: the stopwatch
# --------------------------------------------------------------------------

WATCH_SIZE = 48
WATCH_CX, WATCH_CY = 24.0, 27.5       # face centre; the crown sits above it
WATCH_R = 19.5                        # outer edge of the case
OUTLINE_W = 1.4                       # dark rim that keeps the edge crisp on any backdrop
FACE_R = 15.0                         # pale dial inside the bezel
HAND_ANGLE = 60.0                     # degrees clockwise from 12: about 2 o'clock

NAVY = (30, 52, 88)
BEZEL_LIGHT = (178, 216, 245)
BEZEL_DARK = (106, 158, 207)
DIAL_EDGE = (92, 140, 190)
FACE_TOP = (242, 249, 255)
FACE_BOTTOM = (210, 230, 248)
MARK_ORANGE = (244, 128, 24)
HAND_DARK = (34, 40, 58)


def _radial(angle_deg):
    a = math.radians(angle_deg)
    return math.sin(a), -math.cos(a)


def _mark_dist(x, y):
    """Distance to the nearest hour mark (rounded radial strokes)."""
    best = float('inf')
    for hour in range(12):
        ux, uy = _radial(hour * 30.0)
        major = hour % 3 == 0
        half = 1.15 if major else 0.8
        inner = 8.7 if major else 10.7
        outer = 13.6
        best = min(best, sd_segment(
            x, y,
            WATCH_CX + ux * (inner + half), WATCH_CY + uy * (inner + half),
            WATCH_CX + ux * (outer - half), WATCH_CY + uy * (outer - half), half))
    return best


def _hand_polygon():
    ux, uy = _radial(HAND_ANGLE)
    px, py = -uy, ux                   # perpendicular
    def at(along, across):
        return (WATCH_CX + ux * along + px * across, WATCH_CY + uy * along + py * across)
    return [at(10.4, 0.3), at(10.4, -0.3), at(1.5, -1.8), at(-3.4, -1.1), at(-3.4, 1.1), at(1.5, 1.8)]


HAND = _hand_polygon()


def _crown_dist(x, y):
    stem = sd_round_box(x, y, WATCH_CX, 7.0, 2.2, 3.0, 0.5)
    cap = sd_round_box(x, y, WATCH_CX, 3.4, 5.0, 2.4, 1.4)
    return min(stem, cap)


def stopwatch_sample(x, y):
    """Colour of the stopwatch at a point, or None outside its silhouette."""
    d_case = sd_circle(x, y, WATCH_CX, WATCH_CY, WATCH_R)
    d_all = min(d_case, _crown_dist(x, y))
    if d_all > 0.0:
        return None
    if d_all > -OUTLINE_W:
        return NAVY
    # light from the top-left on the metal parts
    shade = 0.5 - 0.5 * ((x - WATCH_CX) * 0.6 + (y - WATCH_CY) * 0.8) / WATCH_R
    shade = min(1.0, max(0.0, shade))
    if d_case > -OUTLINE_W:               # inside the crown, above the case
        return mix(BEZEL_DARK, BEZEL_LIGHT, min(1.0, shade + 0.15))
    r = math.hypot(x - WATCH_CX, y - WATCH_CY)
    if r > FACE_R + 0.8:
        return mix(BEZEL_DARK, BEZEL_LIGHT, shade)
    if r > FACE_R:
        return DIAL_EDGE
    if sd_circle(x, y, WATCH_CX, WATCH_CY, 2.5) <= 0.0 or sd_polygon(x, y, HAND) <= 0.0:
        return HAND_DARK
    if _mark_dist(x, y) <= 0.0:
        return MARK_ORANGE
    t = (y - (WATCH_CY - FACE_R)) / (2 * FACE_R)
    return mix(FACE_TOP, FACE_BOTTOM, t)


def draw_stopwatch(samples_per_axis=8):
    """Supersampled 48x48 image plus a mask of pixels left see-through.

    The icon has no alpha channel, so each pixel is either opaque or clear;
    the colour of a partly covered edge pixel averages only its covered
    samples, which keeps the silhouette crisp against any taskbar colour
    while inner edges (hand, marks) are smoothed against the dial."""
    n = samples_per_axis
    pixels, clear = [], []
    for py in range(WATCH_SIZE):
        row, mrow = [], []
        for px in range(WATCH_SIZE):
            acc = [0, 0, 0]
            hits = 0
            for sy in range(n):
                for sx in range(n):
                    c = stopwatch_sample(px + (sx + 0.5) / n, py + (sy + 0.5) / n)
                    if c is not None:
                        hits += 1
                        acc[0] += c[0]
                        acc[1] += c[1]
                        acc[2] += c[2]
            if hits * 2 >= n * n:
                row.append(tuple(int(round(v / hits)) for v in acc))
                mrow.append(False)
            else:
                row.append((0, 0, 0))     # black under a set mask bit draws nothing
                mrow.append(True)
        pixels.append(row)
        clear.append(mrow)
    return pixels, clear


def stopwatch_ico():
    pixels, clear = draw_stopwatch()
    xor = bytearray()
    for row in reversed(pixels):
        for r, g, b in row:
            xor += bytes((b, g, r))        # 48 * 3 bytes is already 4-byte aligned
    return ico_bytes(WATCH_SIZE, WATCH_SIZE, 24, [], bytes(xor), and_mask_bytes(clear))


# --------------------------------------------------------------------------
# minimise.bmp / close.bmp: 16x16 title-bar glyphs
# --------------------------------------------------------------------------
# The button paints these with the bottom-left pixel's colour as the
# transparent key. Row 15 holds the only pixels of that colour, so the whole
# bottom row drops out and everything above it is drawn.

GLYPH = 16
SKY_TOP = (168, 208, 240)
SKY_BOTTOM = (226, 242, 253)
SLATE = (47, 79, 79)
TEAL_LINE = (92, 138, 144)
GLYPH_WHITE = (255, 255, 255)
GLYPH_GREY = (206, 206, 206)

# Cells of the close cross, 9 wide by 8 high; the outline adds one pixel all round.
CROSS = [
    "##.....##",
    ".##...##.",
    "..##.##..",
    "...###...",
    "...###...",
    "..##.##..",
    ".##...##.",
    "##.....##",
]


def sky(row):
    return mix(SKY_TOP, SKY_BOTTOM, row / (GLYPH - 1))


def glyph_background(with_line=True):
    pixels = [[sky(y)] * GLYPH for y in range(GLYPH)]
    if with_line:
        pixels[GLYPH - 2] = [TEAL_LINE] * GLYPH
    return pixels


def stamp_outlined(pixels, fill_cells):
    """Paints a set of (row, col) cells white-to-grey from top to bottom,
    outlines them in slate on the four sides, and puts a half-tone where the
    outline only touches diagonally so corners come out soft."""
    fill = set(fill_cells)
    top = min(r for r, _ in fill)
    bottom = max(r for r, _ in fill)
    for r, c in fill:
        t = (r - top) / max(1, bottom - top)
        pixels[r][c] = mix(GLYPH_WHITE, GLYPH_GREY, t)
    edge, soft = set(), set()
    for r, c in fill:
        for dr in (-1, 0, 1):
            for dc in (-1, 0, 1):
                cell = (r + dr, c + dc)
                if cell in fill:
                    continue
                (edge if dr == 0 or dc == 0 else soft).add(cell)
    for r, c in edge:
        pixels[r][c] = SLATE
    for r, c in soft - edge:
        pixels[r][c] = mix(SLATE, pixels[r][c], 0.5)


def minimise_glyph():
    pixels = glyph_background()
    # bar rows 6..10, cols 3..14 including its outline
    stamp_outlined(pixels, [(r, c) for r in range(7, 10) for c in range(4, 14)])
    return pixels


def close_glyph():
    pixels = glyph_background()
    # cross rows 3..12, cols 4..14 including its outline
    cells = [(4 + r, 5 + c) for r, line in enumerate(CROSS)
             for c, ch in enumerate(line) if ch == '#']
    stamp_outlined(pixels, cells)
    return pixels


def check_key_colour(pixels, name):
    key = pixels[GLYPH - 1][0]
    for y, row in enumerate(pixels):
        for x, c in enumerate(row):
            if (c == key) != (y == GLYPH - 1):
                raise AssertionError('%s: pixel (%d,%d) breaks the transparent key' % (name, x, y))


# --------------------------------------------------------------------------
# warning.ico: 32x32 in the 16-colour VGA palette
# --------------------------------------------------------------------------

VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, GREY, YELLOW = 0, 8, 11

TRIANGLE = [(16.0, 1.0), (30.5, 28.5), (1.5, 28.5)]
CORNER_ROUNDING = 1.8
# the shadow is the shape slid down-right, swept so that its edge has no gaps
SHADOW_STEPS = ((1, 1), (2, 1), (2, 2))


def _rounded_triangle():
    """Vertices pulled towards the incentre so that offsetting by the corner
    radius gives back the original edges with rounded corners."""
    (ax, ay), (bx, by), (cx, cy) = TRIANGLE
    a = math.hypot(bx - cx, by - cy)
    b = math.hypot(ax - cx, ay - cy)
    c = math.hypot(ax - bx, ay - by)
    per = a + b + c
    ix, iy = (a * ax + b * bx + c * cx) / per, (a * ay + b * by + c * cy) / per
    area = abs((bx - ax) * (cy - ay) - (cx - ax) * (by - ay)) / 2
    inradius = 2 * area / per
    k = (inradius - CORNER_ROUNDING) / inradius
    return [(ix + (x - ix) * k, iy + (y - iy) * k) for x, y in TRIANGLE]


def draw_warning():
    core = _rounded_triangle()
    size = 32

    def inside(x, y):
        return sd_polygon(x + 0.5, y + 0.5, core) <= CORNER_ROUNDING

    shape = [[inside(x, y) for x in range(size)] for y in range(size)]
    idx = [[None] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            if shape[y][x]:
                border = any(not (0 <= x + dx < size and 0 <= y + dy < size and shape[y + dy][x + dx])
                             for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                idx[y][x] = BLACK if border else YELLOW
            elif any(shape[y - dy][x - dx] for dx, dy in SHADOW_STEPS):
                idx[y][x] = GREY
    # the exclamation mark: a bar narrowing at its foot, then a dot
    for y in range(11, 21):
        cols = range(14, 18) if y < 18 else range(15, 17)
        for x in cols:
            idx[y][x] = BLACK
    for y in range(23, 26):
        for x in range(14, 18):
            if not ((y in (23, 25)) and x in (14, 17)):
                idx[y][x] = BLACK
    return idx


def warning_ico():
    idx = draw_warning()
    xor = bytearray()
    for row in reversed(idx):
        for x in range(0, 32, 2):
            hi = row[x] or 0
            lo = row[x + 1] or 0
            xor.append((hi << 4) | lo)
    clear = [[v is None for v in row] for row in idx]
    return ico_bytes(32, 32, 4, VGA, bytes(xor), and_mask_bytes(clear))


# --------------------------------------------------------------------------
# Sounds
# --------------------------------------------------------------------------


def _envelope(i, length, fade):
    """Raised-cosine fade in and out over `fade` samples so beeps start and
    stop at zero and never click."""
    if i < fade:
        return 0.5 - 0.5 * math.cos(math.pi * i / fade)
    if i >= length - fade:
        return 0.5 - 0.5 * math.cos(math.pi * (length - 1 - i) / fade)
    return 1.0


def alarm_samples():
    """Six bursts of a high-low 'beep-beep' over three seconds."""
    rate = SAMPLE_RATE
    beep = int(0.12 * rate)
    gap = int(0.04 * rate)
    cycle = int(0.5 * rate)
    fade = int(0.006 * rate)
    out = [0.0] * (6 * cycle)
    for n in range(6):
        start = n * cycle
        for k, freq in enumerate((880.0, 1320.0)):
            base = start + k * (beep + gap)
            for i in range(beep):
                ph = 2 * math.pi * freq * i / rate
                # a touch of third harmonic gives the tone an edge that carries
                v = math.sin(ph) + 0.22 * math.sin(3 * ph)
                out[base + i] = 0.8 * v * _envelope(i, beep, fade)
    return out


def chime_samples():
    """Three soft descending bell strikes that ring out within two seconds."""
    rate = SAMPLE_RATE
    total = 2 * rate
    out = [0.0] * total
    # bell partials: (ratio to the fundamental, level, decay time in seconds)
    partials = ((1.0, 1.0, 0.55), (2.0, 0.35, 0.3), (2.76, 0.18, 0.18), (5.4, 0.06, 0.08))
    strikes = ((0.0, 1046.5), (0.32, 783.99), (0.64, 659.26))
    attack = int(0.004 * rate)
    for t0, f0 in strikes:
        start = int(t0 * rate)
        for i in range(total - start):
            t = i / rate
            v = 0.0
            for ratio, level, tau in partials:
                v += level * math.exp(-t / tau) * math.sin(2 * math.pi * f0 * ratio * t)
            if i < attack:
                v *= i / attack
            out[start + i] += v
    peak = max(abs(s) for s in out)
    scale = 0.5 / peak
    tail = int(0.05 * rate)
    for i in range(total):
        g = scale
        if i >= total - tail:
            g *= (total - 1 - i) / tail    # the last strike is silent before the file ends
        out[i] *= g
    return out


# --------------------------------------------------------------------------
# down.bat
# --------------------------------------------------------------------------

BAT_LINES = [
    '@echo off',
    'rem 本脚本由 Vandrel 在定时关机时间到达时运行。',
    'echo 计算机将在 60 秒后关机，如需取消请运行 shutdown /a',
    'shutdown /s /t 60',
]


def shutdown_bat():
    # cmd.exe on the target machines reads batch files in code page 936
    data = ('\r\n'.join(BAT_LINES) + '\r\n').encode('gbk')
    # a double-byte character whose trail byte looked like a cmd operator
    # would be split by the parser, so refuse such wording here
    for line in BAT_LINES:
        raw = line.encode('gbk')
        i = 0
        while i < len(raw):
            if raw[i] >= 0x81:
                if raw[i + 1] in b'|&<>^%"':
                    raise AssertionError('GBK trail byte of %r is a cmd operator' % line)
                i += 2
            else:
                i += 1
    return data


# --------------------------------------------------------------------------


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = argv[1] if len(argv) > 1 else os.path.dirname(here)
    os.makedirs(out_dir, exist_ok=True)

    def put(name, data):
        with open(os.path.join(out_dir, name), 'wb') as f:
            f.write(data)

    put('Vandrel.ico', stopwatch_ico())
    for name, pixels in (('minimise.bmp', minimise_glyph()), ('close.bmp', close_glyph())):
        check_key_colour(pixels, name)
        put(name, bmp_bytes(pixels))
    put('warning.ico', warning_ico())
    wav_write(os.path.join(out_dir, 'call.wav'), alarm_samples())
    wav_write(os.path.join(out_dir, 'wake.wav'), chime_samples())
    put('down.bat', shutdown_bat())
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
