// Each command is one request to the edit box, which handles the clipboard
// and the selection itself and has finished when the request returns.
#include "editor/clipboard_commands.h"

#include <windows.h>

#include "forms/editor_form.h"
#include "forms/form_registry.h"

namespace pellith {

namespace {
void sendToDocument(UINT request) { forms::window(forms::EditorWindow).editBox("编辑框1").sendMessage(request, 0, 0); }
}  // namespace

void onEditCut() { sendToDocument(WM_CUT); }
void onEditCopy() { sendToDocument(WM_COPY); }
void onEditPaste() { sendToDocument(WM_PASTE); }
void onEditDelete() { sendToDocument(WM_CLEAR); }

}  // namespace pellith
