// The dialog is built from an in-memory template so that its layout is in
// dialog units of its own font, 宋体 at 9 points (or the default GUI font's
// face where 宋体 is not installed).
#include "forms/input_dialog.h"

#include <windows.h>

#include <vector>

#include "forms/dialog_template.h"
#include "forms/program_windows_disabled.h"

namespace pellith::forms {

namespace {
constexpr int promptId = 100;
constexpr int entryId = 101;

struct DialogState {
  const std::string* title;
  const std::string* prompt;
  const std::string* initial;
  std::string* entered;
};

INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      state = reinterpret_cast<DialogState*>(lParam);
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      SetWindowTextA(dialog, state->title->empty() ? "请输入：" : state->title->c_str());
      SetDlgItemTextA(dialog, promptId, state->prompt->c_str());
      const HWND entry = GetDlgItem(dialog, entryId);
      SetWindowTextA(entry, state->initial->c_str());
      SendMessageA(entry, EM_SETSEL, 0, -1);  // all of it, caret at the end
      SetFocus(entry);
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        const HWND entry = GetDlgItem(dialog, entryId);
        std::string text(static_cast<std::size_t>(GetWindowTextLengthA(entry)) + 1, '\0');
        text.resize(static_cast<std::size_t>(GetWindowTextA(entry, text.data(), static_cast<int>(text.size()))));
        *state->entered = std::move(text);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

bool inputDialog(const std::string& title, const std::string& prompt, const std::string& initial,
                 std::string& entered) {
  DialogTemplate layout(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 252, 92, "", 9,
                        dialogFaceName());
  layout.add(SS_SUNKEN, 7, 7, 238, 35, 0xFFFF, staticClass, "");
  layout.add(SS_LEFT, 12, 11, 229, 27, promptId, staticClass, "");
  layout.add(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 45, 238, 12, entryId, editClass, "");
  layout.add(BS_DEFPUSHBUTTON | WS_TABSTOP, 63, 66, 55, 19, IDOK, buttonClass, "确认输入(&O)");
  layout.add(BS_PUSHBUTTON | WS_TABSTOP, 134, 66, 55, 19, IDCANCEL, buttonClass, "取消(&C)");

  DialogState state{&title, &prompt, &initial, &entered};
  std::string result;
  state.entered = &result;
  ProgramWindowsDisabled disabled;
  const INT_PTR answer = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), layout.get(), nullptr, dialogProcedure,
                                                 reinterpret_cast<LPARAM>(&state));
  if (answer != IDOK) return false;
  entered = std::move(result);
  return true;
}

}  // namespace pellith::forms
