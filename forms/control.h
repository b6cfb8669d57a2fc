// A control of a loaded window: its stored properties and, for the kinds
// that have one, its child window. Components (common dialogs, printer) are
// property stores without a window.
#pragma once
#include <windows.h>

#include <string>

#include "forms/form.h"
#include "forms/win32_handles.h"

namespace pellith::forms {

class FormWindow;

class Control {
 public:
  Control(FormWindow& owner, const FormControl& definition, int id);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  const FormControl& definition() const { return definition_; }
  const char* name() const { return definition_.name; }
  ControlKind kind() const { return definition_.kind; }
  HWND handle() const { return handle_; }
  int id() const { return id_; }
  FormWindow& owner() const { return owner_; }

  int left() const;
  int top() const;
  int width() const;
  int height() const;
  void setWidth(int width);
  void setHeight(int height);
  bool visible() const { return visible_; }
  bool enabled() const { return enabled_; }
  bool tabStop() const { return definition_.tabStop; }
  int tabIndex() const { return definition_.tabIndex; }

  void setFocus();
  LRESULT sendMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Creates the child window, hidden, inserted in the stacking order right
  // after `previous` (or at the top without one). False on failure.
  virtual bool create(HWND parent, HWND previous);
  // Keys this control takes for itself before the window's keyboard rules.
  virtual bool claimsKey(WPARAM virtualKey) const;
  // Colours for WM_CTLCOLOR*; nullptr lets the system choose.
  virtual HBRUSH paintColours(HDC dc);
  // WM_COMMAND notifications sent by the child window.
  virtual void notify(WORD notification);

 protected:
  // The child window as made by the kind; nullptr for components.
  virtual HWND createWindow(HWND parent) = 0;
  void adoptHandle(HWND handle) { handle_ = handle; }
  void resize();

  FormWindow& owner_;
  const FormControl& definition_;
  const int id_;
  HWND handle_ = nullptr;  // destroyed with its parent window
  Bounds bounds_;
  bool visible_;
  bool enabled_;
};

// Background brush for a colour property; the system face colour for the default.
HBRUSH brushFor(Colour colour, BrushHandle& cache);

}  // namespace pellith::forms
