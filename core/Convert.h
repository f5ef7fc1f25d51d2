// The program's one text-to-integer conversion and its inverse. Pure code: no Win32.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Reads a whole text as a 32-bit signed integer: leading blanks (spaces only), at most one sign,
// then decimal digits, or hexadecimal digits after "$", "x", "X", "0x" or "0X"; nothing may
// follow. Raises EConvertError "'<text>' is not a valid integer value" otherwise.
// Scans in place and allocates only when it fails.
std::int32_t TextToInteger(std::string_view text);

// Plain decimal, no leading zeros: the program's one writer of numbers (a minute, a count, a
// position, a platform's error code), so that the shipped program carries one.
std::string IntegerToText(std::int32_t value);
std::string UnsignedToText(std::uint64_t value);
