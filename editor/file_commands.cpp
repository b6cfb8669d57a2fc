// The document is the edit box's whole text, read and written as raw bytes.
// The program keeps no file name: the caption is the only trace of a file,
// so Save always asks, and nothing ever asks about unsaved text. The open and
// save dialogs are separate components with separate memories.
//
// A file that cannot be read is reported, never shown as an empty document
// (saving that would wipe the file), and a failed save is reported instead
// of looking like a success; in both cases the caption stays as it was.
#include "editor/file_commands.h"

#include "app/file_io.h"
#include "app/message_box.h"
#include "app/window_lifecycle.h"
#include "core/text_conversion.h"
#include "forms/editor_form.h"
#include "forms/form_registry.h"
#include "forms/show_dialog.h"

namespace pellith {

namespace {
constexpr const char* untitledCaption = "无标题 - Pellith记事本";
constexpr const char* captionSuffix = " - Pellith记事本";

forms::FormWindow& editor() { return forms::window(forms::EditorWindow); }
forms::EditBox& document() { return editor().editBox("编辑框1"); }

void saveThroughDialog() {
  forms::CommonDialog& saveDialog = editor().commonDialog("通用对话框3");
  if (!forms::showDialog(saveDialog)) return;
  const std::string path = saveDialog.fileName;
  DWORD error = ERROR_SUCCESS;
  // The document's bytes as they stand; an unedited document keeps the exact
  // bytes it was opened with, even those the edit control cannot show.
  if (!writeFile(path, document().currentText(), &error)) {
    reportFailure(concatText({"无法保存文件：", path, "\n", systemErrorText(error)}));
    return;
  }
  editor().setCaption(concatText({path, captionSuffix}));
}
}  // namespace

void onFileNew() {
  document().setText("");
  editor().setCaption(untitledCaption);
}

void onFileOpen() {
  forms::CommonDialog& openDialog = editor().commonDialog("通用对话框2");
  if (!forms::showDialog(openDialog)) return;
  const std::string path = openDialog.fileName;
  FileReadResult file = readWholeFile(path);
  if (file.tooLarge) {
    reportFailure(concatText({"无法打开文件：", path, "\n文件太大，无法在编辑框中打开。"}));
    return;
  }
  if (file.failed()) {
    reportFailure(concatText({"无法打开文件：", path, "\n", systemErrorText(file.error)}));
    return;
  }
  document().setText(bytesToText(std::move(file.bytes)));
  editor().setCaption(concatText({path, captionSuffix}));
}

// Save and Save As are one command: both always ask for the name.
void onFileSave() { saveThroughDialog(); }
void onFileSaveAs() { saveThroughDialog(); }

// Nothing is asked and nothing is saved.
void onFileExit() { destroyWindow(forms::EditorWindow); }

}  // namespace pellith
