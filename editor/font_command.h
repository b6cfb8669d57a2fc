// The edit box's font and text colour: the Font command and the stored look.
#pragma once

namespace pellith {

void onFormatFont();

// Applies the font name, size and colour kept in the settings file.
void applyStoredAppearance();

}  // namespace pellith
