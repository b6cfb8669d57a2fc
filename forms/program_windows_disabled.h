// Disables the program's enabled, visible top-level windows for as long as it
// lives, and gives each back its enabled state afterwards.
#pragma once
#include <windows.h>

#include <vector>

namespace pellith::forms {

class ProgramWindowsDisabled {
 public:
  // `except` (a window that must stay usable, such as a progress window) is left alone.
  explicit ProgramWindowsDisabled(HWND except = nullptr) {
    EnumThreadWindows(GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&disabled_));
    for (HWND window : disabled_)
      if (window != except) EnableWindow(window, FALSE);
    std::erase(disabled_, except);
  }
  ~ProgramWindowsDisabled() {
    for (HWND window : disabled_)
      if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  ProgramWindowsDisabled(const ProgramWindowsDisabled&) = delete;
  ProgramWindowsDisabled& operator=(const ProgramWindowsDisabled&) = delete;

 private:
  static BOOL CALLBACK collect(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && IsWindowEnabled(window))
      reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
  }
  std::vector<HWND> disabled_;
};

}  // namespace pellith::forms
