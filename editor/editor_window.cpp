// The edit box stays at 0,0 and always covers the whole client area.
#include "editor/editor_window.h"

#include "app/window_lifecycle.h"
#include "editor/font_command.h"
#include "forms/editor_form.h"
#include "forms/form_registry.h"

namespace pellith {

void onEditorCreated() {
  forms::window(forms::EditorWindow).setCaption("无标题 - Pellith记事本");
  applyStoredAppearance();
}

void onEditorResized() {
  forms::FormWindow& editor = forms::window(forms::EditorWindow);
  forms::EditBox& document = editor.editBox("编辑框1");
  document.setWidth(editor.clientWidth());
  document.setHeight(editor.clientHeight());
}

void onEditorDestroying() { destroyWindow(forms::EditorWindow); }

}  // namespace pellith
