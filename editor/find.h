// Find: the first occurrence of a text, selected; the last text is remembered.
#pragma once
#include <string>

namespace pellith {

// The last confirmed search text, offered again by the next Find.
extern std::string searchText;

void onEditFind();

// Exit routine: lets go of the last search text.
void releaseSearchText();

}  // namespace pellith
