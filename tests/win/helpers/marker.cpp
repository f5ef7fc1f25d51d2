// A program for the tests to start. It records how it was started in "<its own path>.ran":
// the command line it received, then each argument, one per line in UTF-8. Started as
//   marker.exe --hold RELEASE-FILE ...
// it then keeps running, without ever reading a message, until RELEASE-FILE exists, and
// writes "<its own path>.done"; so a starter that waited for it to end, or to go idle, could
// not return before the test releases it.
#include <windows.h>

#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), length, nullptr,
                        nullptr);
    return result;
}

// Written under another name first, so a test never reads half a record.
void WriteFile(const std::wstring& path, const std::string& content) {
    const std::wstring part = path + L".part";
    HANDLE file = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    MoveFileExW(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    wchar_t self[32768]{};
    GetModuleFileNameW(nullptr, self, 32768);
    std::string record = Utf8(GetCommandLineW()) + "\n";
    for (int i = 1; i < argc; ++i)
        record += Utf8(argv[i]) + "\n";
    WriteFile(std::wstring(self) + L".ran", record);

    if (argc >= 3 && std::wstring(argv[1]) == L"--hold") {
        // Bounded, so a test that never releases it leaves no process behind for long.
        for (int waited = 0; waited < 60000; waited += 20) {
            if (GetFileAttributesW(argv[2]) != INVALID_FILE_ATTRIBUTES) {
                WriteFile(std::wstring(self) + L".done", "released\n");
                return 0;
            }
            Sleep(20);
        }
        return 1;
    }
    return 0;
}
