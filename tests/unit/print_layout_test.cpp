#include "core/print_layout.h"

#include <gtest/gtest.h>

namespace pellith {
namespace {

using Rows = std::vector<std::string>;

// One unit per byte: a two-byte character is two units wide.
int byteWidth(std::string_view character) { return static_cast<int>(character.size()); }

Rows allRows(const std::vector<PrintPage>& pages) {
  Rows rows;
  for (const PrintPage& page : pages) rows.insert(rows.end(), page.rows.begin(), page.rows.end());
  return rows;
}

TEST(PrintLayout, BreaksAtLineEndsAndKeepsEmptyLines) {
  EXPECT_EQ(allRows(layOutPages("a\r\nb\r\n\r\nc", byteWidth, 80, 60)), (Rows{"a", "b", "", "c"}));
  EXPECT_EQ(allRows(layOutPages("a\nb\rc\r\n", byteWidth, 80, 60)), (Rows{"a", "b", "c", ""}));
}

TEST(PrintLayout, ExpandsTabsToEightColumns) {
  EXPECT_EQ(allRows(layOutPages("\tx", byteWidth, 80, 60)), (Rows{"        x"}));
  EXPECT_EQ(allRows(layOutPages("abc\tx", byteWidth, 80, 60)), (Rows{"abc     x"}));
  EXPECT_EQ(allRows(layOutPages("abcdefgh\tx", byteWidth, 80, 60)), (Rows{"abcdefgh        x"}));
  EXPECT_EQ(allRows(layOutPages("\xD6\xD0\t|", byteWidth, 80, 60)), (Rows{"\xD6\xD0      |"}));
}

TEST(PrintLayout, WrapsLongLinesAtCharacterBoundaries) {
  EXPECT_EQ(allRows(layOutPages("abcdefg", byteWidth, 3, 60)), (Rows{"abc", "def", "g"}));
  // 中文字 is six bytes; a row of five units takes two characters, never half of one.
  EXPECT_EQ(allRows(layOutPages("\xD6\xD0\xCE\xC4\xD7\xD6", byteWidth, 5, 60)),
            (Rows{"\xD6\xD0\xCE\xC4", "\xD7\xD6"}));
  EXPECT_EQ(allRows(layOutPages("a\xD6\xD0", byteWidth, 2, 60)), (Rows{"a", "\xD6\xD0"}));
  // A character wider than the row still gets printed, on a row of its own.
  EXPECT_EQ(allRows(layOutPages("\xD6\xD0x", byteWidth, 1, 60)), (Rows{"\xD6\xD0", "x"}));
}

TEST(PrintLayout, FillsPagesAndAlwaysHasOne) {
  EXPECT_EQ(layOutPages("", byteWidth, 80, 60).size(), 1u);
  EXPECT_TRUE(layOutPages("", byteWidth, 80, 60).front().rows.empty());
  std::string twoHundred;
  for (int line = 1; line <= 200; ++line) twoHundred += "line " + std::to_string(line) + "\r\n";
  const auto pages = layOutPages(twoHundred, byteWidth, 80, 60);
  ASSERT_EQ(pages.size(), 4u);  // 201 rows: the last line break opens an empty row
  EXPECT_EQ(pages[0].rows.size(), 60u);
  EXPECT_EQ(pages[3].rows.size(), 21u);
  EXPECT_EQ(pages[3].rows.front(), "line 181");
  EXPECT_EQ(layOutPages("x", byteWidth, 80, 0).size(), 1u);  // at least one row a page
}

}  // namespace
}  // namespace pellith
