// Cut, copy, paste and delete: the edit box does the work.
#pragma once

namespace pellith {

void onEditCut();
void onEditCopy();
void onEditPaste();
void onEditDelete();

}  // namespace pellith
