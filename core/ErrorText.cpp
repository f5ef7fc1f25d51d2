#include "core/ErrorText.h"

namespace tk {

std::string ErrorReportText(std::string_view message) {
    std::string text(message);
    if (text.empty())
        return text;
    // Step back over UTF-8 continuation bytes to the first byte of the last character.
    std::size_t last = text.size() - 1;
    while (last > 0 && (static_cast<unsigned char>(text[last]) & 0xC0) == 0x80)
        --last;
    if (static_cast<unsigned char>(text[last]) > '.')
        text += '.';
    return text;
}

} // namespace tk
