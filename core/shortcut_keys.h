// The menu shortcut key table: index 1..76 to key, modifiers and shown name.
#pragma once
#include <optional>
#include <string>

namespace pellith {

struct ShortcutKey {
  unsigned short virtualKey;  // Windows virtual-key code
  bool control;
  bool shift;
  std::string name;  // shown after the menu caption, such as "Ctrl+N"
};

// 0 and indices outside the table have no key.
std::optional<ShortcutKey> shortcutKey(int index);

}  // namespace pellith
