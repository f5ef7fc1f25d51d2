#include "toolkit/ExecutablePath.h"

#include <windows.h>

#include "core/Paths.h"
#include "toolkit/Text.h"

namespace tk {

std::wstring ModuleFileName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2); // truncated: a long path; try a bigger buffer
    }
}

// The lower case is the platform's, which knows every script's letters.
std::wstring TitleFromExecutablePath(std::wstring_view path) {
    std::wstring name = Widen(NameBeforeFirstDot(Narrow(path)));
    if (name.size() > 1)
        CharLowerBuffW(name.data() + 1, static_cast<DWORD>(name.size() - 1));
    return name;
}

} // namespace tk
