// The document commands of the File menu.
#pragma once

namespace pellith {

void onFileNew();
void onFileOpen();
void onFileSave();
void onFileSaveAs();
void onFileExit();

}  // namespace pellith
