// Menu items of a loaded window and the menu bar and accelerator table built
// from them. Item i of the form answers to command id menuCommandBase + i.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "forms/form.h"
#include "forms/win32_handles.h"

namespace pellith::forms {

inline constexpr int menuCommandBase = 1000;

struct MenuItem {
  explicit MenuItem(const FormMenuItem& definition)
      : definition(definition), caption(definition.caption ? definition.caption : ""),
        checked(definition.checked), enabled(definition.enabled), visible(definition.visible) {}

  const FormMenuItem& definition;
  std::string caption;
  bool checked;
  bool enabled;
  bool visible;
};

struct BuiltMenu {
  MenuHandle bar;                 // none when the form has no shown header
  AcceleratorHandle accelerators; // none when no shown item has a shortcut
  std::vector<ACCEL> entries;     // the table's entries in menu order
};

BuiltMenu buildMenu(const std::vector<MenuItem>& items);

// The item index a command id stands for, if it is one of the menu's.
std::optional<std::size_t> menuItemForCommand(WORD commandId, std::size_t itemCount);

}  // namespace pellith::forms
