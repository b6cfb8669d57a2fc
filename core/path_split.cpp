#include "path_split.h"

#include "gbk.h"

namespace pellith {

PathParts splitPath(std::string_view fullPath) {
  std::size_t lastSeparator = std::string_view::npos;
  for (std::size_t at = 0; at < fullPath.size(); ++at) {
    const auto byte = static_cast<unsigned char>(fullPath[at]);
    if (isGbkLeadByte(byte)) {
      ++at;  // the second byte is part of the character, never a separator
    } else if (byte == '\\') {
      lastSeparator = at;
    }
  }
  if (lastSeparator == std::string_view::npos) return {std::string(), std::string(fullPath)};
  return {std::string(fullPath.substr(0, lastSeparator)), std::string(fullPath.substr(lastSeparator + 1))};
}

}  // namespace pellith
