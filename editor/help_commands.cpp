// The help file is only named, never checked or read: when it is missing the
// shell finds nothing to open and the program says nothing.
#include "editor/help_commands.h"

#include "app/message_box.h"
#include "app/run_directory.h"
#include "app/shell.h"
#include "core/text_conversion.h"

namespace pellith {

void onHelpContents() { shellOpen(concatText({runDirectory(), "\\Pellith记事本帮助.chm"})); }

void onHelpAbout() { messageBox("Pellith记事本\n\n版本：V1.0\n\n2021年7月9日", 0, "关于Pellith记事本"); }

}  // namespace pellith
