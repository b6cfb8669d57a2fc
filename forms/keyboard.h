// Keyboard handling of the program's windows, before a control sees a key:
// menu shortcuts first, then the control's own keys, then Tab, Enter, Esc,
// F1 and Alt access keys as the window's form asks.
#pragma once
#include <windows.h>

namespace pellith::forms {

// True when the message was used up and must not be dispatched.
bool preTranslateMessage(MSG& message);

}  // namespace pellith::forms
