// Help and About.
#pragma once

namespace pellith {

void onHelpContents();
void onHelpAbout();

}  // namespace pellith
