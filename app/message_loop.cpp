#include "app/message_loop.h"

#include <windows.h>

#include "forms/form_registry.h"
#include "forms/keyboard.h"
#include "forms/shell_state.h"

namespace pellith {

namespace {
void dispatch(MSG& message) {
  if (forms::preTranslateMessage(message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}
}  // namespace

void runMessageLoop() {
  forms::shellState().loopStarted = true;
  if (forms::loadedWindows().empty()) return;
  MSG message{};
  for (;;) {
    const BOOL result = GetMessageW(&message, nullptr, 0, 0);
    if (result == 0 || result == -1) break;
    dispatch(message);
  }
  forms::shellState().quitCode = message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}

void processWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    dispatch(message);
  }
}

}  // namespace pellith
