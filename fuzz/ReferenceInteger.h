// A second, deliberately plain reading of the integer rules, for the fuzz targets to hold
// TextToInteger against: it cuts the text into its parts first and only then looks at the value,
// where TextToInteger does everything in one pass with an overflow check per digit.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace reference {

inline bool IsDecimal(char c) { return c >= '0' && c <= '9'; }

inline bool IsHex(char c) {
    return IsDecimal(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

inline int HexValue(char c) {
    if (IsDecimal(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c - 'A' + 10;
}

// The value of the text, or nothing when the text is not an integer.
inline std::optional<std::int32_t> ReadInteger(std::string_view text) {
    std::string_view rest = text;
    while (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);

    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }

    bool hex = false;
    if (rest.starts_with("0x") || rest.starts_with("0X")) {
        hex = true;
        rest.remove_prefix(2);
    } else if (rest.starts_with("$") || rest.starts_with("x") || rest.starts_with("X")) {
        hex = true;
        rest.remove_prefix(1);
    }

    // What is left must be one or more digits of the base and nothing else.
    if (rest.empty())
        return std::nullopt;
    for (const char c : rest)
        if (hex ? !IsHex(c) : !IsDecimal(c))
            return std::nullopt;

    // Leading zeros say nothing about the size; after them, a 32-bit number has at most eight hex
    // or ten decimal digits.
    while (rest.size() > 1 && rest.front() == '0')
        rest.remove_prefix(1);
    if (rest.size() > (hex ? 8u : 10u))
        return std::nullopt;

    std::int64_t value = 0;
    for (const char c : rest)
        value = value * (hex ? 16 : 10) + (hex ? HexValue(c) : c - '0');

    if (hex) {
        // Hex digits are a 32-bit pattern ($FFFFFFFF is -1); a sign negates the pattern.
        const std::uint32_t pattern = static_cast<std::uint32_t>(value);
        return static_cast<std::int32_t>(negative ? 0u - pattern : pattern);
    }
    if (negative)
        value = -value;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

} // namespace reference
