// The file dialogs: a 260-byte name buffer that starts with the component's
// FileName, the file-type list built from Filter, and the options the
// component's flags ask for. Only a confirmed dialog changes FileName.
#include "forms/show_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>

#include "core/file_dialog_text.h"
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
}  // namespace

bool showDialog(CommonDialog& dialog) {
  switch (dialog.dialogType()) {
    case 0:
    case 1: return showFileDialog(dialog);
    default: return false;  // the font and help dialogs come with their commands
  }
}

}  // namespace pellith::forms
