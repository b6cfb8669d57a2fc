#include "file_dialog_text.h"

#include "gbk.h"

namespace pellith {

namespace {
bool isTrailingBlank(char byte) { return byte == ' ' || (byte >= '\t' && byte <= '\r'); }

// True where a "|" at `at` is a separator and not the second byte of a character.
std::string withSeparatorsAsNul(std::string_view text) {
  std::string result(text);
  for (std::size_t at = 0; at < result.size(); ++at) {
    if (isGbkLeadByte(static_cast<unsigned char>(result[at]))) {
      ++at;
    } else if (result[at] == '|') {
      result[at] = '\0';
    }
  }
  return result;
}
}  // namespace

std::string fileTypeList(std::string_view filter) {
  while (!filter.empty() && isTrailingBlank(filter.back())) filter.remove_suffix(1);
  if (filter.empty()) return {};
  std::string list = withSeparatorsAsNul(filter);
  const bool endsWithTwoSeparators =
      list.size() >= 2 && list[list.size() - 1] == '\0' && list[list.size() - 2] == '\0';
  if (!endsWithTwoSeparators) list.append(2, '\0');
  return list;
}

std::string defaultExtensionForDialog(std::string_view extension) {
  if (extension.substr(0, 2) == "*.") extension.remove_prefix(2);
  else if (extension.substr(0, 1) == ".") extension.remove_prefix(1);
  return std::string(extension);
}

}  // namespace pellith
