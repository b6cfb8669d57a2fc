// Level 0 items are the bar's headers; the deeper items that follow a header
// make its drop-down menu. Hidden items are left out, a hidden header with
// its whole menu. Every shown item with a shortcut adds an accelerator entry
// in menu order, so where several items share a key the first one gets it.
#include "forms/menu_bar.h"

#include "core/shortcut_keys.h"

namespace pellith::forms {

namespace {
UINT itemFlags(const MenuItem& item) {
  UINT flags = MF_STRING;
  if (!item.enabled) flags |= MF_GRAYED;
  if (item.checked) flags |= MF_CHECKED;
  return flags;
}

std::string shownCaption(const MenuItem& item) {
  std::string caption = item.caption;
  if (const auto key = shortcutKey(item.definition.shortcut)) caption += "\t" + key->name;
  return caption;
}

ACCEL acceleratorEntry(const ShortcutKey& key, std::size_t index) {
  BYTE flags = FVIRTKEY;
  if (key.control) flags |= FCONTROL;
  if (key.shift) flags |= FSHIFT;
  return ACCEL{flags, key.virtualKey, static_cast<WORD>(menuCommandBase + index)};
}
}  // namespace

BuiltMenu buildMenu(const std::vector<MenuItem>& items) {
  BuiltMenu built;
  HMENU bar = nullptr;
  HMENU dropDown = nullptr;
  bool headerShown = false;
  for (std::size_t index = 0; index < items.size(); ++index) {
    const MenuItem& item = items[index];
    if (item.definition.level <= 0) {
      headerShown = item.visible;
      dropDown = nullptr;
      if (!headerShown) continue;
      if (!bar) {
        bar = CreateMenu();
        built.bar.reset(bar);
      }
      dropDown = CreatePopupMenu();
      UINT flags = MF_POPUP | MF_STRING;
      if (!item.enabled) flags |= MF_GRAYED;
      AppendMenuA(bar, flags, reinterpret_cast<UINT_PTR>(dropDown), item.caption.c_str());
      continue;
    }
    if (!headerShown || !dropDown || !item.visible) continue;
    if (item.caption == "-") {
      AppendMenuA(dropDown, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    AppendMenuA(dropDown, itemFlags(item), menuCommandBase + index, shownCaption(item).c_str());
    if (const auto key = shortcutKey(item.definition.shortcut)) built.entries.push_back(acceleratorEntry(*key, index));
  }
  if (!built.entries.empty())
    built.accelerators.reset(CreateAcceleratorTableA(built.entries.data(), static_cast<int>(built.entries.size())));
  return built;
}

std::optional<std::size_t> menuItemForCommand(WORD commandId, std::size_t itemCount) {
  if (commandId < menuCommandBase || static_cast<std::size_t>(commandId - menuCommandBase) >= itemCount) return std::nullopt;
  return static_cast<std::size_t>(commandId - menuCommandBase);
}

}  // namespace pellith::forms
