#include "editor/find.h"

namespace pellith {

std::string searchText;

void releaseSearchText() {
  searchText.clear();
  searchText.shrink_to_fit();
}

}  // namespace pellith
