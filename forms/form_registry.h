// The program's loaded forms: each form has at most one window at a time.
#pragma once
#include <windows.h>

#include <vector>

#include "forms/form.h"
#include "forms/form_window.h"

namespace pellith::forms {

// The form's window, or nullptr when the form is not loaded.
FormWindow* loadedWindow(const Form& form);
// The form's window; the form must be loaded.
FormWindow& window(const Form& form);
FormWindow* windowFromHandle(HWND window);
std::vector<FormWindow*> loadedWindows();

// A new, not yet created window for the form, owned by the registry.
FormWindow& addWindow(const Form& form);
// Forgets the form's window once the system window is gone. When it was the
// last window and the message loop runs, the quit request is posted.
void windowGone(const Form& form);

// Destroys every window still loaded, at the end of the program.
void releaseForms();

// The hidden top-level window that owns windows without a taskbar button.
HWND hiddenOwner();

}  // namespace pellith::forms
