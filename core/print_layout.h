// Laying a document out on printed pages.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pellith {

// Width of one character (one or two GBK bytes) in the printer's units.
using CharacterWidth = std::function<int(std::string_view character)>;

struct PrintPage {
  std::vector<std::string> rows;  // what each row shows, tabs already expanded
};

// The document's lines, broken at CR LF (a lone CR or LF breaks too), with
// tabs expanded to the next multiple of 8 columns (a byte is a column), each
// wrapped into rows no wider than `rowWidth` at character boundaries (never
// inside a two-byte character; a character wider than the row gets a row of
// its own), in pages of `rowsPerPage` rows. An empty document is one empty
// page.
std::vector<PrintPage> layOutPages(std::string_view text, const CharacterWidth& widthOf, int rowWidth,
                                   int rowsPerPage);

}  // namespace pellith
