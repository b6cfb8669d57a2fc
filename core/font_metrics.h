// Points, character heights and face names of the edit box's font.
#pragma once
#include <string>
#include <string_view>

namespace pellith {

// Character height for a size in points at `dotsPerInch`: -(points * dpi / 72)
// rounded to the nearest integer, halves away from zero. A negative size
// counts as 0, which leaves the height to the font system.
int characterHeightForPoints(int points, int dotsPerInch);

// Whole points for a character height: |height| * 72 / dpi, halves away from zero.
int pointsForCharacterHeight(int height, int dotsPerInch);

// The face a font value asks for: the name when it is 1 to 31 bytes long,
// otherwise the default face `fallback`.
std::string faceNameOrDefault(std::string_view name, std::string_view fallback);

}  // namespace pellith
