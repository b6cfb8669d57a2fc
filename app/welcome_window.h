// The welcome window: never shown; it hands over to the editor window.
#pragma once

namespace pellith {

void onStartupCreated();
void onStartupDestroying();
void onWelcomeNewClicked();
void onWelcomeExitClicked();

}  // namespace pellith
