// Word wrap is the absence of the horizontal scroll bar, which the EDIT
// control cannot switch in place: writing ScrollBars re-creates it, and the
// content is written back whole afterwards. The menu's check mark holds the
// mode; the handler never asks the edit box.
#include "editor/wrap_and_date.h"

#include <windows.h>

#include <string>

#include "core/date_stamp.h"
#include "forms/editor_form.h"
#include "forms/form_registry.h"

namespace pellith {

void onEditWordWrap() {
  forms::FormWindow& editor = forms::window(forms::EditorWindow);
  forms::EditBox& document = editor.editBox("编辑框1");
  // The stored copy is what the new control is made from; writing it back
  // afterwards costs no second load.
  const std::string& saved = document.text();
  if (!editor.menuItem("自动换行").checked) {
    document.setScrollBars(2);
    editor.setMenuChecked("自动换行", true);
  } else {
    document.setScrollBars(3);
    editor.setMenuChecked("自动换行", false);
  }
  document.setText(std::string_view(saved));
}

void onEditDate() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const std::string stamp =
      formatDateTime({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond});
  appendToEnd(forms::window(forms::EditorWindow).editBox("编辑框1"), stamp);
}

void appendToEnd(forms::EditBox& box, std::string_view text) { box.appendText(text); }

}  // namespace pellith
