// The yardstick for the strip's idle cost: a bare Win32 program with the same three timers
// (10 ms, 1000 ms, 1 ms) on a hidden window, doing nothing when they fire.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"IdleBaseline";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"IdleBaseline", L"IdleBaseline", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                instance, nullptr);
    SetTimer(window, 1, 10, nullptr);
    SetTimer(window, 2, 1000, nullptr);
    SetTimer(window, 3, 1, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
