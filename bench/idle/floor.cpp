// The yardstick for what the clock strip costs: the least a program must do to show what the
// strip shows at rest. A topmost, translucent black 226×24 popup at the top-right corner of the
// work area, with the strip's three timers (10 ms, 1000 ms, 1 ms), that repaints the local time
// once a second in the strip's font (宋体, 16 px, bold, white). scripts/measure-idle.sh sets the
// strip's memory, idle CPU and start-up against it; it serves for the start-up too, because it
// shows a clock from its first frame, which is what the strip must do before it is on screen.
#include <windows.h>

namespace {

constexpr UINT_PTR kClockTimer = 1, kCountdownTimer = 2, kTimeOfDayTimer = 3;
constexpr int kWidth = 226, kHeight = 24;

HFONT clockFont;
wchar_t clockText[32];
long long shownSecond = -1;

// Like the strip: a cheap look at the system clock every 10 ms, the local time only when the
// second has changed, and a repaint then.
void ClockTick(HWND window) {
    FILETIME utc;
    GetSystemTimeAsFileTime(&utc);
    const long long second = ((static_cast<long long>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime) / 10'000'000;
    if (second == shownSecond)
        return;
    shownSecond = second;
    SYSTEMTIME now;
    GetLocalTime(&now);
    wsprintfW(clockText, L"%d/%d/%d %02d:%02d:%02d", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
              now.wSecond);
    InvalidateRect(window, nullptr, FALSE);
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
    case WM_TIMER:
        if (wParam == kClockTimer)
            ClockTick(window);
        return 0; // the countdown and time-of-day ticks find nothing armed
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
    windowClass.lpszClassName = L"IdleFloor";
    RegisterClassW(&windowClass);
    clockFont = CreateFontW(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体");
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"IdleFloor", L"IdleFloor",
                                  WS_POPUP, workArea.right - kWidth, workArea.top, kWidth, kHeight, nullptr, nullptr,
                                  instance, nullptr);
    SetLayeredWindowAttributes(window, 0, 180, LWA_ALPHA);
    SetTimer(window, kClockTimer, 10, nullptr);
    SetTimer(window, kCountdownTimer, 1000, nullptr);
    SetTimer(window, kTimeOfDayTimer, 1, nullptr);
    ClockTick(window);
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
