#include "platform/Shell.h"

#include <shellapi.h>

#include "toolkit/Text.h"

bool FileIsPresent(const std::string& path) noexcept {
    try {
        if (path.find_first_of("*?") != std::string::npos)
            return false;
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW(tk::Widen(path).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return false;
        FindClose(search);
        return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    } catch (...) {
        return false; // out of memory while converting: nothing can be looked for
    }
}

void ShellOpen(HWND owner, const std::string& item) noexcept {
    try {
        ShellExecuteW(owner, nullptr, tk::Widen(item).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    } catch (...) {
    }
}

std::wstring LaunchCommandLine(std::wstring_view text, bool wholeTextIsAFile) {
    // A file name cannot hold a double quote, so quoting the whole path is enough.
    if (wholeTextIsAFile && text.find(L'"') == std::wstring_view::npos)
        return L"\"" + std::wstring(text) + L"\"";
    return std::wstring(text);
}

void StartProgram(const std::string& commandLine) noexcept {
    try {
        std::wstring line = LaunchCommandLine(tk::Widen(commandLine), FileIsPresent(commandLine));
        STARTUPINFOW startup{sizeof startup};
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process{};
        // The platform may write into the command line, so it gets a buffer of its own. The
        // program is not waited for: the countdowns keep running meanwhile.
        if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                           &process)) {
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
    } catch (...) {
    }
}

void ShowMessage(const std::string& caption, const std::string& text, UINT iconType) noexcept {
    try {
        // Only the icon is taken from the type: task-modal or topmost bits would disable or
        // cover the program's windows.
        MessageBoxW(nullptr, tk::Widen(text).c_str(), tk::Widen(caption).c_str(), MB_OK | (iconType & MB_ICONMASK));
    } catch (...) {
    }
}
