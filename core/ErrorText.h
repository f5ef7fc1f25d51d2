// Text rules of the error report, kept free of Win32 so they are tested natively.
#pragma once

#include <string>
#include <string_view>

namespace tk {

// The message as the error report shows it: a full stop is added unless the message is empty
// or its last character starts with a byte at or below '.' (so "Done." and "Wait!" and a
// trailing blank get none, while a letter, a digit or a Chinese character gets one).
std::string ErrorReportText(std::string_view message);

} // namespace tk
