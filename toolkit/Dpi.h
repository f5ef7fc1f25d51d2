// Layouts are written at 96 dpi; this is the one place where bounds and fonts become the pixels
// of the screen a window is on.
#pragma once

#include <windows.h>

#include "toolkit/Handles.h"

namespace tk {

struct Bounds {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

struct FontSpec {
    const wchar_t* Face = L"MS Sans Serif";
    int Height = 11; // character height in pixels at 96 dpi
    bool Bold = false;
    BYTE Charset = DEFAULT_CHARSET;
    COLORREF Color = CLR_INVALID; // CLR_INVALID: the window-text colour
};

// The system's resolution, fixed at sign-in.
int ScreenDpi();
// The resolution of the monitor a window is on (the system's where the platform cannot tell);
// replaceable so that tests can put a window on a monitor of another resolution.
extern int (*WindowDpi)(HWND window);

inline int ScaleToDpi(int value, int dpi) { return MulDiv(value, dpi, 96); }
// 96-dpi bounds as a rectangle of pixels at `dpi`.
RECT ScaleBounds(const Bounds& bounds, int dpi);

OwnedFont CreateFontFor(const FontSpec& font, int dpi);
COLORREF TextColorOf(const FontSpec& font);

} // namespace tk
