#include "editor/file_commands.h"

#include "app/window_lifecycle.h"
#include "forms/editor_form.h"

namespace pellith {

// Nothing is asked and nothing is saved.
void onFileExit() { destroyWindow(forms::EditorWindow); }

}  // namespace pellith
