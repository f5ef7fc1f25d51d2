// Stands in for a DLL that someone planted beside the program, e.g. in a Downloads folder: it
// exports nothing the program wants, and when loaded it leaves a file "<its path>.loaded".
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        std::wstring path(MAX_PATH, L'\0');
        path.resize(GetModuleFileNameW(self, path.data(), MAX_PATH));
        path += L".loaded";
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
    return TRUE;
}
