// The second yardstick of scripts/measure-idle.sh: the floor's clock (bench/idle/floor.cpp: the
// same topmost, translucent black 226×24 popup at the top-right corner of the work area, the
// same text in 宋体, 16 px, bold, white) woken only when there is something to show. One timer,
// due just after the next whole second of the local clock and set again at each tick, so the
// program sleeps between seconds. What the strip at rest costs is set against it in wake-ups,
// idle CPU and how soon after its second each new text reaches the display.
#include <windows.h>

namespace {

constexpr UINT_PTR kSecondTimer = 1;
constexpr int kWidth = 226, kHeight = 24;
// Past the second's start, so that the tick reads the new second and not the end of the old
// one; a tick that still comes early only sets the timer again for what is left.
constexpr UINT kMarginMs = 2;

HFONT clockFont;
wchar_t clockText[32];
WORD shownSecond = 0xFFFF;

// Reads the local time, repaints when its second differs from the one shown, and sets the one
// timer for just after the next second begins.
void SecondTick(HWND window) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    if (now.wSecond != shownSecond) {
        shownSecond = now.wSecond;
        wsprintfW(clockText, L"%d/%d/%d %02d:%02d:%02d", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
                  now.wSecond);
        InvalidateRect(window, nullptr, FALSE);
    }
    SetTimer(window, kSecondTimer, 1000 - now.wMilliseconds + kMarginMs, nullptr);
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HGDIOBJ previous = SelectObject(dc, clockFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutW(dc, 7, 4, clockText, lstrlenW(clockText));
    SelectObject(dc, previous);
    EndPaint(window, &paint);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER: SecondTick(window); return 0;
    case WM_PAINT: Paint(window); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"IdleSecondClock";
    RegisterClassW(&windowClass);
    clockFont = CreateFontW(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体");
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"IdleSecondClock",
                                  L"IdleSecondClock", WS_POPUP, workArea.right - kWidth, workArea.top, kWidth, kHeight,
                                  nullptr, nullptr, instance, nullptr);
    SetLayeredWindowAttributes(window, 0, 180, LWA_ALPHA);
    SecondTick(window);
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
