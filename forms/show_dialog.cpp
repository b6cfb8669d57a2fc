// The file dialogs: a 260-byte name buffer that starts with the component's
// FileName, the file-type list built from Filter, and the options the
// component's flags ask for. Only a confirmed dialog changes FileName.
#include "forms/show_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>

#include "core/file_dialog_text.h"
#include "core/font_metrics.h"
#include "forms/win32_handles.h"
#include "forms/form_window.h"

namespace pellith::forms {

namespace {
constexpr std::size_t nameBufferSize = 260;

bool showFileDialog(CommonDialog& dialog) {
  char name[nameBufferSize] = {};
  const std::size_t kept = std::min(dialog.fileName.size(), nameBufferSize - 1);
  std::memcpy(name, dialog.fileName.data(), kept);

  const std::string types = fileTypeList(dialog.filter);
  const std::string extension = defaultExtensionForDialog(dialog.defaultExtension);

  OPENFILENAMEA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = dialog.owner().handle();
  request.lpstrFile = name;
  request.nMaxFile = nameBufferSize;
  request.lpstrTitle = dialog.title.empty() ? nullptr : dialog.title.c_str();
  request.lpstrFilter = types.empty() ? nullptr : types.c_str();
  request.nFilterIndex = types.empty() ? 0 : static_cast<DWORD>(std::max(dialog.initialFilter, 0)) + 1;
  request.lpstrInitialDir = dialog.initialDirectory.empty() ? nullptr : dialog.initialDirectory.c_str();
  request.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  request.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING;
  if (dialog.createPrompt) request.Flags |= OFN_CREATEPROMPT;
  if (dialog.fileMustExist) request.Flags |= OFN_FILEMUSTEXIST;
  if (dialog.overwritePrompt) request.Flags |= OFN_OVERWRITEPROMPT;
  if (dialog.pathMustExist) request.Flags |= OFN_PATHMUSTEXIST;
  if (dialog.noChangeDirectory) request.Flags |= OFN_NOCHANGEDIR;

  const BOOL confirmed = dialog.dialogType() == 0 ? GetOpenFileNameA(&request) : GetSaveFileNameA(&request);
  if (!confirmed) return false;
  dialog.fileName = name;
  return true;
}
// Starts from the component's own values, never from what a control shows.
bool showFontDialog(CommonDialog& dialog) {
  const int dotsPerInch = screenDotsPerInch();
  LOGFONTA initial{};
  if (dialog.bold == 1) initial.lfWeight = FW_BOLD;
  initial.lfItalic = dialog.italic == 1;
  initial.lfStrikeOut = dialog.strikeOut == 1;
  initial.lfUnderline = dialog.underline == 1;
  initial.lfCharSet = ANSI_CHARSET;
  if (!dialog.fontName.empty()) lstrcpynA(initial.lfFaceName, dialog.fontName.c_str(), LF_FACESIZE);
  if (dialog.fontSize() != 0) initial.lfHeight = characterHeightForPoints(dialog.fontSize(), dotsPerInch);

  CHOOSEFONTA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = dialog.owner().handle();
  request.lpLogFont = &initial;
  request.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  request.rgbColors = dialog.colour;
  if (!ChooseFontA(&request)) return false;

  dialog.colour = request.rgbColors;
  dialog.bold = initial.lfWeight >= FW_BOLD ? 1 : 0;
  dialog.italic = initial.lfItalic ? 1 : 0;
  dialog.strikeOut = initial.lfStrikeOut ? 1 : 0;
  dialog.underline = initial.lfUnderline ? 1 : 0;
  dialog.fontName.assign(initial.lfFaceName, strnlen(initial.lfFaceName, LF_FACESIZE - 1));
  dialog.setFontSize(pointsForCharacterHeight(initial.lfHeight, dotsPerInch));
  return true;
}
}  // namespace

bool showDialog(CommonDialog& dialog) {
  switch (dialog.dialogType()) {
    case 0:
    case 1: return showFileDialog(dialog);
    case 2: return showFontDialog(dialog);
    default: return false;  // the program shows no help dialog
  }
}

}  // namespace pellith::forms
