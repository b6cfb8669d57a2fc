#include "core/shortcut_keys.h"

#include <gtest/gtest.h>

namespace pellith {
namespace {

struct KeyCase {
  int index;
  unsigned short virtualKey;
  bool control;
  bool shift;
  const char* name;
};

TEST(ShortcutKey, CoversTheWholeTable) {
  const KeyCase cases[] = {
      {1, 'A', true, false, "Ctrl+A"},        {14, 'N', true, false, "Ctrl+N"},
      {26, 'Z', true, false, "Ctrl+Z"},       {27, 0x70, false, false, "F1"},
      {28, 0x71, false, false, "F2"},         {38, 0x7B, false, false, "F12"},
      {39, 0x70, true, false, "Ctrl+F1"},     {50, 0x7B, true, false, "Ctrl+F12"},
      {51, 0x70, false, true, "Shift+F1"},    {62, 0x7B, false, true, "Shift+F12"},
      {63, 0x70, true, true, "Ctrl+Shift+F1"}, {74, 0x7B, true, true, "Ctrl+Shift+F12"},
      {75, 0x2D, false, false, "Ins"},        {76, 0x2E, false, false, "Del"},
  };
  for (const auto& item : cases) {
    const auto key = shortcutKey(item.index);
    ASSERT_TRUE(key.has_value()) << item.index;
    EXPECT_EQ(key->virtualKey, item.virtualKey) << item.index;
    EXPECT_EQ(key->control, item.control) << item.index;
    EXPECT_EQ(key->shift, item.shift) << item.index;
    EXPECT_EQ(key->name, item.name) << item.index;
  }
}

TEST(ShortcutKey, OutsideTheTableHasNoKey) {
  for (int index : {0, -1, 77, 1000}) EXPECT_FALSE(shortcutKey(index).has_value()) << index;
}

}  // namespace
}  // namespace pellith
