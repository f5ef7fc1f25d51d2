#include "toolkit/SystemLibraries.h"

#include <windows.h>

#include <delayimp.h>

#include <string>

#include "core/Convert.h"

namespace {

// A module from the system folder, loaded by its full path, leaves nothing to a search; its own
// dependencies are then looked for in its folder first, not in ours. Null when it cannot be
// loaded (GetLastError says why). `name` is ASCII, as import names are.
template <class Character>
HMODULE LoadFromSystemFolder(const Character* name) {
    wchar_t path[MAX_PATH];
    UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    path[length++] = L'\\';
    for (; *name; ++name) {
        if (length + 1 >= MAX_PATH) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return nullptr;
        }
        path[length++] = static_cast<wchar_t>(*name);
    }
    path[length] = L'\0';
    return LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// The delay-load helper asks this hook before it loads a DLL itself. Only when the hook fails
// does the helper search by name, and then within the folders the start-up allowed.
FARPROC WINAPI LoadDelayedDllFromSystemFolder(unsigned notification, PDelayLoadInfo info) {
    if (notification != dliNotePreLoadLibrary)
        return nullptr;
    return reinterpret_cast<FARPROC>(LoadFromSystemFolder(info->szDll));
}

[[noreturn]] void RaiseLoadError(const char* what, const wchar_t* library, const char* function, DWORD error) {
    std::string text = what;
    for (; *library; ++library) // library names are ASCII
        text += static_cast<char>(*library);
    if (function) {
        text += " has no function ";
        text += function;
    } else {
        text += " (error " + UnsignedToText(error) + ")";
    }
    throw tk::ELibraryLoadError(text);
}

} // namespace

// Read by the delay-load helper of the MinGW runtime (declared extern "C" in <delayimp.h>); this
// definition replaces the runtime's empty one.
PfnDliHook __pfnDliNotifyHook2 = LoadDelayedDllFromSystemFolder;

namespace tk {

void LoadLibrariesFromSystemFolderOnly() {
    // From Windows 8 on (and Windows 7 with update KB2533623); looked up so that an older
    // Windows 7 still starts, with the current folder at least taken out of the search.
    const auto setDefaultDllDirectories =
        LoadedFunction<BOOL(WINAPI*)(DWORD)>(L"kernel32.dll", "SetDefaultDllDirectories");
    if (!setDefaultDllDirectories || !setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        SetDllDirectoryW(L"");
}

void* LoadedFunctionAddress(const wchar_t* library, const char* function) noexcept {
    HMODULE module = GetModuleHandleW(library);
    return module ? reinterpret_cast<void*>(GetProcAddress(module, function)) : nullptr;
}

void* SystemFunctionAddress(const wchar_t* library, const char* function) {
    // A library loaded before is found by its full path without a second mapping; the count of
    // references it gains is never given back, as the library stays until the process ends.
    HMODULE module = LoadFromSystemFolder(library);
    if (!module)
        RaiseLoadError("Cannot load the system library ", library, nullptr, GetLastError());
    if (FARPROC address = GetProcAddress(module, function))
        return reinterpret_cast<void*>(address);
    RaiseLoadError("The system library ", library, function, 0);
}

} // namespace tk
