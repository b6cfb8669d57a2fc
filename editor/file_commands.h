// The document commands of the File menu.
#pragma once

namespace pellith {

void onFileExit();

}  // namespace pellith
