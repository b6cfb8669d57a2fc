// The form keeps the welcome window invisible, and its created handler asks
// for its destruction before the loader would show it, so the first window
// the user sees is the editor. The buttons stay for the form's sake; they can
// never be pressed.
#include "app/welcome_window.h"

#include "app/window_lifecycle.h"
#include "forms/editor_form.h"
#include "forms/startup_form.h"

namespace pellith {

void onStartupCreated() {
  loadWindow(forms::EditorWindow);
  destroyWindow(forms::StartupWindow);
}

void onStartupDestroying() { destroyWindow(forms::StartupWindow); }

void onWelcomeNewClicked() { loadWindow(forms::EditorWindow); }

void onWelcomeExitClicked() { destroyWindow(forms::StartupWindow); }

}  // namespace pellith
