// Forms as data: a window's properties, its controls in form order, its menu
// items in menu order and the handlers bound to its events. The two program
// forms are constexpr tables of these types; the form layer builds windows,
// menu bars and accelerator tables from them.
#pragma once
#include <cstdint>
#include <span>

namespace pellith::forms {

using Handler = void (*)();
using CloseQuery = bool (*)();  // false refuses the close
using Colour = std::uint32_t;   // 0x00BBGGRR

inline constexpr Colour systemDefaultColour = 0xFF000000;

struct FontDescription {
  const char* face;
  int height;  // character height in pixels (negative) as the font system takes it
  int weight;
  bool italic;
  bool underline;
  bool strikeOut;
};

struct Bounds {
  int left;
  int top;
  int width;
  int height;
};

enum class Border { none, resizable, fixed, toolResizable, toolFixed, sunkenResizable, sunkenFixed };
enum class StartPosition { stored, centred, minimised, maximised };

struct WindowSettings {
  const char* caption;
  Bounds bounds;  // outer rectangle
  StartPosition startPosition;
  Border border;
  bool controlBox;
  bool minButton;
  bool maxButton;
  bool movable;
  bool visible;
  bool enabled;
  Colour backColour;
  bool enterMovesFocus;
  bool escCloses;
  bool f1Help;
  bool showInTaskbar;
  bool topMost;
  const char* helpFile;
};

struct WindowEvents {
  Handler created = nullptr;
  Handler positionChanged = nullptr;
  Handler sizeChanged = nullptr;
  Handler destroying = nullptr;
  CloseQuery mayClose = nullptr;
  CloseQuery mayCloseConfirmed = nullptr;
};

enum class ControlKind { editBox, button, label, commonDialog, printer };

// Edit box and label borders.
enum class ControlBorder { none, sunken, raised, thinSunken, sunkenAndRaised, single };

struct EditBoxSettings {
  const char* text;
  ControlBorder border;
  Colour textColour;
  Colour backColour;
  FontDescription font;
  bool hideSelection;
  int maxLength;  // 0: the platform's maximum
  bool multiLine;
  int scrollBars;  // 0 none, 1 horizontal, 2 vertical, 3 both
  int alignment;   // 0 left, 1 centre, 2 right
  int inputMode;   // 0 normal, 1 read-only, 2 password
  char passwordChar;
  int caseConversion;  // 0 none, 1 lower, 2 upper
  int selStart;
  int selLength;
};

struct ButtonSettings {
  const char* caption;
  int buttonType;  // 0 push button, 1 default push button
  int horizontalAlignment;  // 0 left, 1 centre, 2 right
  int verticalAlignment;    // 0 top, 1 middle, 2 bottom
};

struct LabelSettings {
  const char* caption;
  ControlBorder border;
  Colour textColour;
  Colour backColour;
  FontDescription font;
  int horizontalAlignment;
  int verticalAlignment;
  bool wordWrap;
};

struct CommonDialogSettings {
  int dialogType;  // 0 open file, 1 save file, 2 font, 3 help
  const char* title;
  const char* fileName;
  const char* filter;
  int initialFilter;
  const char* initialDirectory;
  const char* defaultExtension;
  bool createPrompt;
  bool fileMustExist;
  bool overwritePrompt;
  bool pathMustExist;
  bool noChangeDirectory;
  Colour colour;
  bool bold;
  bool italic;
  bool strikeOut;
  bool underline;
  const char* fontName;
  int fontSize;
};

struct FormControl {
  ControlKind kind;
  const char* name;
  Bounds bounds;
  bool visible;
  bool enabled;
  bool tabStop;
  int tabIndex;
  const EditBoxSettings* editBox = nullptr;
  const ButtonSettings* button = nullptr;
  const LabelSettings* label = nullptr;
  const CommonDialogSettings* commonDialog = nullptr;
  Handler clicked = nullptr;
};

struct FormMenuItem {
  const char* name;
  const char* caption;  // "-" makes a separator
  int level;            // 0 a header of the menu bar, deeper an item of its drop-down menu
  int shortcut;         // index into the shortcut key table, 0 none
  bool checked;
  bool enabled;
  bool visible;
  Handler selected;
};

struct Form {
  const char* name;
  WindowSettings window;
  std::span<const FormControl> controls;
  std::span<const FormMenuItem> menu;
  WindowEvents events;
};

}  // namespace pellith::forms
