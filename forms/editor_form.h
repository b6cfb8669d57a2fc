#pragma once
#include "forms/form.h"

namespace pellith::forms {

// The main window: a menu bar and the edit box 编辑框1 that holds the document.
extern const Form EditorWindow;

}  // namespace pellith::forms
