// The value of a Font property: seven fields, the handler owns the name.
#pragma once
#include <string>

namespace pellith {

struct FontRecord {
  int angle = 0;  // tenths of a degree
  int bold = 0;
  int italic = 0;
  int strikeout = 0;
  int underline = 0;
  int size = 0;  // points
  std::string name;
};

}  // namespace pellith
