// Loads test forms in-process and feeds keys through the program's own
// keyboard path, as the message loop would.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include "app/message_loop.h"
#include "forms/form_registry.h"
#include "forms/keyboard.h"
#include "forms/shell_state.h"
#include "tests/unit/test_forms.h"

namespace pellith::testing {

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    eventLog().clear();
    forms::shellState() = {};
  }
  void TearDown() override {
    forms::releaseForms();
    forms::shellState() = {};
    MSG leftover;
    while (PeekMessageW(&leftover, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
};

// Key down and up with the given modifiers held, through preTranslateMessage.
inline void pressKey(WORD virtualKey, bool control = false, bool alt = false, bool shift = false) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  state[VK_CONTROL] = control ? 0x80 : 0;
  state[VK_MENU] = alt ? 0x80 : 0;
  state[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(state);
  MSG message{};
  message.hwnd = GetFocus();
  message.message = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
  message.wParam = virtualKey;
  message.lParam = 1 | (alt ? (1 << 29) : 0);
  if (!forms::preTranslateMessage(message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  processWaitingMessages();
  state[VK_CONTROL] = state[VK_MENU] = state[VK_SHIFT] = 0;
  SetKeyboardState(state);
}

}  // namespace pellith::testing
