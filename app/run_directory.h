// The folder of the program file, fixed once at start.
#pragma once
#include <string>

namespace pellith {

// A copy of the run directory: no trailing backslash, "D:" for a drive root,
// empty when the program path had no backslash.
std::string runDirectory();

// Reads the program file's path and fixes the run directory; done once at start.
void fixRunDirectory();

}  // namespace pellith
