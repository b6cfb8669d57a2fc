// Word wrap and the date stamp.
#pragma once
#include <string_view>

#include "forms/edit_box.h"

namespace pellith {

void onEditWordWrap();
void onEditDate();

// Puts the text after the last byte of the box's content as a change that
// cannot be undone; the caret ends after it, scrolled into view.
void appendToEnd(forms::EditBox& box, std::string_view text);

}  // namespace pellith
