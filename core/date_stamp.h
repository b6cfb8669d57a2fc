// The Chinese date and time stamp.
#pragma once
#include <string>

namespace pellith {

struct LocalDateTime {
  int year;
  int month;
  int day;
  int hour;
  int minute;
  int second;
};

// "2021年7月9日8时5分3秒" in GBK: the time part ends with the last unit that
// is not zero, and exactly midnight gives the date alone.
std::string formatDateTime(const LocalDateTime& when);

}  // namespace pellith
