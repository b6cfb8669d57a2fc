#include "tests/unit/test_forms.h"

#include <windows.h>

#include "app/window_lifecycle.h"
#include "forms/form_registry.h"

namespace pellith::testing {

std::vector<std::string>& eventLog() {
  static std::vector<std::string> log;
  return log;
}

bool toolWindowVisibleWhenCreated = false;

namespace {
using namespace forms;

void record(const char* what) { eventLog().emplace_back(what); }

void toolCreated() {
  toolWindowVisibleWhenCreated = IsWindowVisible(window(ToolWindow).handle()) != 0;
  record("created");
}

constexpr EditBoxSettings editSettings{
    .text = "",
    .border = ControlBorder::sunken,
    .textColour = 0x0000FF,
    .backColour = 0xFFFFFF,
    .font = {.face = "Tahoma", .height = -16, .weight = 400, .italic = false, .underline = false, .strikeOut = false},
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

constexpr ButtonSettings buttonOne{.caption = "&N.新", .buttonType = 0, .horizontalAlignment = 1, .verticalAlignment = 1};
constexpr ButtonSettings buttonTwo{.caption = "&Q.退", .buttonType = 0, .horizontalAlignment = 1, .verticalAlignment = 1};
constexpr ButtonSettings buttonThree{.caption = "三", .buttonType = 1, .horizontalAlignment = 1, .verticalAlignment = 1};
constexpr LabelSettings caption{.caption = "标签", .border = ControlBorder::none, .textColour = 0,
                                .backColour = systemDefaultColour,
                                .font = {.face = "Tahoma", .height = -12, .weight = 400, .italic = false,
                                         .underline = false, .strikeOut = false},
                                .horizontalAlignment = 0, .verticalAlignment = 0, .wordWrap = true};
constexpr CommonDialogSettings dialogSettings{
    .dialogType = 9, .title = "标题", .fileName = "*.txt", .filter = "", .initialFilter = 0, .initialDirectory = "",
    .defaultExtension = "*.txt", .createPrompt = false, .fileMustExist = true, .overwritePrompt = true,
    .pathMustExist = true, .noChangeDirectory = false, .colour = 0x123456, .bold = false, .italic = true,
    .strikeOut = false, .underline = false, .fontName = "", .fontSize = -3};

constexpr FormControl toolControls[] = {
    {.kind = ControlKind::commonDialog, .name = "对话框", .bounds = {0, 0, 32, 32}, .visible = false,
     .enabled = true, .tabStop = false, .tabIndex = 0, .commonDialog = &dialogSettings},
    {.kind = ControlKind::button, .name = "按钮1", .bounds = {10, 200, 80, 30}, .visible = true, .enabled = true,
     .tabStop = true, .tabIndex = 0, .button = &buttonOne, .clicked = [] { record("clicked 按钮1"); }},
    {.kind = ControlKind::button, .name = "按钮2", .bounds = {100, 200, 80, 30}, .visible = true, .enabled = true,
     .tabStop = true, .tabIndex = 0, .button = &buttonTwo, .clicked = [] { record("clicked 按钮2"); }},
    {.kind = ControlKind::editBox, .name = "编辑框", .bounds = {0, 0, 300, 150}, .visible = true, .enabled = true,
     .tabStop = true, .tabIndex = 1, .editBox = &editSettings},
    {.kind = ControlKind::button, .name = "按钮3", .bounds = {190, 200, 80, 30}, .visible = true, .enabled = true,
     .tabStop = true, .tabIndex = 0, .button = &buttonThree},
    {.kind = ControlKind::label, .name = "标签", .bounds = {10, 160, 80, 20}, .visible = true, .enabled = true,
     .tabStop = false, .tabIndex = 0, .label = &caption},
};

constexpr FormMenuItem item(const char* name, const char* caption, int level, int shortcut, Handler selected) {
  return {.name = name, .caption = caption, .level = level, .shortcut = shortcut, .checked = false, .enabled = true,
          .visible = true, .selected = selected};
}

constexpr FormMenuItem toolMenu[] = {
    item("甲菜单", "&A.甲", 0, 0, nullptr),
    item("第一", "&1.第一", 1, 11, [] { record("first"); }),   // Ctrl+K
    item("第二", "&2.第二", 1, 11, [] { record("second"); }),  // Ctrl+K again
    item("分隔", "-", 1, 0, nullptr),
    item("第三", "&3.第三", 1, 28, [] { record("third"); }),  // F2
    item("乙菜单", "&B.乙", 0, 0, nullptr),
    item("第四", "&4.第四", 1, 76, [] { record("fourth"); }),  // Del
};

constexpr WindowSettings windowSettings(const char* caption, bool visible, bool escCloses, bool enterMovesFocus) {
  return {.caption = caption, .bounds = {20, 30, 400, 300}, .startPosition = StartPosition::centred,
          .border = Border::resizable, .controlBox = true, .minButton = true, .maxButton = true, .movable = true,
          .visible = visible, .enabled = true, .backColour = systemDefaultColour,
          .enterMovesFocus = enterMovesFocus, .escCloses = escCloses, .f1Help = false, .showInTaskbar = true,
          .topMost = false, .helpFile = ""};
}

constexpr FormControl dialogControls[] = {
    {.kind = ControlKind::button, .name = "甲", .bounds = {10, 10, 80, 30}, .visible = true, .enabled = true,
     .tabStop = true, .tabIndex = 0, .button = &buttonOne},
    {.kind = ControlKind::button, .name = "乙", .bounds = {100, 10, 80, 30}, .visible = true, .enabled = true,
     .tabStop = true, .tabIndex = 1, .button = &buttonTwo},
};
}  // namespace

extern const Form ToolWindow;
constexpr Form ToolWindow{
    .name = "ToolWindow",
    .window = windowSettings("工具", true, false, false),
    .controls = toolControls,
    .menu = toolMenu,
    .events = {.created = toolCreated,
               .positionChanged = [] { record("moved"); },
               .sizeChanged = [] { record("resized"); },
               .destroying = [] { record("destroying"); }},
};

extern const Form QuietWindow;
constexpr Form QuietWindow{
    .name = "QuietWindow",
    .window = windowSettings("安静", false, false, false),
    .controls = {},
    .menu = {},
    .events = {.created = [] { record("quiet created"); },
               .destroying =
                   [] {
                     record("quiet destroying");
                     destroyWindow(QuietWindow);
                   }},
};

extern const Form DialogLikeWindow;
constexpr Form DialogLikeWindow{
    .name = "DialogLikeWindow",
    .window = windowSettings("对话", true, true, true),
    .controls = dialogControls,
    .menu = {},
    .events = {.destroying = [] { record("dialog destroying"); }},
};

}  // namespace pellith::testing
