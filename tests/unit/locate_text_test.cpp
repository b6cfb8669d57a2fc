#include "core/locate_text.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

namespace pellith {
namespace {

// The search exactly as the editor has always defined it: compare at the
// current character, then step over a two-byte character's second byte, and
// stop when a lead byte is the very last byte. The fast search must agree.
std::int64_t referenceLocate(std::string_view text, std::string_view pattern) {
  const std::size_t n = text.size();
  const std::size_t m = pattern.size();
  if (m == 0) return n > 0 ? 1 : -1;
  std::size_t p = 0;
  std::size_t r = n;
  while (r >= m) {
    if (text.compare(p, m, pattern) == 0) return static_cast<std::int64_t>(p) + 1;
    if (static_cast<unsigned char>(text[p]) >= 0x80) {
      if (p == n - 1) return -1;
      ++p;
      --r;
    }
    ++p;
    --r;
  }
  return -1;
}

struct Case {
  const char* text;
  const char* pattern;
  std::int64_t position;
};

const Case cases[] = {
    {"abcabc", "bc", 2},
    {"ABC", "abc", -1},
    {"\xD6\xD0\xCE\xC4", "\xCE\xC4", 3},  // 中文, 文
    {"\xD6\xD0\xCE\xC4", "\xD0\xCE", -1},  // 形 spans the two characters
    {"\x81\x41", "A", -1},                 // 丄 and A
    {"", "a", -1},
    {"", "", -1},
    {"x", "", 1},
    {"a", "ab", -1},
    {"\xA3\xC1", "A", -1},  // full-width A is not A
    {"\xD6\xD0" "A\x81\x41" "A", "A", 3},
    {"\x81\x41\x41", "A", 3},
    {"line1\r\nline2", "\r\nl", 6},
    {"ab\xD6", "\xD6", 3},   // a lead byte at the end is still a candidate
    {"\xD6", "\xD6\xD0", -1},
};

TEST(LocateText, FindsOnlyWhereACharacterBegins) {
  for (const auto& item : cases) {
    EXPECT_EQ(locateText(item.text, item.pattern), item.position) << item.text << " / " << item.pattern;
    EXPECT_EQ(referenceLocate(item.text, item.pattern), item.position) << item.text << " / " << item.pattern;
  }
}

// Random GBK-like texts over a small alphabet of low and high bytes, so that
// raw occurrences on second bytes are frequent.
TEST(LocateText, AgreesWithTheReferenceOnRandomTexts) {
  std::mt19937 random(20260709);
  const char alphabet[] = {'A', 'B', '\r', '\n', '\x41', '\x81', '\xB0', '\xD6', '\xFF', '\x80'};
  auto randomText = [&](std::size_t maximum) {
    std::string text(random() % (maximum + 1), '\0');
    for (char& byte : text) byte = alphabet[random() % sizeof alphabet];
    return text;
  };
  for (int round = 0; round < 200000; ++round) {
    const std::string text = randomText(40);
    const std::string pattern = randomText(4);
    ASSERT_EQ(locateText(text, pattern), referenceLocate(text, pattern))
        << ::testing::PrintToString(text) << " / " << ::testing::PrintToString(pattern);
  }
}

TEST(LocateText, StaysLinearOnTextWithoutAsciiBytes) {
  // Every raw match but the last lies on a second byte.
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "\xB0\xA1";
  text += "\xA1\xB0";
  const std::string pattern = "\xA1\xB0";
  EXPECT_EQ(locateText(text, pattern), referenceLocate(text, pattern));
  EXPECT_EQ(locateText(text, pattern), static_cast<std::int64_t>(text.size()) - 1);
}

}  // namespace
}  // namespace pellith
