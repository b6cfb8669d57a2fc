#include "core/date_stamp.h"

#include <gtest/gtest.h>

namespace pellith {
namespace {

TEST(FormatDateTime, EndsWithTheLastUnitThatIsNotZero) {
  struct Case {
    LocalDateTime when;
    const char* stamp;  // GBK: 年 C4EA 月 D4C2 日 C8D5 时 CAB1 分 B7D6 秒 C3EB
  };
  const Case cases[] = {
      {{2021, 7, 9, 8, 5, 3}, "2021\xC4\xEA" "7\xD4\xC2" "9\xC8\xD5" "8\xCA\xB1" "5\xB7\xD6" "3\xC3\xEB"},
      {{2021, 7, 9, 14, 30, 0}, "2021\xC4\xEA" "7\xD4\xC2" "9\xC8\xD5" "14\xCA\xB1" "30\xB7\xD6"},
      {{2021, 7, 9, 9, 0, 0}, "2021\xC4\xEA" "7\xD4\xC2" "9\xC8\xD5" "9\xCA\xB1"},
      {{2021, 7, 9, 0, 0, 0}, "2021\xC4\xEA" "7\xD4\xC2" "9\xC8\xD5"},
      {{2021, 7, 9, 0, 0, 7}, "2021\xC4\xEA" "7\xD4\xC2" "9\xC8\xD5" "0\xCA\xB1" "0\xB7\xD6" "7\xC3\xEB"},
      {{2021, 12, 31, 23, 5, 0}, "2021\xC4\xEA" "12\xD4\xC2" "31\xC8\xD5" "23\xCA\xB1" "5\xB7\xD6"},
      {{10000, 1, 1, 0, 1, 0}, "10000\xC4\xEA" "1\xD4\xC2" "1\xC8\xD5" "0\xCA\xB1" "1\xB7\xD6"},
  };
  for (const auto& item : cases) EXPECT_EQ(formatDateTime(item.when), item.stamp);
}

}  // namespace
}  // namespace pellith
