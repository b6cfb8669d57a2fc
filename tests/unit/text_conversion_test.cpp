#include "core/text_conversion.h"

#include <climits>

#include <gtest/gtest.h>

namespace pellith {
namespace {

TEST(ConcatText, JoinsInOrderWithEmptyPartsCountingAsEmpty) {
  EXPECT_EQ(concatText({"", "\\plconfig.ini"}), "\\plconfig.ini");
  EXPECT_EQ(concatText({"C:\\a", "\\b", "", ".txt"}), "C:\\a\\b.txt");
  EXPECT_EQ(concatText({}), "");
}

TEST(BytesToText, StopsAtTheFirstNulAndKeepsEverythingElse) {
  using namespace std::string_literals;
  EXPECT_EQ(bytesToText("ab\0cd"s), "ab");
  EXPECT_EQ(bytesToText("\0abc"s), "");
  EXPECT_EQ(bytesToText(""), "");
  EXPECT_EQ(bytesToText("\xEF\xBB\xBFx\r\n"), "\xEF\xBB\xBFx\r\n");  // no BOM or line-end handling
  EXPECT_EQ(bytesToText("\xFF\xFEh\0i\0"s), "\xFF\xFEh");           // UTF-16 stops at its first NUL
}

TEST(TextToBytes, GivesEveryByteWithoutATerminator) {
  EXPECT_EQ(textToBytes("").size(), 0u);
  EXPECT_EQ(textToBytes("\xD6\xD0\r\n"), "\xD6\xD0\r\n");
}

TEST(ToInteger, FollowsTheFoldingSignAndDigitRules) {
  struct Case {
    const char* text;
    std::int32_t value;
  };
  const Case cases[] = {
      {" 16", 16},
      {"\xA3\xB1\xA3\xB6", 16},            // full-width 16
      {"\xA1\xA1\xA3\xAD\xA3\xB5", -5},    // full-width space, minus, 5
      {"-5", -5},
      {"+7", 7},
      {"12abc", 12},
      {"0x10", 0},
      {"", 0},
      {"abc", 0},
      {"\t\r\n\v\f 42 ", 42},
      {"- 5", 0},
      {"--5", 0},
      {"-1", -1},
      {"4294967295", -1},                  // wraps modulo 2^32
      {"4294967296", 0},
      {"2147483648", INT_MIN},
      {"99999999999999999999", 1661992959},
      {"\xD6\xD0" "5", 0},                 // another character stops the digits
      {"5\xA3", 5},                        // a lead byte at the end is dropped
      {"\xA3\xB5\xA3\xB0\xA3", 50},
  };
  for (const auto& item : cases) EXPECT_EQ(toInteger(item.text), item.value) << item.text;
}

TEST(ToText, WritesSignedDecimal) {
  EXPECT_EQ(toText(-1), "-1");
  EXPECT_EQ(toText(255), "255");
  EXPECT_EQ(toText(0), "0");
  EXPECT_EQ(toText(INT_MIN), "-2147483648");
  EXPECT_EQ(toInteger(toText(INT_MIN)), INT_MIN);
}

}  // namespace
}  // namespace pellith
