#include "keyboard_rules.h"

#include <algorithm>

#include "gbk.h"

namespace pellith {

std::vector<std::size_t> tabOrder(const std::vector<TabCandidate>& controlsInFormOrder) {
  std::vector<std::size_t> order;
  for (std::size_t index = controlsInFormOrder.size(); index-- > 0;)
    if (controlsInFormOrder[index].eligible) order.push_back(index);
  // Stable on the reversed list, so equal TabIndex keeps reverse form order.
  std::stable_sort(order.begin(), order.end(), [&](std::size_t left, std::size_t right) {
    return controlsInFormOrder[left].tabIndex < controlsInFormOrder[right].tabIndex;
  });
  return order;
}

std::size_t nextInTabOrder(const std::vector<std::size_t>& order, std::size_t current, bool backwards) {
  const auto found = std::find(order.begin(), order.end(), current);
  if (found == order.end()) return backwards ? order.back() : order.front();
  const std::size_t position = static_cast<std::size_t>(found - order.begin());
  if (backwards) return order[(position + order.size() - 1) % order.size()];
  return order[(position + 1) % order.size()];
}

char accessKeyOf(std::string_view caption) {
  for (std::size_t at = 0; at + 1 < caption.size(); ++at) {
    const auto byte = static_cast<unsigned char>(caption[at]);
    if (isGbkLeadByte(byte)) {
      ++at;
    } else if (byte == '&') {
      const auto key = static_cast<unsigned char>(caption[at + 1]);
      if (key == '&') {
        ++at;
        continue;
      }
      if (isGbkLeadByte(key)) return 0;
      return static_cast<char>(key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key);
    }
  }
  return 0;
}

}  // namespace pellith
