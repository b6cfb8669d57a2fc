#pragma once
#include "forms/form.h"

namespace pellith::forms {

// The welcome window: invisible by its form, it hands over to the editor.
extern const Form StartupWindow;

}  // namespace pellith::forms
