#include "toolkit/Dpi.h"

#include "toolkit/SystemLibraries.h"

namespace tk {

// The per-window and per-system queries are newer than the oldest systems the program runs on:
// looked up, so that those fall back to the screen's device resolution.

int ScreenDpi() {
    static const auto getDpiForSystem = LoadedFunction<UINT(WINAPI*)()>(L"user32.dll", "GetDpiForSystem");
    if (getDpiForSystem)
        return static_cast<int>(getDpiForSystem());
    ScreenDc screen;
    return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

int (*WindowDpi)(HWND) = [](HWND window) {
    static const auto getDpiForWindow = LoadedFunction<UINT(WINAPI*)(HWND)>(L"user32.dll", "GetDpiForWindow");
    const UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
    return dpi != 0 ? static_cast<int>(dpi) : ScreenDpi();
};

RECT ScaleBounds(const Bounds& b, int dpi) {
    return {ScaleToDpi(b.Left, dpi), ScaleToDpi(b.Top, dpi), ScaleToDpi(b.Left + b.Width, dpi),
            ScaleToDpi(b.Top + b.Height, dpi)};
}

OwnedFont CreateFontFor(const FontSpec& font, int dpi) {
    return OwnedFont(CreateFontW(-ScaleToDpi(font.Height, dpi), 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, FALSE,
                                 FALSE, FALSE, font.Charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, font.Face));
}

COLORREF TextColorOf(const FontSpec& font) {
    return font.Color == CLR_INVALID ? GetSysColor(COLOR_WINDOWTEXT) : font.Color;
}

} // namespace tk
