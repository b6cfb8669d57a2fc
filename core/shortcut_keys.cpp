// 1-26 Ctrl+A..Ctrl+Z, 27-38 F1..F12, 39-50 Ctrl+F1.., 51-62 Shift+F1..,
// 63-74 Ctrl+Shift+F1.., 75 Ins, 76 Del.
#include "shortcut_keys.h"

namespace pellith {

namespace {
constexpr unsigned short virtualKeyA = 0x41;
constexpr unsigned short virtualKeyF1 = 0x70;
constexpr unsigned short virtualKeyInsert = 0x2D;
constexpr unsigned short virtualKeyDelete = 0x2E;

ShortcutKey functionKey(int number, bool control, bool shift) {
  std::string name = control ? "Ctrl+" : "";
  if (shift) name += "Shift+";
  name += "F" + std::to_string(number);
  return {static_cast<unsigned short>(virtualKeyF1 + number - 1), control, shift, name};
}
}  // namespace

std::optional<ShortcutKey> shortcutKey(int index) {
  if (index >= 1 && index <= 26) {
    const char letter = static_cast<char>('A' + index - 1);
    return ShortcutKey{static_cast<unsigned short>(virtualKeyA + index - 1), true, false, std::string("Ctrl+") + letter};
  }
  if (index >= 27 && index <= 38) return functionKey(index - 26, false, false);
  if (index >= 39 && index <= 50) return functionKey(index - 38, true, false);
  if (index >= 51 && index <= 62) return functionKey(index - 50, false, true);
  if (index >= 63 && index <= 74) return functionKey(index - 62, true, true);
  if (index == 75) return ShortcutKey{virtualKeyInsert, false, false, "Ins"};
  if (index == 76) return ShortcutKey{virtualKeyDelete, false, false, "Del"};
  return std::nullopt;
}

}  // namespace pellith
