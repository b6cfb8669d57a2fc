#include "forms/button.h"

#include "forms/shell_state.h"

namespace pellith::forms {

Button::Button(FormWindow& owner, const FormControl& definition, int id)
    : Control(owner, definition, id), caption_(definition.button->caption ? definition.button->caption : "") {}

HWND Button::createWindow(HWND parent) {
  const ButtonSettings& settings = *definition_.button;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (settings.buttonType == 1 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  if (definition_.tabStop) style |= WS_TABSTOP;
  if (!enabled_) style |= WS_DISABLED;
  style |= settings.horizontalAlignment == 0 ? BS_LEFT : settings.horizontalAlignment == 2 ? BS_RIGHT : BS_CENTER;
  style |= settings.verticalAlignment == 0 ? BS_TOP : settings.verticalAlignment == 2 ? BS_BOTTOM : BS_VCENTER;
  HWND button = CreateWindowExA(0, "BUTTON", caption_.c_str(), style, bounds_.left, bounds_.top, bounds_.width,
                                bounds_.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                                GetModuleHandleA(nullptr), nullptr);
  if (button) SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return button;
}

void Button::setCaption(std::string caption) {
  caption_ = std::move(caption);
  if (handle_) SetWindowTextA(handle_, caption_.c_str());
}

void Button::notify(WORD notification) {
  if (notification == BN_CLICKED) raiseEvent(definition_.clicked);
}

}  // namespace pellith::forms
