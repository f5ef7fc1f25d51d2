// What the dialogs share in their look: the 宋体 fonts of their labels, radio buttons and
// buttons, and the place of a label, which sizes itself to its text.
#pragma once

#include <windows.h>

#include "toolkit/Dpi.h"

inline const tk::FontSpec kSongTi12{L"宋体", 12, false, GB2312_CHARSET};
inline const tk::FontSpec kSongTi14{L"宋体", 14, false, GB2312_CHARSET};

// A label's place: only its left and top count.
constexpr tk::Bounds LabelAt(int left, int top) { return {left, top, 0, 0}; }
