#include "core/ErrorText.h"

#include "core/Utf8.h"

namespace tk {

std::string ErrorReportText(std::string_view message) {
    std::string text(message);
    if (text.empty())
        return text;
    if (static_cast<unsigned char>(text[LastCharacterStart(text)]) > '.')
        text += '.';
    return text;
}

} // namespace tk
