#include "platform/Shell.h"

#include <objbase.h>
#include <shellapi.h>

#include "toolkit/Handles.h"
#include "toolkit/SystemLibraries.h"
#include "toolkit/Text.h"

namespace {

constinit tk::SystemFunction<decltype(ShellExecuteW)> shellExecute{L"shell32.dll", "ShellExecuteW"};
constinit tk::SystemFunction<decltype(ShellExecuteExW)> shellExecuteEx{L"shell32.dll", "ShellExecuteExW"};
constinit tk::SystemFunction<decltype(GetOpenFileNameW)> getOpenFileName{L"comdlg32.dll", "GetOpenFileNameW"};
constinit tk::SystemFunction<decltype(CoInitializeEx)> coInitializeEx{L"ole32.dll", "CoInitializeEx"};
constinit tk::SystemFunction<decltype(CoUninitialize)> coUninitialize{L"ole32.dll", "CoUninitialize"};

// The shell hands some items to COM objects, and the open-file dialog browses the shell's
// namespace: both want a single-threaded apartment on the calling thread. It is entered at the
// first use of either, not at start, and left as the program ends.
class ShellApartment {
public:
    ShellApartment()
        : leave_(coUninitialize.Get()), // looked up first, so that leaving cannot fail
          entered_(SUCCEEDED(coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ShellApartment() {
        if (entered_)
            leave_();
    }
    ShellApartment(const ShellApartment&) = delete;
    ShellApartment& operator=(const ShellApartment&) = delete;

private:
    decltype(CoUninitialize)* leave_;
    bool entered_; // false when the thread already had another kind of apartment
};

// Raises tk::ELibraryLoadError, and enters nothing, when COM cannot be loaded; a later use tries again.
void EnterShellApartment() { static ShellApartment apartment; }

} // namespace

bool FileIsPresent(const std::string& path) noexcept {
    try {
        if (path.find_first_of("*?") != std::string::npos)
            return false;
        WIN32_FIND_DATAW found{};
        const tk::OwnedFind search = tk::FindFirst(tk::Widen(path), found);
        return search && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    } catch (...) {
        return false; // out of memory while converting: nothing can be looked for
    }
}

void ShellOpen(HWND owner, const std::string& item) {
    auto* const execute = shellExecute.Get();
    EnterShellApartment();
    try {
        execute(owner, nullptr, tk::Widen(item).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    } catch (...) {
    }
}

std::function<BOOL(SHELLEXECUTEINFOW&)> ShellExecuteRequest = [](SHELLEXECUTEINFOW& request) {
    return shellExecuteEx(&request);
};

void ShellOpenUnattended(const std::string& script) {
    shellExecuteEx.Get(); // raises, as ShellOpen does, when the shell cannot be loaded
    EnterShellApartment();
    try {
        const std::wstring file = tk::Widen(script);
        SHELLEXECUTEINFOW request{sizeof request};
        request.fMask = SEE_MASK_NOZONECHECKS;
        request.lpFile = file.c_str();
        request.nShow = SW_SHOWNORMAL;
        ShellExecuteRequest(request);
    } catch (...) {
    }
}

BOOL ShowOpenFileDialog(OPENFILENAMEW& request) {
    auto* const show = getOpenFileName.Get();
    EnterShellApartment();
    return show(&request);
}

void PrepareOpenFileDialog() noexcept {
    try {
        getOpenFileName.Get();
        EnterShellApartment();
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
