// A loaded form: the window, its controls in form order, its menu items and
// the window's own properties. Handlers reach controls by their form names.
#pragma once
#include <windows.h>

#include <climits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/button.h"
#include "forms/common_dialog.h"
#include "forms/edit_box.h"
#include "forms/form.h"
#include "forms/label.h"
#include "forms/menu_bar.h"
#include "forms/printer_component.h"

namespace pellith::forms {

inline constexpr int controlIdBase = 100;

class FormWindow {
 public:
  explicit FormWindow(const Form& form);
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;
  ~FormWindow();

  const Form& form() const { return form_; }
  HWND handle() const { return handle_; }

  // Creates the window (hidden), its menu bar and its controls (hidden,
  // stacked in form order), then shows the visible controls without
  // activating them. False when the window or a control cannot be made.
  bool create(HWND owner);

  std::string caption() const;
  void setCaption(std::string_view caption);
  int left() const;
  int top() const;
  int width() const;
  int height() const;
  void setWidth(int width);
  void setHeight(int height);
  int clientWidth() const;
  int clientHeight() const;

  Control& control(std::string_view name);
  EditBox& editBox(std::string_view name);
  Button& button(std::string_view name);
  Label& label(std::string_view name);
  CommonDialog& commonDialog(std::string_view name);
  PrinterComponent& printer(std::string_view name);
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
  Control* controlFromHandle(HWND child) const;

  // Menu items by their form names. Writes rebuild the menu bar at once.
  const MenuItem& menuItem(std::string_view name) const;
  void setMenuChecked(std::string_view name, bool checked);
  void setMenuEnabled(std::string_view name, bool enabled);
  void setMenuVisible(std::string_view name, bool visible);
  void setMenuCaption(std::string_view name, std::string caption);
  HACCEL accelerators() const { return menu_.accelerators.get(); }
  const std::vector<ACCEL>& acceleratorEntries() const { return menu_.entries; }
  HMENU menuBar() const { return menu_.bar.get(); }

  // Keyboard focus: the control last focused in this window, else the first in Tab order.
  std::vector<Control*> tabOrder() const;
  void moveFocus(bool backwards);
  void restoreFocus();
  void controlReplaced(HWND old, HWND fresh);

  // Takes note of the current size and place; later WM_SIZE and WM_MOVE raise
  // their events only when these really change (showing a window sends both).
  void notePlacement();

  bool destroyPending = false;
  std::vector<HWND> disabledByModalLoad;

 private:
  static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  MenuItem& menuItemNamed(std::string_view name);
  void rebuildMenu();
  void keyboardFocusLeaving();

  const Form& form_;
  HWND handle_ = nullptr;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<MenuItem> menuItems_;
  BuiltMenu menu_;
  BrushHandle backBrush_;
  HWND lastFocus_ = nullptr;
  bool beingDestroyed_ = false;
  struct Placement {
    WPARAM sizeKind = SIZE_RESTORED;
    int clientWidth = -1;
    int clientHeight = -1;
    int clientLeft = INT_MIN;
    int clientTop = INT_MIN;
  } placement_;
};

// Registered message that carries a deferred destroy request.
UINT destroyRequestMessage();

}  // namespace pellith::forms
