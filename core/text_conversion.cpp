#include "text_conversion.h"


namespace pellith {

std::string concatText(std::initializer_list<std::string_view> texts) {
  std::size_t length = 0;
  for (std::string_view text : texts) length += text.size();
  std::string joined;
  joined.reserve(length);
  for (std::string_view text : texts) joined += text;
  return joined;
}

std::string bytesToText(std::string bytes) {
  const std::size_t firstNul = bytes.find('\0');
  if (firstNul != std::string::npos) bytes.resize(firstNul);
  return bytes;
}

std::string textToBytes(std::string_view text) { return std::string(text); }

namespace {
// Full-width forms: A3 A1..A3 FE are the ASCII characters 21..7E; a few
// forms in row A1 count as a space, "~" and "*". Other characters stay as
// they are, and a lead byte at the very end is dropped.
std::string foldFullWidth(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
      folded += static_cast<char>(lead);
      continue;
    }
    if (at + 1 >= text.size()) break;
    const auto second = static_cast<unsigned char>(text[++at]);
    if (lead == 0xA3 && second >= 0xA1 && second <= 0xFE) {
      folded += static_cast<char>(second - 0x80);
    } else if (lead == 0xA1 && second == 0xA1) {
      folded += ' ';
    } else if (lead == 0xA1 && second == 0xAB) {
      folded += '~';
    } else if (lead == 0xA1 && (second == 0xEE || second == 0xEF)) {
      folded += '*';
    } else {
      folded += static_cast<char>(lead);
      folded += static_cast<char>(second);
    }
  }
  return folded;
}

bool isWhiteSpace(char byte) { return byte == ' ' || (byte >= '\t' && byte <= '\r'); }
}  // namespace

std::int32_t toInteger(std::string_view text) {
  const std::string folded = foldFullWidth(text);
  std::size_t at = 0;
  while (at < folded.size() && isWhiteSpace(folded[at])) ++at;
  bool negative = false;
  if (at < folded.size() && (folded[at] == '+' || folded[at] == '-')) negative = folded[at++] == '-';
  std::uint32_t value = 0;  // unsigned: wrapping is defined
  for (; at < folded.size() && folded[at] >= '0' && folded[at] <= '9'; ++at)
    value = value * 10u + static_cast<std::uint32_t>(folded[at] - '0');
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

std::string toText(std::int32_t value) { return std::to_string(value); }

}  // namespace pellith
