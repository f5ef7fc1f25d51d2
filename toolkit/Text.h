// UTF-8 inside, UTF-16 at the Win32 boundary: the two conversions every W call goes through.
#pragma once

#include <string>
#include <string_view>

namespace tk {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

} // namespace tk
