// Showing a common dialog component's system dialog.
#pragma once
#include "forms/common_dialog.h"

namespace pellith::forms {

// Shows the dialog the component's DialogType names, owned by the
// component's window, and returns true when the user confirmed it; the
// component's properties then hold the choice: open (0), save (1) and font
// (2); the program shows no help dialog (3).
bool showDialog(CommonDialog& dialog);

}  // namespace pellith::forms
