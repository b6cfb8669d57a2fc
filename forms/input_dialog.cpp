// The dialog is built from an in-memory template so that its layout is in
// dialog units of its own font, 宋体 at 9 points (or the default GUI font's
// face where 宋体 is not installed). Dialog templates hold UTF-16 strings;
// the texts are converted here and nowhere else.
#include "forms/input_dialog.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "forms/win32_handles.h"

namespace pellith::forms {

namespace {
constexpr int promptId = 100;
constexpr int entryId = 101;
constexpr const char* preferredFace = "宋体";

std::wstring wide(const std::string& text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring result(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), length);
  return result;
}

int CALLBACK noteFaceFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

std::string dialogFace() {
  ScreenDeviceContext screen;
  LOGFONTA wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  std::strcpy(wanted.lfFaceName, preferredFace);
  bool found = false;
  EnumFontFamiliesExA(screen.get(), &wanted, noteFaceFound, reinterpret_cast<LPARAM>(&found), 0);
  if (found) return preferredFace;
  LOGFONTA fallback{};
  GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof fallback, &fallback);
  return fallback.lfFaceName;
}

// Appends DLGTEMPLATE-format records: WORD-aligned, strings as UTF-16 with NUL.
class TemplateWriter {
 public:
  void words(std::initializer_list<WORD> values) {
    for (WORD value : values) buffer_.push_back(value);
  }
  void text(const std::wstring& value) {
    for (wchar_t character : value) buffer_.push_back(static_cast<WORD>(character));
    buffer_.push_back(0);
  }
  void doubleWord(DWORD value) { words({LOWORD(value), HIWORD(value)}); }
  void alignToDoubleWord() {
    if (buffer_.size() % 2) buffer_.push_back(0);
  }
  void item(DWORD style, short x, short y, short width, short height, WORD id, WORD systemClass,
            const std::wstring& caption) {
    alignToDoubleWord();
    doubleWord(style | WS_CHILD | WS_VISIBLE);
    doubleWord(0);
    words({static_cast<WORD>(x), static_cast<WORD>(y), static_cast<WORD>(width), static_cast<WORD>(height), id});
    words({0xFFFF, systemClass});
    text(caption);
    words({0});  // no creation data
  }
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(buffer_.data()); }
  void setItemCount(WORD count) { buffer_[4] = count; }

 private:
  std::vector<WORD> buffer_;
};

constexpr WORD buttonClass = 0x0080;
constexpr WORD editClass = 0x0081;
constexpr WORD staticClass = 0x0082;

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

// Disables the thread's enabled top-level windows for as long as it lives.
class ProgramWindowsDisabled {
 public:
  ProgramWindowsDisabled() {
    EnumThreadWindows(GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&disabled_));
    for (HWND window : disabled_) EnableWindow(window, FALSE);
  }
  ~ProgramWindowsDisabled() {
    for (HWND window : disabled_)
      if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  ProgramWindowsDisabled(const ProgramWindowsDisabled&) = delete;
  ProgramWindowsDisabled& operator=(const ProgramWindowsDisabled&) = delete;

 private:
  static BOOL CALLBACK collect(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
  }
  std::vector<HWND> disabled_;
};
}  // namespace

bool inputDialog(const std::string& title, const std::string& prompt, const std::string& initial,
                 std::string& entered) {
  TemplateWriter layout;
  layout.doubleWord(DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
  layout.doubleWord(0);
  layout.words({0, 0, 0, 252, 92});  // item count (set below), x, y, width, height
  layout.words({0, 0});              // no menu, the standard dialog class
  layout.text(L"");                  // the caption is set at WM_INITDIALOG
  layout.words({9});
  layout.text(wide(dialogFace()));
  layout.item(SS_SUNKEN, 7, 7, 238, 35, 0xFFFF, staticClass, L"");
  layout.item(SS_LEFT, 12, 11, 229, 27, promptId, staticClass, L"");
  layout.item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 45, 238, 12, entryId, editClass, L"");
  layout.item(BS_DEFPUSHBUTTON | WS_TABSTOP, 63, 66, 55, 19, IDOK, buttonClass, wide("确认输入(&O)"));
  layout.item(BS_PUSHBUTTON | WS_TABSTOP, 134, 66, 55, 19, IDCANCEL, buttonClass, wide("取消(&C)"));
  layout.setItemCount(5);

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
