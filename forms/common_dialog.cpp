#include "forms/common_dialog.h"

#include <algorithm>

namespace pellith::forms {

namespace {
std::string textOrEmpty(const char* text) { return text ? text : ""; }
}  // namespace

CommonDialog::CommonDialog(FormWindow& owner, const FormControl& definition, int id)
    : Component(owner, definition, id),
      title(textOrEmpty(definition.commonDialog->title)),
      fileName(textOrEmpty(definition.commonDialog->fileName)),
      filter(textOrEmpty(definition.commonDialog->filter)),
      initialFilter(definition.commonDialog->initialFilter),
      initialDirectory(textOrEmpty(definition.commonDialog->initialDirectory)),
      defaultExtension(textOrEmpty(definition.commonDialog->defaultExtension)),
      createPrompt(definition.commonDialog->createPrompt),
      fileMustExist(definition.commonDialog->fileMustExist),
      overwritePrompt(definition.commonDialog->overwritePrompt),
      pathMustExist(definition.commonDialog->pathMustExist),
      noChangeDirectory(definition.commonDialog->noChangeDirectory),
      colour(definition.commonDialog->colour),
      bold(definition.commonDialog->bold),
      italic(definition.commonDialog->italic),
      strikeOut(definition.commonDialog->strikeOut),
      underline(definition.commonDialog->underline),
      fontName(textOrEmpty(definition.commonDialog->fontName)),
      dialogType_(std::clamp(definition.commonDialog->dialogType, 0, 3)),
      fontSize_(std::max(definition.commonDialog->fontSize, 0)) {}

void CommonDialog::setDialogType(int type) { dialogType_ = std::clamp(type, 0, 3); }
void CommonDialog::setFontSize(int size) { fontSize_ = std::max(size, 0); }

}  // namespace pellith::forms
