#include "core/Utf8.h"

#include <algorithm>

std::size_t CharacterCount(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuationByte(c); }));
}

std::size_t CharacterOffset(std::string_view text, std::size_t index) {
    std::size_t i = 0;
    for (std::size_t seen = 0; i < text.size(); ++i) {
        if (!IsContinuationByte(text[i])) {
            if (seen == index)
                return i;
            ++seen;
        }
    }
    return i;
}

std::size_t LastCharacterStart(std::string_view text) {
    if (text.empty())
        return 0;
    std::size_t last = text.size() - 1;
    while (last > 0 && IsContinuationByte(text[last]))
        --last;
    return last;
}

std::string_view CutOnCharacterBoundary(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = maxBytes;
    // The byte at end starts the first character left out, unless it continues one begun
    // before: then that character is left out as a whole.
    while (end > 0 && IsContinuationByte(text[end]))
        --end;
    return text.substr(0, end);
}
