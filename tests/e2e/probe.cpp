// Looks at the desktop from outside the program, for the end-to-end scripts. Run under the same
// Wine prefix as the program.
//   probe               one line per visible top-level window:
//                       "class|title|left,top,width,height|client-left,client-top|text",
//                       where text is the message of a message box
//   probe close CLASS   asks the first window of that class to close as its taskbar entry does
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length > 0 ? length - 1 : 0), '\0');
    if (length > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), length, nullptr, nullptr);
    return result;
}

BOOL CALLBACK PrintWindow(HWND window, LPARAM) {
    if (!IsWindowVisible(window))
        return TRUE;
    wchar_t className[64]{}, title[256]{}, text[512]{};
    GetClassNameW(window, className, 64);
    GetWindowTextW(window, title, 256);
    if (HWND message = GetDlgItem(window, 0xFFFF)) // the text of a message box
        GetWindowTextW(message, text, 512);
    RECT bounds{};
    GetWindowRect(window, &bounds);
    POINT client{};
    ClientToScreen(window, &client);
    std::printf("%s|%s|%ld,%ld,%ld,%ld|%ld,%ld|%s\n", Utf8(className).c_str(), Utf8(title).c_str(), bounds.left,
                bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, client.x, client.y,
                Utf8(text).c_str());
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == L"close") {
        HWND window = FindWindowW(argv[2], nullptr);
        return window && PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
    }
    EnumWindows(&PrintWindow, 0);
    return 0;
}
