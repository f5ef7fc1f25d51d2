#include "platform/Shell.h"

#include <shellapi.h>

#include <memory>
#include <optional>

#include "core/CommandLine.h"
#include "toolkit/Com.h"
#include "toolkit/Handles.h"
#include "toolkit/SystemLibraries.h"
#include "toolkit/Text.h"

namespace {

constinit tk::SystemFunction<decltype(ShellExecuteW)> shellExecute{L"shell32.dll", "ShellExecuteW"};
constinit tk::SystemFunction<decltype(ShellExecuteExW)> shellExecuteEx{L"shell32.dll", "ShellExecuteExW"};
constinit tk::SystemFunction<decltype(GetOpenFileNameW)> getOpenFileName{L"comdlg32.dll", "GetOpenFileNameW"};

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
    tk::EnterApartment();
    try {
        execute(owner, nullptr, tk::Widen(item).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    } catch (...) {
    }
}

BOOL (*ShellExecuteRequest)(SHELLEXECUTEINFOW&) = [](SHELLEXECUTEINFOW& request) {
    return shellExecuteEx(&request);
};

void ShellOpenUnattended(const std::string& script) {
    shellExecuteEx.Get(); // raises, as ShellOpen does, when the shell cannot be loaded
    tk::EnterApartment();
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
    tk::EnterApartment();
    return show(&request);
}

void PrepareOpenFileDialog() noexcept {
    try {
        getOpenFileName.Get();
        tk::EnterApartment();
    } catch (...) {
    }
}

std::wstring LaunchCommandLine(std::wstring_view text, bool wholeTextIsAFile) {
    // A file name cannot hold a double quote, so quoting the whole path is enough.
    if (wholeTextIsAFile && text.find(L'"') == std::wstring_view::npos)
        return L"\"" + std::wstring(text) + L"\"";
    return std::wstring(text);
}

BOOL (*CreateProcessRequest)(wchar_t*, STARTUPINFOW&, PROCESS_INFORMATION&) =
    [](wchar_t* commandLine, STARTUPINFOW& startup, PROCESS_INFORMATION& process) {
        return CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    };

namespace {

// CreateProcessW's refusal of a program whose manifest asks for administrator rights (winerror.h
// of Windows' own headers; MinGW-w64's lacks it).
constexpr DWORD kElevationRequired = 740;

// What the direct start would have run, for the shell to start with the consent prompt. Made on
// the user-interface thread, handed to the starting thread, freed by it.
struct ElevatedStart {
    std::wstring Program;
    std::wstring Parameters;
    std::wstring Directory; // the direct start's: the current one when it was asked for
    tk::ThreadApartment Apartment;
};

// The program a candidate names, found as the process start finds it: searched for in the same
// places, ".exe" added to a name without an extension, a folder being no program.
std::optional<std::string> FindProgramFile(const std::string& candidate) {
    const std::wstring name = tk::Widen(candidate);
    std::wstring found(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            SearchPathW(nullptr, name.c_str(), L".exe", static_cast<DWORD>(found.size()), found.data(), nullptr);
        if (length == 0)
            return std::nullopt;
        if (length < found.size()) {
            found.resize(length);
            break;
        }
        found.resize(length); // too small: the length asked for counts the terminator
    }
    const DWORD attributes = GetFileAttributesW(found.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return tk::Narrow(found);
}

std::wstring CurrentDirectory() {
    std::wstring directory(GetCurrentDirectoryW(0, nullptr), L'\0');
    directory.resize(GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data()));
    return directory;
}

// The thread: its own apartment for the shell's objects, the shell's start, which returns once
// the prompt is answered (or refused: silent, as every failure of a launch is), and the end.
DWORD WINAPI RunElevatedStart(void* parameter) {
    const std::unique_ptr<ElevatedStart> start(static_cast<ElevatedStart*>(parameter));
    const bool entered = start->Apartment.Enter();
    try {
        SHELLEXECUTEINFOW request{sizeof request};
        // The thread ends right after the call: the shell must finish the start within it.
        request.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
        request.lpFile = start->Program.c_str();
        request.lpParameters = start->Parameters.empty() ? nullptr : start->Parameters.c_str();
        request.lpDirectory = start->Directory.empty() ? nullptr : start->Directory.c_str();
        request.nShow = SW_SHOWNORMAL;
        ShellExecuteRequest(request);
    } catch (...) {
    }
    if (entered)
        start->Apartment.Leave();
    return 0;
}

// Everything the thread needs is looked up here, on the user-interface thread: the lookups are
// not made for two threads at once.
void StartElevated(const std::wstring& commandLine) {
    const ProgramAndParameters split = SplitCommandLine(tk::Narrow(commandLine), FindProgramFile);
    shellExecuteEx.Get();
    auto start = std::make_unique<ElevatedStart>(ElevatedStart{
        tk::Widen(split.Program), tk::Widen(split.Parameters), CurrentDirectory(), tk::ThreadApartment()});
    // A Win32 thread of its own: the program's threads never come from the thread library.
    if (HANDLE thread = CreateThread(nullptr, 0, &RunElevatedStart, start.get(), 0, nullptr)) {
        start.release(); // the thread's now
        CloseHandle(thread);
    }
}

} // namespace

void StartProgram(const std::string& commandLine) noexcept {
    try {
        const std::wstring line = LaunchCommandLine(tk::Widen(commandLine), FileIsPresent(commandLine));
        std::wstring buffer = line;
        STARTUPINFOW startup{sizeof startup};
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process{};
        // The platform may write into the command line, so it gets a buffer of its own. The
        // program is not waited for: the countdowns keep running meanwhile.
        if (CreateProcessRequest(buffer.data(), startup, process)) {
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        } else if (GetLastError() == kElevationRequired) {
            StartElevated(line);
        }
    } catch (...) {
    }
}
