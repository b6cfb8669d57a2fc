// Splitting a full path into its folder and file name.
#pragma once
#include <string>
#include <string_view>

namespace pellith {

struct PathParts {
  std::string directory;  // never ends with a backslash; "D:" for a drive root
  std::string fileName;
};

// Splits at the last backslash that is a separator: the search steps over
// two-byte GBK characters, whose second byte may be 0x5C. Without any
// separator the directory is empty and the whole path is the file name.
PathParts splitPath(std::string_view fullPath);

}  // namespace pellith
