// The search runs at the speed of a plain byte search: it looks for raw
// occurrences and only then asks whether one begins on a character. That
// question is answered backwards: the byte after any byte below 0x80 always
// begins a character (a byte below 0x80 is a whole character or the end of
// one), and from there bytes of 0x80 and above pair up. So a position begins
// a character when the run of high bytes right before it has even length.
// The walk back stops at the last position already known to begin a
// character, so no byte is walked over twice and the whole search stays
// linear even in text without a single ASCII byte.
#include "locate_text.h"

namespace pellith {

namespace {
bool isHigh(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

class CharacterStarts {
 public:
  explicit CharacterStarts(std::string_view text) : text_(text) {}

  // Whether a character begins at `position`; positions must not decrease between calls.
  bool beginsCharacter(std::size_t position) {
    std::size_t highBytes = 0;
    std::size_t at = position;
    while (at > known_ && isHigh(text_[at - 1])) {
      --at;
      ++highBytes;
    }
    // Either a low byte stops the run (a character begins after it) or the
    // run reaches the known start: both are character starts.
    const bool begins = highBytes % 2 == 0;
    known_ = begins ? position : position - 1;
    return begins;
  }

 private:
  std::string_view text_;
  std::size_t known_ = 0;  // a position known to begin a character
};
}  // namespace

std::int64_t locateText(std::string_view text, std::string_view pattern) {
  if (pattern.empty()) return text.empty() ? -1 : 1;
  CharacterStarts starts(text);
  for (std::size_t from = 0;;) {
    const std::size_t found = text.find(pattern, from);
    if (found == std::string_view::npos) return -1;
    if (starts.beginsCharacter(found)) return static_cast<std::int64_t>(found) + 1;
    from = found + 1;
  }
}

}  // namespace pellith
