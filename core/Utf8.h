// Counting and cutting UTF-8 text by characters. Pure code. A character starts at every byte
// that is not a continuation byte (10xxxxxx); nothing here checks that the text is well formed,
// so ill-formed text is counted and cut by the same rule and never read beyond its end.
#pragma once

#include <cstddef>
#include <string_view>

constexpr bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The number of characters in text.
std::size_t CharacterCount(std::string_view text);

// Byte offset of the character with the given index (0 = the first); text's size when text has
// no more than `index` characters.
std::size_t CharacterOffset(std::string_view text, std::size_t index);

// Byte offset of the first byte of the last character; 0 for empty text.
std::size_t LastCharacterStart(std::string_view text);

// The longest prefix of text of at most maxBytes bytes that does not split a character.
std::string_view CutOnCharacterBoundary(std::string_view text, std::size_t maxBytes);
