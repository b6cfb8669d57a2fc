// The edit control counts positions in characters while the program counts
// bytes. A lead byte always takes the byte after it, whatever that byte is,
// which is how the system's code-page conversion walks GBK text; a lead byte
// at the very end stands alone.
#include "gbk.h"

namespace pellith {

namespace {
std::size_t characterLength(std::string_view text, std::size_t at) {
  return (isGbkLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size()) ? 2 : 1;
}
}  // namespace

std::size_t byteToCharOffset(std::string_view text, std::size_t byteOffset) {
  if (byteOffset > text.size()) byteOffset = text.size();
  std::size_t characters = 0;
  for (std::size_t at = 0; at < byteOffset; at += characterLength(text, at)) ++characters;
  return characters;
}

std::size_t charToByteOffset(std::string_view text, std::size_t charOffset) {
  std::size_t at = 0;
  for (std::size_t characters = 0; characters < charOffset && at < text.size(); ++characters)
    at += characterLength(text, at);
  return at;
}

}  // namespace pellith
