#include "core/file_dialog_text.h"

#include <gtest/gtest.h>

namespace pellith {
namespace {

using namespace std::string_literals;

TEST(FileTypeList, TurnsSeparatorsIntoNulsWithTheDoubleNulEnd) {
  struct Case {
    std::string filter;
    std::string list;
  };
  const Case cases[] = {
      {"", ""},
      {"  \t\r\n", ""},
      {"Text|*.txt", "Text\0*.txt\0\0"s},
      {"Text|*.txt||", "Text\0*.txt\0\0"s},
      {"Text|*.txt|All|*.*  ", "Text\0*.txt\0All\0*.*\0\0"s},
      {"Text|*.txt|", "Text\0*.txt\0\0\0"s},  // one "|" at the end is not the "||" ending
      // 0x7C as the second byte of a character stays in the description.
      {"\x81\x7C|*.x", "\x81\x7C\0*.x\0\0"s},
  };
  for (const auto& item : cases) EXPECT_EQ(fileTypeList(item.filter), item.list) << item.filter;
}

TEST(DefaultExtensionForDialog, DropsTheWildcardAndDot) {
  EXPECT_EQ(defaultExtensionForDialog("*.txt"), "txt");
  EXPECT_EQ(defaultExtensionForDialog(".txt"), "txt");
  EXPECT_EQ(defaultExtensionForDialog("txt"), "txt");
  EXPECT_EQ(defaultExtensionForDialog(""), "");
}

}  // namespace
}  // namespace pellith
