// Small forms of the form-layer tests and the log their handlers write to.
#pragma once
#include <string>
#include <vector>

#include "forms/form.h"

namespace pellith::testing {

// What the test handlers did, in order ("created", "clicked 按钮1", ...).
std::vector<std::string>& eventLog();

// A visible, centred window: an edit box, three buttons, a label and a menu
// whose first two drop-down items share Ctrl+K.
extern const forms::Form ToolWindow;
// A hidden window with no controls and no menu; its destroying handler asks
// for its own destruction again.
extern const forms::Form QuietWindow;
// A window that closes on Esc and moves the focus on Enter.
extern const forms::Form DialogLikeWindow;

// Whether the created handler saw the window shown already.
extern bool toolWindowVisibleWhenCreated;

}  // namespace pellith::testing
