// Handing a document to the Windows shell.
#pragma once
#include <string>

namespace pellith {

// Asks the shell to open the document in the program registered for it and
// returns at once; the shell's result is not passed back.
void shellOpen(const std::string& path);

}  // namespace pellith
