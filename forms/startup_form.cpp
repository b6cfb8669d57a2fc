#include "forms/startup_form.h"

#include "app/welcome_window.h"

namespace pellith::forms {

namespace {
constexpr ButtonSettings exitButton{.caption = "退出", .buttonType = 0, .horizontalAlignment = 1, .verticalAlignment = 1};
constexpr ButtonSettings openButton{.caption = "打开", .buttonType = 0, .horizontalAlignment = 1, .verticalAlignment = 1};
constexpr ButtonSettings newButton{.caption = "新建", .buttonType = 0, .horizontalAlignment = 1, .verticalAlignment = 1};

constexpr LabelSettings greeting{
    .caption = "欢迎使用Pellith记事本！",
    .border = ControlBorder::none,
    .textColour = 0x000000,
    .backColour = systemDefaultColour,
    .font = {.face = "思源黑体 CN Medium", .height = -37, .weight = 500, .italic = false, .underline = false, .strikeOut = false},
    .horizontalAlignment = 0,
    .verticalAlignment = 0,
    .wordWrap = true,
};

constexpr FormControl controls[] = {
    {.kind = ControlKind::button, .name = "按钮3", .bounds = {248, 144, 120, 56}, .visible = true, .enabled = true,
     .tabStop = true, .tabIndex = 0, .button = &exitButton, .clicked = onWelcomeExitClicked},
    {.kind = ControlKind::button, .name = "按钮2", .bounds = {400, 144, 120, 56}, .visible = true, .enabled = true,
     .tabStop = true, .tabIndex = 0, .button = &openButton, .clicked = nullptr},
    {.kind = ControlKind::button, .name = "按钮1", .bounds = {96, 144, 120, 56}, .visible = true, .enabled = true,
     .tabStop = true, .tabIndex = 0, .button = &newButton, .clicked = onWelcomeNewClicked},
    {.kind = ControlKind::label, .name = "标签1", .bounds = {128, 40, 360, 72}, .visible = true, .enabled = true,
     .tabStop = false, .tabIndex = 0, .label = &greeting},
};
}  // namespace

extern const Form StartupWindow;
constexpr Form StartupWindow{
    .name = "StartupWindow",
    .window =
        {
            .caption = "Pellith记事本",
            .bounds = {50, 50, 642, 260},
            .startPosition = StartPosition::centred,
            .border = Border::fixed,
            .controlBox = true,
            .minButton = true,
            .maxButton = false,
            .movable = true,
            .visible = false,
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
    .menu = {},
    .events = {.created = onStartupCreated, .destroying = onStartupDestroying},
};

}  // namespace pellith::forms
