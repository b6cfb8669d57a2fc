// Window-free rules of keyboard navigation: Tab order and access keys.
#pragma once
#include <cstddef>
#include <string_view>
#include <vector>

namespace pellith {

struct TabCandidate {
  int tabIndex;
  bool eligible;  // visible, enabled and a tab stop
};

// Form indices of the eligible controls in Tab order: by TabIndex, and for
// equal TabIndex the control that comes last in the form first.
std::vector<std::size_t> tabOrder(const std::vector<TabCandidate>& controlsInFormOrder);

// The control after (or before) `current` in `order`, wrapping around. When
// `current` is not in the order the first (or last) one is taken.
std::size_t nextInTabOrder(const std::vector<std::size_t>& order, std::size_t current, bool backwards);

// The upper-cased access key of a caption ("&N.新建" gives 'N'), or 0. "&&" is
// a literal ampersand; the search steps over two-byte characters.
char accessKeyOf(std::string_view caption);

}  // namespace pellith
