// The font dialog starts from its own last confirmed choice, never from what
// the edit box shows. Only name, size and colour are stored; bold, italic,
// underline and strikeout last until the program ends.
#include "editor/font_command.h"

#include "core/font_record.h"
#include "core/text_conversion.h"
#include "forms/editor_form.h"
#include "forms/form_registry.h"
#include "forms/show_dialog.h"
#include "settings/settings_file.h"

namespace pellith {

void onFormatFont() {
  forms::FormWindow& editor = forms::window(forms::EditorWindow);
  forms::CommonDialog& fontDialog = editor.commonDialog("通用对话框1");
  fontDialog.setDialogType(2);
  if (!forms::showDialog(fontDialog)) return;
  FontRecord record;
  record.bold = fontDialog.bold;
  record.italic = fontDialog.italic;
  record.strikeout = fontDialog.strikeOut;
  record.underline = fontDialog.underline;
  record.name = fontDialog.fontName;
  record.size = fontDialog.fontSize();
  forms::EditBox& document = editor.editBox("编辑框1");
  document.setFont(record);
  document.setTextColour(fontDialog.colour);
  writeSetting(settingsPath(), settingsSection, fontNameKey, fontDialog.fontName);
  writeSetting(settingsPath(), settingsSection, fontSizeKey, toText(fontDialog.fontSize()));
  writeSetting(settingsPath(), settingsSection, textColourKey, toText(static_cast<std::int32_t>(fontDialog.colour)));
}

void applyStoredAppearance() {
  FontRecord record;
  record.name = readSetting(settingsPath(), settingsSection, fontNameKey);
  record.size = toInteger(readSetting(settingsPath(), settingsSection, fontSizeKey));
  forms::EditBox& document = forms::window(forms::EditorWindow).editBox("编辑框1");
  document.setTextColour(static_cast<forms::Colour>(toInteger(readSetting(settingsPath(), settingsSection, textColourKey))));
  document.setFont(record);
}

}  // namespace pellith
