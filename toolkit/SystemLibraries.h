// Where the program's DLLs come from, and when.
//
// Windows looks for a DLL in the executable's folder before the system folder, except for the
// DLLs on its known-DLL list. A portable exe is often started from a Downloads folder, where a
// planted uxtheme.dll or winmm.dll beside it would be loaded in place of the system's. So the
// executable imports only known DLLs at start (a test reads its import table), and every other
// DLL comes from the system folder by its full path:
// - comctl32 and uxtheme, which the toolkit draws with, are delay-loaded: each is loaded at the
//   first call of one of its functions, through the runtime's delay-load helper;
// - what only a command or a dialog needs (the shell, COM, the open-file dialog, the sound
//   devices) is looked up by the service itself through SystemFunction, so that a program at
//   rest has none of it mapped, and a library that cannot be had is an error the error report
//   shows, not a crash inside the delay-load helper.
#pragma once

#include "core/Exception.h"

namespace tk {

// Makes every DLL that the process loads by name from now on (MCI drivers, shell extensions,
// and the delay-loaded DLLs above) come from the system folder only. Called first thing at start.
void LoadLibrariesFromSystemFolderOnly();

// A system library, or a function of one, that could not be had.
class ELibraryLoadError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "ELibraryLoadError"; }
};

// A function of a library the process has loaded already (kernel32, user32), looked up by name:
// for what newer systems have and older ones (or Wine) may lack. Null where the library or the
// function is absent, so that the caller falls back. `FunctionPointer` is the function's pointer
// type, e.g. UINT(WINAPI*)(HWND).
void* LoadedFunctionAddress(const wchar_t* library, const char* function) noexcept;
template <class FunctionPointer>
FunctionPointer LoadedFunction(const wchar_t* library, const char* function) noexcept {
    return reinterpret_cast<FunctionPointer>(LoadedFunctionAddress(library, function));
}

// Loads `library` (e.g. L"shell32.dll") from the system folder by its full path, or finds it
// loaded, and returns the address of its export `function`. The library stays loaded until the
// process ends. Raises ELibraryLoadError, naming both, when either is missing.
void* SystemFunctionAddress(const wchar_t* library, const char* function);

// One function of a system library, looked up at its first call and then kept. Meant to be a
// constant-initialised static beside the code that calls it:
//   constinit tk::SystemFunction<decltype(ShellExecuteW)> shellExecute{L"shell32.dll", "ShellExecuteW"};
//   shellExecute(owner, ...);  // may raise ELibraryLoadError on the first call
// The program has one thread, so the lookup needs no lock.
template <class Function>
class SystemFunction {
public:
    constexpr SystemFunction(const wchar_t* library, const char* function) : library_(library), function_(function) {}
    SystemFunction(const SystemFunction&) = delete;
    SystemFunction& operator=(const SystemFunction&) = delete;

    Function* Get() {
        if (!address_)
            address_ = reinterpret_cast<Function*>(SystemFunctionAddress(library_, function_));
        return address_;
    }
    template <class... Arguments>
    auto operator()(Arguments... arguments) {
        return Get()(arguments...);
    }

private:
    const wchar_t* library_;
    const char* function_;
    Function* address_ = nullptr;
};

} // namespace tk
