// 64-bit intermediates: sizes come from files the user can edit by hand.
#include "font_metrics.h"

#include <cstdint>
#include <cstdlib>

namespace pellith {

namespace {
constexpr std::int64_t pointsPerInch = 72;

// numerator / denominator for non-negative values, halves rounded up.
std::int64_t divideRounded(std::int64_t numerator, std::int64_t denominator) {
  return (2 * numerator + denominator) / (2 * denominator);
}

int clampToInt(std::int64_t value) {
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int>(value);
}
}  // namespace

int characterHeightForPoints(int points, int dotsPerInch) {
  if (points <= 0 || dotsPerInch <= 0) return 0;
  return clampToInt(-divideRounded(std::int64_t{points} * dotsPerInch, pointsPerInch));
}

int pointsForCharacterHeight(int height, int dotsPerInch) {
  if (dotsPerInch <= 0) return 0;
  const std::int64_t magnitude = std::llabs(std::int64_t{height});
  return clampToInt(divideRounded(magnitude * pointsPerInch, dotsPerInch));
}

std::string faceNameOrDefault(std::string_view name, std::string_view fallback) {
  constexpr std::size_t longestFaceName = 31;  // LOGFONT holds 32 bytes with the NUL
  if (name.empty() || name.size() > longestFaceName) return std::string(fallback);
  return std::string(name);
}

}  // namespace pellith
