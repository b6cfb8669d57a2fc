#include "forms/keyboard.h"

#include <shellapi.h>

#include "core/keyboard_rules.h"
#include "forms/form_registry.h"

namespace pellith::forms {

namespace {
bool keyDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

bool pressButtonWithAccessKey(FormWindow& window, WPARAM virtualKey) {
  for (const auto& control : window.controls()) {
    auto* button = dynamic_cast<Button*>(control.get());
    if (!button || !button->handle() || !IsWindowVisible(button->handle()) || !IsWindowEnabled(button->handle()))
      continue;
    if (accessKeyOf(button->caption()) != static_cast<char>(virtualKey)) continue;
    button->setFocus();
    SendMessageA(button->handle(), BM_CLICK, 0, 0);
    return true;
  }
  return false;
}

bool isLetterOrDigit(WPARAM virtualKey) {
  return (virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9');
}
}  // namespace

bool preTranslateMessage(MSG& message) {
  const UINT kind = message.message;
  if (kind != WM_KEYDOWN && kind != WM_SYSKEYDOWN && kind != WM_CHAR) return false;
  const HWND root = GetAncestor(message.hwnd, GA_ROOT);
  FormWindow* window = windowFromHandle(root);
  if (!window) return false;

  if (kind != WM_CHAR && window->accelerators() && TranslateAcceleratorW(root, window->accelerators(), &message))
    return true;

  Control* focused = window->controlFromHandle(GetFocus());
  const WindowSettings& settings = window->form().window;
  if (kind == WM_CHAR) return message.wParam == '\t';  // Tab never types a tab character

  const WPARAM key = message.wParam;
  if (kind == WM_SYSKEYDOWN) return isLetterOrDigit(key) && pressButtonWithAccessKey(*window, key);
  if (focused && focused->claimsKey(key)) return false;
  switch (key) {
    case VK_TAB:
      if (!keyDown(VK_CONTROL)) window->moveFocus(keyDown(VK_SHIFT));
      return true;
    case VK_RETURN:
      if (!settings.enterMovesFocus) return false;
      window->moveFocus(false);
      return true;
    case VK_ESCAPE:
      if (!settings.escCloses) return false;
      SendMessageA(root, WM_SYSCOMMAND, SC_CLOSE, 0);
      return true;
    case VK_F1:
      if (!settings.f1Help) return false;
      if (settings.helpFile && *settings.helpFile)
        ShellExecuteA(root, "open", settings.helpFile, nullptr, nullptr, SW_SHOWNORMAL);
      return true;
    default:
      return false;
  }
}

}  // namespace pellith::forms
