// Files for the platform tests: a temporary folder removed with everything in it, small file
// helpers, and the Windows paths of what the build made.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "toolkit/Text.h"

namespace testfiles {

// A fresh folder under the user's temp directory; `name` may contain blanks.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& name = L"vandrel test") {
        wchar_t temp[MAX_PATH + 1]{};
        GetTempPathW(MAX_PATH + 1, temp);
        static int counter = 0;
        path_ = std::filesystem::path(temp) /
                (name + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored; // a started helper may still hold its exe
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::wstring& relative) const { return path_ / relative; }

private:
    std::filesystem::path path_;
};

// A path as the program's own UTF-8 text.
inline std::string Utf8(const std::filesystem::path& path) { return tk::Narrow(path.native()); }

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A path the build wrote in Unix form (/work/...) as Wine's drive Z: shows it.
inline std::filesystem::path FromBuild(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* c = unixPath; *c; ++c)
        path += *c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return path;
}

inline std::filesystem::path MarkerExe() { return FromBuild(MARKER_EXE); }
inline std::filesystem::path SourceFile(const char* relative) {
    return FromBuild(VANDREL_SOURCE_DIR) / relative;
}

} // namespace testfiles
