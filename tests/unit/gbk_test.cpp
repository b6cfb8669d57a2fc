#include "core/gbk.h"

#include <gtest/gtest.h>

namespace pellith {
namespace {

// 中 = D6 D0, 文 = CE C4 in GBK.
constexpr const char* chinese = "\xD6\xD0\xCE\xC4" "ab";

struct OffsetCase {
  const char* text;
  std::size_t bytes;
  std::size_t characters;
};

TEST(ByteToCharOffset, CountsTwoByteCharactersOnce) {
  const OffsetCase cases[] = {
      {"abc", 2, 2},
      {chinese, 0, 0},
      {chinese, 2, 1},
      {chinese, 4, 2},
      {chinese, 6, 4},
      {chinese, 1, 1},    // inside 中: counts the character it is in
      {chinese, 99, 4},   // past the end: the whole text
      {"a\r\nb", 3, 3},   // CR and LF are two positions
      {"a\xD6", 2, 2},    // a lead byte at the very end stands alone
      {"\x81\x0A" "b", 2, 1},  // a lead byte takes whatever byte follows
      {"\x80" "a", 1, 1},      // 0x80 is a one-byte character in code page 936
  };
  for (const auto& item : cases)
    EXPECT_EQ(byteToCharOffset(item.text, item.bytes), item.characters) << item.text << " @" << item.bytes;
}

TEST(CharToByteOffset, IsTheInverseAtCharacterBoundaries) {
  const std::string text = std::string(chinese) + "\r\n\xB1\xED";
  for (std::size_t bytes : {0u, 2u, 4u, 5u, 6u, 7u, 8u, 10u}) {
    EXPECT_EQ(charToByteOffset(text, byteToCharOffset(text, bytes)), bytes) << bytes;
  }
  EXPECT_EQ(charToByteOffset(text, 1000), text.size());
  EXPECT_EQ(charToByteOffset("", 3), 0u);
}

}  // namespace
}  // namespace pellith
