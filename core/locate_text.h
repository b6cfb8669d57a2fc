// Finding the first occurrence of a pattern in GBK text.
#pragma once
#include <cstdint>
#include <string_view>

namespace pellith {

// 1-based byte position of the first occurrence of `pattern` in `text` that
// begins where a character begins, or -1. A byte of 0x80 or above starts a
// two-byte character whatever follows it. The comparison is exact. An empty
// pattern is found at 1 in any non-empty text.
std::int64_t locateText(std::string_view text, std::string_view pattern);

}  // namespace pellith
