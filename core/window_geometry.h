// Window placement arithmetic.
#pragma once

namespace pellith {

// Origin of a window of `windowSize` centred in `screenSize` on one axis,
// integer division truncating toward zero.
constexpr int centredOrigin(int screenSize, int windowSize) { return (screenSize - windowSize) / 2; }

// A written Width or Height: above 32627 is taken as 32627, negative as 0.
constexpr int clampDimension(int value) {
  constexpr int largest = 32627;
  return value > largest ? largest : (value < 0 ? 0 : value);
}

}  // namespace pellith
