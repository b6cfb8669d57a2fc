// The document is printed as it looks on screen: the edit box's text in its
// font and colour.
#include "editor/print_command.h"

#include "forms/editor_form.h"
#include "forms/form_registry.h"
#include "forms/printer_component.h"

namespace pellith {

void onFilePrint() {
  forms::FormWindow& editor = forms::window(forms::EditorWindow);
  forms::EditBox& document = editor.editBox("编辑框1");
  const forms::PrintContent content{document.text(), document.font(), document.textColour()};
  editor.printer("打印机1").startPrint(content);
}

}  // namespace pellith
