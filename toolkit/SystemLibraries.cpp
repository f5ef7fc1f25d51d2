#include "toolkit/SystemLibraries.h"

#include <windows.h>

#include <delayimp.h>

#include <string>

namespace {

// A module from the system folder, loaded by its full path, leaves nothing to a search; its own
// dependencies are then looked for in its folder first, not in ours. Null when it cannot be
// loaded (GetLastError says why).
HMODULE LoadFromSystemFolder(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    std::wstring path(folder, length);
    path += L'\\';
    path += name;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// The delay-load helper asks this hook before it loads a DLL itself. Only when the hook fails
// does the helper search by name, and then within the folders the start-up allowed.
FARPROC WINAPI LoadDelayedDllFromSystemFolder(unsigned notification, PDelayLoadInfo info) {
    if (notification != dliNotePreLoadLibrary)
        return nullptr;
    std::wstring name;
    for (const char* c = info->szDll; *c; ++c) // import names are ASCII
        name += static_cast<wchar_t>(*c);
    return reinterpret_cast<FARPROC>(LoadFromSystemFolder(name.c_str()));
}

std::string Ascii(const wchar_t* text) { // library names are ASCII
    std::string narrow;
    for (; *text; ++text)
        narrow += static_cast<char>(*text);
    return narrow;
}

} // namespace

// Read by the delay-load helper of the MinGW runtime (declared extern "C" in <delayimp.h>); this
// definition replaces the runtime's empty one.
PfnDliHook __pfnDliNotifyHook2 = LoadDelayedDllFromSystemFolder;

namespace tk {

void LoadLibrariesFromSystemFolderOnly() {
    // From Windows 8 on (and Windows 7 with update KB2533623); looked up so that an older
    // Windows 7 still starts, with the current folder at least taken out of the search.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (!setDefaultDllDirectories || !setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        SetDllDirectoryW(L"");
}

void* SystemFunctionAddress(const wchar_t* library, const char* function) {
    // A library loaded before is found by its full path without a second mapping; the count of
    // references it gains is never given back, as the library stays until the process ends.
    HMODULE module = LoadFromSystemFolder(library);
    if (!module) {
        const DWORD error = GetLastError();
        throw ELibraryLoadError("Cannot load the system library " + Ascii(library) + " (error " +
                                std::to_string(error) + ")");
    }
    if (FARPROC address = GetProcAddress(module, function))
        return reinterpret_cast<void*>(address);
    throw ELibraryLoadError("The system library " + Ascii(library) + " has no function " + function);
}

} // namespace tk
