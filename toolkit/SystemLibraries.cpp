#include "toolkit/SystemLibraries.h"

#include <windows.h>

#include <delayimp.h>

#include <string>

namespace {

// The delay-load helper asks this hook before it loads a DLL itself. A module from the system
// folder, loaded by its full path, leaves nothing to a search. Only when that fails does the
// helper search by name, and then within the folders the start-up allowed.
FARPROC WINAPI LoadDelayedDllFromSystemFolder(unsigned notification, PDelayLoadInfo info) {
    if (notification != dliNotePreLoadLibrary)
        return nullptr;
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    std::wstring path(folder, length);
    path += L'\\';
    for (const char* c = info->szDll; *c; ++c) // import names are ASCII
        path += static_cast<wchar_t>(*c);
    // The DLL's own dependencies are then looked for in its folder first, not in ours.
    return reinterpret_cast<FARPROC>(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
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

} // namespace tk
