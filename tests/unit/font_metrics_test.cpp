#include "core/font_metrics.h"

#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "core/window_geometry.h"

namespace pellith {
namespace {

TEST(CharacterHeightForPoints, RoundsHalvesAwayFromZero) {
  struct Case {
    int points;
    int dpi;
    int height;
  };
  const Case cases[] = {
      {22, 96, -29},  // 29.33
      {28, 96, -37},  // 37.33
      {11, 96, -15},  // 14.67
      {12, 96, -16},
      {9, 96, -12},
      {3, 96, -4},   // exactly 4
      {3, 120, -5},  // 5
      {1, 108, -2},  // 1.5 rounds away from zero
      {0, 96, 0},
      {-5, 96, 0},  // a negative size leaves the height to the font system
      {INT_MAX, 96, INT_MIN},
  };
  for (const auto& item : cases)
    EXPECT_EQ(characterHeightForPoints(item.points, item.dpi), item.height) << item.points << "@" << item.dpi;
}

TEST(PointsForCharacterHeight, RoundsHalvesAwayFromZero) {
  struct Case {
    int height;
    int dpi;
    int points;
  };
  const Case cases[] = {
      {-14, 96, 11},  // 10.5
      {-15, 96, 11},  // 11.25
      {-29, 96, 22},
      {16, 96, 12},
      {0, 96, 0},
      {INT_MIN, 96, 1610612736},  // no overflow for the most negative height
  };
  for (const auto& item : cases)
    EXPECT_EQ(pointsForCharacterHeight(item.height, item.dpi), item.points) << item.height << "@" << item.dpi;
}

TEST(FaceNameOrDefault, KeepsNamesOfOneTo31Bytes) {
  EXPECT_EQ(faceNameOrDefault("", "fallback"), "fallback");
  EXPECT_EQ(faceNameOrDefault("Arial", "fallback"), "Arial");
  EXPECT_EQ(faceNameOrDefault(std::string(31, 'x'), "fallback"), std::string(31, 'x'));
  EXPECT_EQ(faceNameOrDefault(std::string(32, 'x'), "fallback"), "fallback");
}

TEST(WindowGeometry, CentresWithTruncatingDivisionAndClampsSizes) {
  EXPECT_EQ(centredOrigin(1280, 774), 253);
  EXPECT_EQ(centredOrigin(1024, 471), 276);
  EXPECT_EQ(centredOrigin(1025, 774), 125);
  EXPECT_EQ(centredOrigin(800, 1001), -100);  // truncation toward zero, not floor
  EXPECT_EQ(clampDimension(40000), 32627);
  EXPECT_EQ(clampDimension(32627), 32627);
  EXPECT_EQ(clampDimension(-1), 0);
  EXPECT_EQ(clampDimension(500), 500);
}

}  // namespace
}  // namespace pellith
