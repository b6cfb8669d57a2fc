#include "core/keyboard_rules.h"

#include <gtest/gtest.h>

namespace pellith {
namespace {

using Order = std::vector<std::size_t>;

TEST(TabOrder, SortsByTabIndexAndEqualIndexInReverseFormOrder) {
  // The welcome window: three buttons with TabIndex 0 and a label without a tab stop.
  EXPECT_EQ(tabOrder({{0, true}, {0, true}, {0, true}, {0, false}}), (Order{2, 1, 0}));
  EXPECT_EQ(tabOrder({{2, true}, {0, true}, {1, true}}), (Order{1, 2, 0}));
  EXPECT_EQ(tabOrder({{1, true}, {0, true}, {1, true}, {0, true}}), (Order{3, 1, 2, 0}));
  EXPECT_EQ(tabOrder({{0, false}, {5, true}}), (Order{1}));
  EXPECT_TRUE(tabOrder({}).empty());
}

TEST(NextInTabOrder, WrapsBothWaysAndStaysOnASingleControl) {
  const Order order{2, 1, 0};
  EXPECT_EQ(nextInTabOrder(order, 2, false), 1u);
  EXPECT_EQ(nextInTabOrder(order, 0, false), 2u);
  EXPECT_EQ(nextInTabOrder(order, 2, true), 0u);
  EXPECT_EQ(nextInTabOrder(order, 7, false), 2u);  // focus elsewhere: the first
  EXPECT_EQ(nextInTabOrder(order, 7, true), 0u);
  EXPECT_EQ(nextInTabOrder(Order{4}, 4, false), 4u);
}

TEST(AccessKeyOf, FindsTheLetterAfterASingleAmpersand) {
  struct Case {
    const char* caption;
    char key;
  };
  const Case cases[] = {
      {"&N.\xD0\xC2\xBD\xA8", 'N'},  // &N.新建
      {"&a.x", 'A'},
      {"Save &As", 'A'},
      {"a&&b", 0},
      {"&&&x", 'X'},
      {"plain", 0},
      {"end&", 0},
      {"\xB1\x26x", 0},  // 0x26 as the second byte of a character is no ampersand
      {"&1 one", '1'},
  };
  for (const auto& item : cases) EXPECT_EQ(accessKeyOf(item.caption), item.key) << item.caption;
}

}  // namespace
}  // namespace pellith
