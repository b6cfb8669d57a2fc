// Shortcut indices: 1-26 are Ctrl+A..Ctrl+Z, 27 is F1, 28 is F2. Four keys are
// shared between items on purpose; the first item in menu order takes the key.
#include "forms/editor_form.h"

#include "editor/editor_window.h"
#include "editor/clipboard_commands.h"
#include "editor/file_commands.h"
#include "editor/font_command.h"
#include "editor/help_commands.h"
#include "editor/print_command.h"
#include "editor/find.h"
#include "editor/wrap_and_date.h"

namespace pellith::forms {

namespace {
constexpr int ctrl(char letter) { return letter - 'A' + 1; }
constexpr int functionKey(int number) { return 26 + number; }

constexpr CommonDialogSettings fileDialog(int dialogType, const char* title, bool fileMustExist) {
  return {.dialogType = dialogType, .title = title, .fileName = "*.txt", .filter = "", .initialFilter = 0,
          .initialDirectory = "", .defaultExtension = "*.txt", .createPrompt = false,
          .fileMustExist = fileMustExist, .overwritePrompt = true, .pathMustExist = true,
          .noChangeDirectory = false, .colour = 0x000000, .bold = false, .italic = false, .strikeOut = false,
          .underline = false, .fontName = "", .fontSize = 0};
}

constexpr CommonDialogSettings saveDialog = fileDialog(1, "Pellith记事本-保存", false);
constexpr CommonDialogSettings openDialog = fileDialog(0, "Pellith记事本-打开", true);
constexpr CommonDialogSettings fontDialog{
    .dialogType = 0, .title = "", .fileName = "", .filter = "", .initialFilter = 0, .initialDirectory = "",
    .defaultExtension = "", .createPrompt = false, .fileMustExist = true, .overwritePrompt = true,
    .pathMustExist = true, .noChangeDirectory = false, .colour = 0x000000, .bold = false, .italic = false,
    .strikeOut = false, .underline = false, .fontName = "", .fontSize = 0};

constexpr EditBoxSettings document{
    .text = "",
    .border = ControlBorder::sunken,
    .textColour = 0x000000,
    .backColour = 0xFFFFFF,
    .font = {.face = "思源黑体 CN Regular", .height = -29, .weight = 400, .italic = false, .underline = false, .strikeOut = false},
    .hideSelection = true,
    .maxLength = 0,
    .multiLine = true,
    .scrollBars = 3,
    .alignment = 0,
    .inputMode = 0,
    .passwordChar = '*',
    .caseConversion = 0,
    .selStart = 0,
    .selLength = 0,
};

constexpr FormControl controls[] = {
    {.kind = ControlKind::commonDialog, .name = "通用对话框3", .bounds = {0, 96, 32, 32}, .visible = false,
     .enabled = true, .tabStop = false, .tabIndex = 0, .commonDialog = &saveDialog},
    {.kind = ControlKind::commonDialog, .name = "通用对话框2", .bounds = {0, 64, 32, 32}, .visible = false,
     .enabled = true, .tabStop = false, .tabIndex = 0, .commonDialog = &openDialog},
    {.kind = ControlKind::printer, .name = "打印机1", .bounds = {0, 32, 32, 32}, .visible = false, .enabled = true,
     .tabStop = false, .tabIndex = 0},
    {.kind = ControlKind::commonDialog, .name = "通用对话框1", .bounds = {0, 0, 32, 32}, .visible = false,
     .enabled = true, .tabStop = false, .tabIndex = 0, .commonDialog = &fontDialog},
    {.kind = ControlKind::editBox, .name = "编辑框1", .bounds = {0, 0, 768, 424}, .visible = true, .enabled = true,
     .tabStop = true, .tabIndex = 0, .editBox = &document},
};

constexpr FormMenuItem item(const char* name, const char* caption, int level, int shortcut, Handler selected) {
  return {.name = name, .caption = caption, .level = level, .shortcut = shortcut, .checked = false, .enabled = true,
          .visible = true, .selected = selected};
}

// "&S.全选" has no handler: choosing it does nothing.
constexpr FormMenuItem menu[] = {
    item("文件菜单", "&F.文件", 0, 0, nullptr),
    item("新建", "&N.新建", 1, ctrl('N'), onFileNew),
    item("打开", "&O.打开", 1, ctrl('O'), onFileOpen),
    item("保存", "&S.保存", 1, ctrl('S'), onFileSave),
    item("另存为", "&S.另存为", 1, ctrl('S'), onFileSaveAs),
    item("文件分隔线1", "-", 1, 0, nullptr),
    item("打印", "&P.打印", 1, 0, onFilePrint),
    item("文件分隔线2", "-", 1, 0, nullptr),
    item("退出", "&E.退出", 1, ctrl('E'), onFileExit),
    item("编辑菜单", "&E.编辑", 0, 0, nullptr),
    item("查找", "&F.查找", 1, functionKey(2), onEditFind),
    item("编辑分隔线1", "-", 1, 0, nullptr),
    item("剪切", "&C.剪切", 1, ctrl('C'), onEditCut),
    item("复制", "&C.复制", 1, ctrl('C'), onEditCopy),
    item("粘贴", "&V.粘贴", 1, ctrl('V'), onEditPaste),
    item("删除", "&D.删除", 1, ctrl('D'), onEditDelete),
    item("全选", "&S.全选", 1, ctrl('S'), nullptr),
    item("编辑分隔线2", "-", 1, 0, nullptr),
    item("自动换行", "&A.自动换行", 1, ctrl('A'), onEditWordWrap),
    item("日期", "&D.日期", 1, ctrl('D'), onEditDate),
    item("格式菜单", "&F.格式", 0, 0, nullptr),
    item("字体", "&F.字体", 1, ctrl('F'), onFormatFont),
    item("关于菜单", "&O.关于", 0, 0, nullptr),
    item("帮助", "&H.帮助", 1, functionKey(1), onHelpContents),
    item("关于本程序", "&A.关于Pellith记事本", 1, ctrl('A'), onHelpAbout),
};
}  // namespace

extern const Form EditorWindow;
constexpr Form EditorWindow{
    .name = "EditorWindow",
    .window =
        {
            .caption = "Pellith记事本",
            .bounds = {50, 50, 774, 471},
            .startPosition = StartPosition::centred,
            .border = Border::resizable,
            .controlBox = true,
            .minButton = true,
            .maxButton = true,
            .movable = true,
            .visible = true,
            .enabled = true,
            .backColour = systemDefaultColour,
            .enterMovesFocus = false,
            .escCloses = false,
            .f1Help = false,
            .showInTaskbar = true,
            .topMost = false,
            .helpFile = "",
        },
    .controls = controls,
    .menu = menu,
    .events = {.created = onEditorCreated, .sizeChanged = onEditorResized, .destroying = onEditorDestroying},
};

}  // namespace pellith::forms
