// The Find command's memory: the last text searched for, kept for the run.
#pragma once
#include <string>

namespace pellith {

extern std::string searchText;

// Exit routine: lets go of the last search text.
void releaseSearchText();

}  // namespace pellith
