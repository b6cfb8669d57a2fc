#include "print_layout.h"

#include <algorithm>

#include "gbk.h"

namespace pellith {

namespace {
constexpr std::size_t tabColumns = 8;

std::size_t characterLength(std::string_view text, std::size_t at) {
  return (isGbkLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size()) ? 2 : 1;
}

std::vector<std::string> documentLines(std::string_view text) {
  std::vector<std::string> lines(1);
  for (std::size_t at = 0; at < text.size();) {
    const char byte = text[at];
    if (byte == '\r' || byte == '\n') {
      at += (byte == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ? 2 : 1;
      lines.emplace_back();
      continue;
    }
    std::string& line = lines.back();
    if (byte == '\t') {
      line.append(tabColumns - line.size() % tabColumns, ' ');
      ++at;
      continue;
    }
    const std::size_t length = characterLength(text, at);
    line.append(text.substr(at, length));
    at += length;
  }
  return lines;
}

void wrapInto(std::vector<std::string>& rows, const std::string& line, const CharacterWidth& widthOf, int rowWidth) {
  if (line.empty()) {
    rows.emplace_back();
    return;
  }
  std::size_t rowStart = 0;
  int used = 0;
  for (std::size_t at = 0; at < line.size();) {
    const std::size_t length = characterLength(line, at);
    const int width = widthOf(std::string_view(line).substr(at, length));
    if (at > rowStart && used + width > rowWidth) {
      rows.push_back(line.substr(rowStart, at - rowStart));
      rowStart = at;
      used = 0;
    }
    used += width;
    at += length;
  }
  rows.push_back(line.substr(rowStart));
}
}  // namespace

std::vector<PrintPage> layOutPages(std::string_view text, const CharacterWidth& widthOf, int rowWidth,
                                   int rowsPerPage) {
  rowsPerPage = std::max(rowsPerPage, 1);
  std::vector<std::string> rows;
  if (!text.empty())
    for (const std::string& line : documentLines(text)) wrapInto(rows, line, widthOf, rowWidth);
  std::vector<PrintPage> pages;
  for (std::size_t first = 0; first < rows.size(); first += static_cast<std::size_t>(rowsPerPage)) {
    const std::size_t last = std::min(rows.size(), first + static_cast<std::size_t>(rowsPerPage));
    pages.push_back({std::vector<std::string>(rows.begin() + static_cast<std::ptrdiff_t>(first),
                                              rows.begin() + static_cast<std::ptrdiff_t>(last))});
  }
  if (pages.empty()) pages.emplace_back();
  return pages;
}

}  // namespace pellith
