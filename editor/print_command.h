// Printing the document.
#pragma once

namespace pellith {

void onFilePrint();

}  // namespace pellith
