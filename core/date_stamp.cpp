// The unit characters are written as their GBK bytes so this file needs no
// execution character set: 年 C4EA, 月 D4C2, 日 C8D5, 时 CAB1, 分 B7D6, 秒 C3EB.
#include "date_stamp.h"

namespace pellith {

namespace {
constexpr const char* yearUnit = "\xC4\xEA";
constexpr const char* monthUnit = "\xD4\xC2";
constexpr const char* dayUnit = "\xC8\xD5";
constexpr const char* hourUnit = "\xCA\xB1";
constexpr const char* minuteUnit = "\xB7\xD6";
constexpr const char* secondUnit = "\xC3\xEB";
}  // namespace

std::string formatDateTime(const LocalDateTime& when) {
  std::string stamp = std::to_string(when.year) + yearUnit + std::to_string(when.month) + monthUnit +
                      std::to_string(when.day) + dayUnit;
  if (when.second != 0) {
    stamp += std::to_string(when.hour) + hourUnit + std::to_string(when.minute) + minuteUnit +
             std::to_string(when.second) + secondUnit;
  } else if (when.minute != 0) {
    stamp += std::to_string(when.hour) + hourUnit + std::to_string(when.minute) + minuteUnit;
  } else if (when.hour != 0) {
    stamp += std::to_string(when.hour) + hourUnit;
  }
  return stamp;
}

}  // namespace pellith
