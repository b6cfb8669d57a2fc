// Drives the real pellith.exe from another process, as a person at the keyboard would.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <optional>
#include <string_view>
#include <vector>

// Expected texts in these tests are written as plain literals: the build turns
// them into GBK bytes, the program's own encoding.
static_assert(sizeof("中文") == 5 && "中文"[0] == '\xD6' && "中文"[1] == '\xD0' &&
                  "中文"[2] == '\xCE' && "中文"[3] == '\xC4',
              "the e2e tests must be compiled with -fexec-charset=GBK");

namespace e2e {

// Milliseconds. Long enough for a slow Wine start; a passing check never waits this long.
// (No <chrono> here: its C++20 unit names cannot be encoded in GBK.)
inline constexpr DWORD kDeadline = 10000;

inline constexpr char kFormClass[] = "PellithForm";
inline constexpr char kEditorCaption[] = "无标题 - Pellith记事本";
inline constexpr int kEditorWidth = 774;
inline constexpr int kEditorHeight = 471;

// Polls `check` (returning bool or testing::AssertionResult) until it succeeds or
// the deadline passes; returns the last result, so a failure says what was seen.
template <class Check>
testing::AssertionResult eventually(Check check, DWORD timeout = kDeadline, DWORD interval = 10) {
  const ULONGLONG deadline = GetTickCount64() + timeout;
  for (;;) {
    testing::AssertionResult result(check());
    if (result || GetTickCount64() >= deadline) {
      if (!result) result << " (still so after " << timeout << " ms)";
      return result;
    }
    Sleep(interval);
  }
}

// Reading windows of any process.
std::string className(HWND window);
std::string windowText(HWND window);  // WM_GETTEXT through the A interface: GBK bytes
// A top-level window's caption as it is now, read without waiting for the program
// (a WM_GETTEXT answer would tell what the caption is once the program answers).
std::string caption(HWND window);
LONG style(HWND window);
LONG exStyle(HWND window);
RECT windowRect(HWND window);  // screen coordinates
RECT clientRect(HWND window);  // origin 0,0
RECT rectInClientOf(HWND parent, HWND child);  // child's outer rectangle in parent's client coordinates
HWND focusedWindow(HWND window);  // the focus of the thread that owns `window`
std::vector<HWND> visibleChildren(HWND window);
std::string describe(HWND window);  // class, caption, rectangle and visibility, for messages
std::string printable(std::string_view bytes);  // C-escaped, with the UTF-8 reading after it

struct Selection {
  DWORD start;
  DWORD end;
};
Selection selection(HWND edit);

// Checks used with `eventually`.
testing::AssertionResult textIs(HWND window, std::string_view expected);  // caption or content
testing::AssertionResult focusIs(HWND window, HWND expected);
testing::AssertionResult fillsClientArea(HWND window, HWND child);

// Keyboard input to the foreground window; `activate` makes `window` the foreground first.
testing::AssertionResult activate(HWND window);
void pressKey(WORD virtualKey, std::initializer_list<WORD> modifiers = {});
// ASCII goes in as key strokes, with '\n' as Enter, '\t' as Tab and '\x1b' as Esc;
// any other character as a Unicode character event, as an input method delivers it.
void type(std::wstring_view text);

// One run of the program, started in the constructor. The destructor ends a
// process that is still running, so a failed test leaves nothing behind for the
// next one. (A failing test also leaves a screenshot: see harness.cpp.)
class Program {
public:
  Program();  // the program named by PELLITH_EXE
  explicit Program(const std::string& path);  // a Windows path, say of a copy elsewhere
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  DWORD processId() const { return process_.dwProcessId; }
  bool running() const;
  // The process's top-level windows, in z-order.
  std::vector<HWND> windows() const;
  std::vector<HWND> formWindows() const;  // of class PellithForm

  // Waits until the editor window (a visible PellithForm window with an edit box)
  // is shown; fails the test when it is not.
  HWND waitForEditor();
  HWND editBox() const { return editBox_; }  // the editor's edit box, once waitForEditor found it

  // Waits for the process to end; true with its exit code, false when it is still running.
  bool waitForExit(DWORD& exitCode, DWORD timeout = kDeadline);

  // A PellithForm window holding an edit box; the welcome window has none.
  static bool isEditor(HWND window);

private:
  PROCESS_INFORMATION process_{};
  HANDLE job_ = nullptr;
  HWND editor_ = nullptr;
  HWND editBox_ = nullptr;
};

// Base of the tests that start with the editor window shown.
class EditorTest : public testing::Test {
protected:
  void SetUp() override {
    editor = program.waitForEditor();
    ASSERT_NE(editor, nullptr);
    edit = program.editBox();
  }

  // Brings the editor to the front and waits for the focus in the edit box, as a
  // person waits for the caret before typing.
  testing::AssertionResult readyToType() {
    testing::AssertionResult active = activate(editor);
    if (!active) return active;
    return eventually([&] { return focusIs(editor, edit); });
  }

  Program program;
  HWND editor = nullptr;
  HWND edit = nullptr;
};

// Path of the program under test, from PELLITH_EXE (a Windows path such as Z:\...\pellith.exe).
std::string programPath();

// Dialog boxes of the program (class #32770): the system's file dialogs and message boxes.
// A visible one with this caption and a child window with id `button` (IDOK, IDYES, ...), or null.
HWND dialogOf(const Program& program, std::string_view title, int button = IDOK);
// Waits for that dialog; fails the test and returns null when it does not appear.
HWND waitForDialog(const Program& program, std::string_view title, int button = IDOK);
std::vector<std::string> textsIn(HWND window);  // the texts of its child windows, in z-order
// Clicks a button of a dialog, without waiting for what the click starts (such as another box).
void clickButton(HWND dialog, int id);

// The file-name box of the open and save dialogs (cmb13).
inline constexpr int kFileNameBox = 0x47c;
std::string fileNameBox(HWND fileDialog);
// Puts `name` into the file-name box and confirms the dialog with its OK button.
void confirmFileName(HWND fileDialog, std::string_view name);


// ---- Editing: menus by keyboard, the edit box from outside, the clipboard and message boxes.

// Opens a menu of the menu bar with Alt+`menuKey`, moves `downs` items down from its
// first item and chooses that one with Enter, all as key strokes.
void chooseMenuItem(WORD menuKey, int downs);

// The visible edit box of `window`, looked up anew (word wrap replaces the control).
HWND editBoxIn(HWND window);
// Replaces an edit box's content with `text` (GBK bytes), as WM_SETTEXT does.
void setContent(HWND edit, std::string_view text);
// Selects from `start` to `end`, in the edit control's character positions.
void select(HWND edit, DWORD start, DWORD end);
// The character position, as the edit control counts it, of a byte offset into GBK
// text: a byte of 0x80 or above starts a two-byte character.
DWORD characterPosition(std::string_view text, std::size_t byteOffset);

// The clipboard's text as GBK bytes (CF_TEXT); nullopt when it holds no text.
std::optional<std::string> clipboardText();
bool setClipboardText(std::string_view text);

// What a message box (#32770) shows.
struct MessageBoxView {
  std::string title;
  std::string text;
  std::vector<std::string> buttons;  // captions of its visible buttons
  bool icon = false;                 // it shows an icon
};
MessageBoxView readMessageBox(HWND box);

}  // namespace e2e
