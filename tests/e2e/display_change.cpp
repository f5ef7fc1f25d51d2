// Moves the running program's strip and then tells it that the screens changed, as the system
// does when a monitor is unplugged or the resolution changes. Run under the same prefix as the
// program, for the end-to-end scripts.
//   display_change LEFT TOP   prints four lines:
//                             "moved L,T,W,H"  the strip's bounds once moved there
//                             "still L,T,W,H"  its bounds half a second later, no message sent
//                             "after L,T,W,H"  its bounds once WM_DISPLAYCHANGE was handled
//                             "work L,T,R,B"   the primary work area
// Exits 1 when there is no strip or it does not answer.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

void Print(const char* what, HWND strip) {
    RECT bounds{};
    GetWindowRect(strip, &bounds);
    std::printf("%s %ld,%ld,%ld,%ld\n", what, bounds.left, bounds.top, bounds.right - bounds.left,
                bounds.bottom - bounds.top);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3)
        return 2;
    HWND strip = FindWindowW(L"TkForm", L"Form1");
    if (!strip)
        return 1;
    const int left = _wtoi(argv[1]), top = _wtoi(argv[2]);
    SetWindowPos(strip, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Print("moved", strip);
    Sleep(500); // the strip's timers tick meanwhile: none of them may move it back
    Print("still", strip);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(strip, WM_DISPLAYCHANGE, 32, MAKELPARAM(width, height), SMTO_ABORTIFHUNG, 10000,
                             &answer))
        return 1;
    Print("after", strip);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    std::printf("work %ld,%ld,%ld,%ld\n", work.left, work.top, work.right, work.bottom);
    return 0;
}
