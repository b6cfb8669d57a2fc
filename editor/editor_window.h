// The editor window's own events.
#pragma once

namespace pellith {

void onEditorCreated();
void onEditorResized();
void onEditorDestroying();

}  // namespace pellith
