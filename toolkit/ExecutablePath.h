// The running executable's own path, and the application title made from it (the cutting itself
// is core/Paths', tested natively).
#pragma once

#include <string>
#include <string_view>

namespace tk {

// The full path of the running executable, however long.
std::wstring ModuleFileName();

// The application title as the taskbar entry and the error report show it: the executable's
// file name without directory, cut before its first ".", every character after the first in
// lower case ("C:\Apps\VANDREL.EXE" gives "VANDREL" -> "Vandrel").
std::wstring TitleFromExecutablePath(std::wstring_view path);

} // namespace tk
