// A modal dialog that asks for one line of text.
#pragma once
#include <string>

namespace pellith::forms {

// Shows the dialog with `initial` selected in its entry field. True when the
// user confirmed; `entered` then holds the field's text (maybe empty). Every
// window of the program is disabled while it is open.
bool inputDialog(const std::string& title, const std::string& prompt, const std::string& initial,
                 std::string& entered);

}  // namespace pellith::forms
