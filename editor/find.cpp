// Every Find starts at the first byte; there is no find-next. A confirmed
// entry replaces searchText even when nothing is found; a cancelled one
// leaves it.
#include "editor/find.h"

#include "app/message_box.h"
#include "core/locate_text.h"
#include "forms/editor_form.h"
#include "forms/form_registry.h"
#include "forms/input_dialog.h"

namespace pellith {

std::string searchText;

void onEditFind() {
  std::string entered;
  if (!forms::inputDialog("Pellith记事本", "输入欲查找的文本:", searchText, entered)) return;
  searchText = std::move(entered);
  forms::EditBox& document = forms::window(forms::EditorWindow).editBox("编辑框1");
  const std::int64_t position = locateText(document.text(), searchText);
  if (position == -1) {
    messageBox("没有找到指定文本", 0, "Pellith记事本");
    return;
  }
  document.setFocus();
  document.setSelStart(static_cast<int>(position - 1));
  document.setSelLength(static_cast<int>(searchText.size()));
}

void releaseSearchText() {
  searchText.clear();
  searchText.shrink_to_fit();
}

}  // namespace pellith
