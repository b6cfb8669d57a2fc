// The window is built while events are held, so nothing of the program runs
// against a half-made window; its created handler always runs before the
// window is first shown. A handler may destroy the window, so each later step
// looks it up again instead of keeping a reference.
#include "app/window_lifecycle.h"

#include <windows.h>

#include "app/message_loop.h"
#include "forms/form_registry.h"
#include "forms/shell_state.h"

namespace pellith {

namespace {
using forms::FormWindow;

void carryOutDestroyRequest(FormWindow& window) {
  if (!window.destroyPending) return;
  window.destroyPending = false;
  DestroyWindow(window.handle());
}

int showCommandFor(forms::StartPosition position) {
  switch (position) {
    case forms::StartPosition::minimised: return SW_SHOWMINIMIZED;
    case forms::StartPosition::maximised: return SW_SHOWMAXIMIZED;
    default: return SW_SHOWNORMAL;
  }
}

void disableOtherWindows(FormWindow& modalWindow) {
  for (FormWindow* other : forms::loadedWindows()) {
    if (other == &modalWindow || !IsWindowEnabled(other->handle())) continue;
    EnableWindow(other->handle(), FALSE);
    modalWindow.disabledByModalLoad.push_back(other->handle());
  }
}
}  // namespace

bool loadWindow(const forms::Form& form, const forms::Form* owner, bool modal) {
  if (FormWindow* existing = forms::loadedWindow(form)) {
    if (!existing->destroyPending) {
      if (IsIconic(existing->handle())) {
        ShowWindow(existing->handle(), SW_RESTORE);
      } else {
        SetForegroundWindow(existing->handle());
      }
      return true;
    }
    carryOutDestroyRequest(*existing);
    if (forms::loadedWindow(form)) return false;
  }

  if (modal) owner = nullptr;
  HWND ownerHandle = nullptr;
  if (owner) {
    FormWindow* ownerWindow = forms::loadedWindow(*owner);
    if (!ownerWindow) return false;
    ownerHandle = ownerWindow->handle();
  } else if (modal || !form.window.showInTaskbar) {
    ownerHandle = forms::hiddenOwner();
  }

  processWaitingMessages();
  {
    forms::EventHold hold;
    FormWindow& window = forms::addWindow(form);
    if (!window.create(ownerHandle)) {
      if (window.handle()) DestroyWindow(window.handle());
      if (forms::loadedWindow(form)) forms::windowGone(form);
      return false;
    }
    processWaitingMessages();
    window.notePlacement();
  }

  forms::raiseEvent(form.events.created);
  if (!forms::loadedWindow(form)) return true;
  forms::raiseEvent(form.events.positionChanged);
  if (!forms::loadedWindow(form)) return true;
  forms::raiseEvent(form.events.sizeChanged);
  FormWindow* window = forms::loadedWindow(form);
  if (!window) return true;

  if (form.window.visible) ShowWindow(window->handle(), showCommandFor(form.window.startPosition));
  window = forms::loadedWindow(form);
  if (window && modal) disableOtherWindows(*window);
  return true;
}

void destroyWindow(const forms::Form& form, bool atOnce) {
  FormWindow* window = forms::loadedWindow(form);
  if (!window || !window->handle()) return;
  window->destroyPending = true;
  if (atOnce) {
    carryOutDestroyRequest(*window);
  } else {
    PostMessageA(window->handle(), forms::destroyRequestMessage(), 0, 0);
  }
}

}  // namespace pellith
