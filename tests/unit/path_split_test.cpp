#include "core/path_split.h"

#include <gtest/gtest.h>

namespace pellith {
namespace {

struct PathCase {
  const char* path;
  const char* directory;
  const char* fileName;
};

TEST(SplitPathParts, SplitsAtTheLastRealSeparator) {
  const PathCase cases[] = {
      {"C:\\Program Files\\Pellith\\pellith.exe", "C:\\Program Files\\Pellith", "pellith.exe"},
      {"D:\\app.exe", "D:", "app.exe"},
      {"app.exe", "", "app.exe"},
      {"", "", ""},
      {"\\\\server\\share\\p.exe", "\\\\server\\share", "p.exe"},
      // 0x81 0x5C is one character whose second byte looks like a backslash.
      {"C:\\\x81\x5C\\p.exe", "C:\\\x81\x5C", "p.exe"},
      {"C:\\dir\x81\x5Cp.exe", "C:", "dir\x81\x5Cp.exe"},
      {"C:\\\xD6\xD0\xCE\xC4\\\xBC\xC7.exe", "C:\\\xD6\xD0\xCE\xC4", "\xBC\xC7.exe"},
      {"C:\\a\\", "C:\\a", ""},
  };
  for (const auto& item : cases) {
    const PathParts split = splitPath(item.path);
    EXPECT_EQ(split.directory, item.directory) << item.path;
    EXPECT_EQ(split.fileName, item.fileName) << item.path;
  }
}

}  // namespace
}  // namespace pellith
