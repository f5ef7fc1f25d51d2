#include "core/Convert.h"

#include <iterator>

#include "core/Exception.h"

namespace {

[[noreturn]] void Reject(std::string_view text) {
    std::string message;
    message.reserve(text.size() + 32);
    message += '\'';
    message += text;
    message += "' is not a valid integer value";
    throw EConvertError(std::move(message));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::int32_t TextToInteger(std::string_view text) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        i += 1;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == n) // nothing where the digits belong; also the empty text
        Reject(text);

    std::uint32_t value = 0;
    if (hex) {
        for (; i < n; ++i) {
            const int digit = HexDigit(text[i]);
            // Eight significant digits fill 32 bits; a ninth would shift bits out.
            if (digit < 0 || value > 0x0FFFFFFFu)
                Reject(text);
            value = value * 16 + static_cast<std::uint32_t>(digit);
        }
        // The digits give a 32-bit pattern: $FFFFFFFF is -1, and a sign negates the pattern.
        return static_cast<std::int32_t>(negative ? 0u - value : value);
    }
    for (; i < n; ++i) {
        const char c = text[i];
        // 214748364 is the last value that can take another digit without leaving 32 bits' range.
        if (c < '0' || c > '9' || value > 214748364u)
            Reject(text);
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (negative) {
        if (value > 2147483648u)
            Reject(text);
        return static_cast<std::int32_t>(0u - value);
    }
    if (value > 2147483647u)
        Reject(text);
    return static_cast<std::int32_t>(value);
}

std::string UnsignedToText(std::uint64_t value) {
    char digits[20]; // the largest value, 18446744073709551615, has 20
    char* first = std::end(digits);
    do {
        *--first = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    return std::string(first, std::end(digits));
}

std::string IntegerToText(std::int32_t value) {
    // The magnitude in unsigned arithmetic: that of -2147483648 is no 32-bit signed value.
    const std::uint32_t magnitude = static_cast<std::uint32_t>(value);
    return value < 0 ? "-" + UnsignedToText(0u - magnitude) : UnsignedToText(magnitude);
}
