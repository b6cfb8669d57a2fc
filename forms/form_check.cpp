// A form must name its controls and menu items once each, give every control
// the settings of its kind and start its menu with a header; a window is never
// built from a table that breaks these rules.
#include "forms/form_check.h"

#include <set>
#include <string_view>

namespace pellith::forms {

namespace {
bool hasSettingsOfItsKind(const FormControl& control) {
  switch (control.kind) {
    case ControlKind::editBox: return control.editBox != nullptr;
    case ControlKind::button: return control.button != nullptr;
    case ControlKind::label: return control.label != nullptr;
    case ControlKind::commonDialog: return control.commonDialog != nullptr;
    case ControlKind::printer: return true;
  }
  return false;
}
}  // namespace

std::string checkForm(const Form& form) {
  if (!form.name || !form.window.caption) return "form without name or caption";
  std::set<std::string_view> names;
  for (const FormControl& control : form.controls) {
    if (!control.name || !names.insert(control.name).second)
      return std::string("control name missing or repeated in ") + form.name;
    if (!hasSettingsOfItsKind(control)) return std::string("control without its settings: ") + control.name;
  }
  for (const FormMenuItem& item : form.menu) {
    if (!item.name || !item.caption || !names.insert(item.name).second)
      return std::string("menu item name or caption missing or repeated in ") + form.name;
    if (item.level < 0) return std::string("menu item with a negative level: ") + item.name;
  }
  if (!form.menu.empty() && form.menu.front().level != 0)
    return std::string("menu does not start with a header in ") + form.name;
  return {};
}

}  // namespace pellith::forms
