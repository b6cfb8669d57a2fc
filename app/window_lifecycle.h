// Loading a form into a window and destroying it again.
#pragma once
#include "forms/form.h"

namespace pellith {

// Creates the form's window, raises created, position changed and size
// changed, and shows it when the form says visible. A form whose window is
// open is only activated. False when the window cannot be made.
bool loadWindow(const forms::Form& form, const forms::Form* owner = nullptr, bool modal = false);

// Requests the destruction of a loaded form's window: carried out by the
// message loop, or at once when atOnce is true.
void destroyWindow(const forms::Form& form, bool atOnce = false);

}  // namespace pellith
