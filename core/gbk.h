// Byte offsets in GBK text and the edit control's UTF-16 positions.
#pragma once
#include <cstddef>
#include <string_view>

namespace pellith {

// A byte that starts a two-byte character in code page 936.
constexpr bool isGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// Number of characters (UTF-16 units: every GBK character is in the BMP)
// that begin before byteOffset. An offset inside a character counts that
// character, so it rounds up to the character's end.
std::size_t byteToCharOffset(std::string_view text, std::size_t byteOffset);

// Byte offset where the character with index charOffset begins (the text's
// length when charOffset is past the end).
std::size_t charToByteOffset(std::string_view text, std::size_t charOffset);

}  // namespace pellith
