#include "forms/form_registry.h"

#include <algorithm>
#include <memory>

#include "forms/shell_state.h"
#include "forms/win32_handles.h"

namespace pellith::forms {

namespace {
struct Registry {
  std::vector<std::unique_ptr<FormWindow>> windows;
  WindowHandle hiddenOwner;
};

Registry& registry() {
  static Registry instance;
  return instance;
}

auto findForm(const Form& form) {
  auto& windows = registry().windows;
  return std::find_if(windows.begin(), windows.end(), [&](const auto& loaded) { return &loaded->form() == &form; });
}
}  // namespace

FormWindow* loadedWindow(const Form& form) {
  const auto found = findForm(form);
  return found == registry().windows.end() ? nullptr : found->get();
}

FormWindow& window(const Form& form) { return *loadedWindow(form); }

FormWindow* windowFromHandle(HWND window) {
  for (const auto& loaded : registry().windows)
    if (loaded->handle() == window && window) return loaded.get();
  return nullptr;
}

std::vector<FormWindow*> loadedWindows() {
  std::vector<FormWindow*> result;
  for (const auto& loaded : registry().windows) result.push_back(loaded.get());
  return result;
}

FormWindow& addWindow(const Form& form) {
  registry().windows.push_back(std::make_unique<FormWindow>(form));
  return *registry().windows.back();
}

void windowGone(const Form& form) {
  auto& windows = registry().windows;
  const auto found = findForm(form);
  if (found == windows.end()) return;
  // Take it out before it is freed, so nothing finds a window half gone.
  std::unique_ptr<FormWindow> gone = std::move(*found);
  windows.erase(found);
  gone.reset();
  if (windows.empty() && shellState().loopStarted) PostQuitMessage(0);
}

void releaseForms() {
  while (!registry().windows.empty()) {
    const Form& form = registry().windows.back()->form();
    const HWND handle = registry().windows.back()->handle();
    if (handle && IsWindow(handle)) DestroyWindow(handle);
    if (loadedWindow(form)) windowGone(form);
  }
  registry().hiddenOwner.reset();
}

HWND hiddenOwner() {
  auto& owner = registry().hiddenOwner;
  if (!owner)
    owner.reset(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr),
                                nullptr));
  return owner.get();
}

}  // namespace pellith::forms
