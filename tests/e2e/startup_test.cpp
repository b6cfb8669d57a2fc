// What a person sees when the program starts: one editor window, centred, untitled,
// with the focus in an empty edit box. The welcome window exists only for a moment
// and is never shown.
#include "harness.h"

#include <set>

namespace e2e {
namespace {

// Watches the program's windows from the moment it starts until the welcome window is gone.
TEST(StartUpWindows, OnlyTheEditorWindowEverBecomesVisible) {
  Program program;
  std::set<std::string> otherVisibleWindows;
  std::set<std::string> captionsWhileVisible;
  HWND editor = nullptr;
  const testing::AssertionResult settled = eventually(
      [&]() -> testing::AssertionResult {
        for (HWND window : program.windows()) {
          if (!IsWindowVisible(window)) continue;
          if (Program::isEditor(window)) {
            editor = window;
            captionsWhileVisible.insert(printable(caption(window)));
          } else {
            otherVisibleWindows.insert(describe(window));
          }
        }
        const size_t forms = program.formWindows().size();
        if (editor && forms == 1) return testing::AssertionSuccess();
        return testing::AssertionFailure() << (editor ? "the editor window is shown" : "no editor window shown")
                                           << " and " << forms << " PellithForm windows exist";
      },
      kDeadline, 1);
  EXPECT_TRUE(settled);

  std::string others;
  for (const std::string& window : otherVisibleWindows) others += "\n  " + window;
  EXPECT_TRUE(otherVisibleWindows.empty()) << "other windows became visible:" << others;
  EXPECT_EQ(captionsWhileVisible, std::set<std::string>{printable(kEditorCaption)})
      << "the editor window must be shown with its final caption";
}

class StartUp : public EditorTest {};

TEST_F(StartUp, OnlyTheEditorWindowRemains) {
  EXPECT_TRUE(eventually([&]() -> testing::AssertionResult {
    const std::vector<HWND> forms = program.formWindows();
    if (forms == std::vector<HWND>{editor}) return testing::AssertionSuccess();
    testing::AssertionResult result = testing::AssertionFailure() << forms.size() << " PellithForm windows:";
    for (HWND window : forms) result << "\n  " << describe(window);
    return result;
  }));
}

TEST_F(StartUp, EditorWindowIsCentredWithItsSize) {
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kEditorWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kEditorHeight) / 2;
  const RECT rect = windowRect(editor);
  EXPECT_EQ(rect.left, left);
  EXPECT_EQ(rect.top, top);
  EXPECT_EQ(rect.right - rect.left, kEditorWidth);
  EXPECT_EQ(rect.bottom - rect.top, kEditorHeight);
}

TEST_F(StartUp, CaptionIsUntitled) {
  EXPECT_EQ(printable(caption(editor)), printable(kEditorCaption));
  EXPECT_TRUE(textIs(editor, kEditorCaption)) << "as the program itself answers WM_GETTEXT";
}

TEST_F(StartUp, EditorIsActiveWithTheFocusInTheEditBox) {
  EXPECT_TRUE(eventually([&] { return GetForegroundWindow() == editor; })) << describe(GetForegroundWindow());
  EXPECT_TRUE(eventually([&] { return focusIs(editor, edit); }));
}

TEST_F(StartUp, EditorIsAResizableTopLevelWindowWithAMenuBar) {
  const LONG editorStyle = style(editor);
  for (const auto& [flag, name] : {std::pair{WS_CAPTION, "title bar"}, {WS_SYSMENU, "system menu and close box"},
                                   {WS_THICKFRAME, "sizing frame"}, {WS_MINIMIZEBOX, "minimise box"},
                                   {WS_MAXIMIZEBOX, "maximise box"}})
    EXPECT_EQ(editorStyle & flag, flag) << "no " << name;
  EXPECT_EQ(editorStyle & WS_CHILD, 0);
  EXPECT_EQ(exStyle(editor) & WS_EX_TOOLWINDOW, 0);
  EXPECT_EQ(GetWindow(editor, GW_OWNER), nullptr);
  EXPECT_NE(GetMenu(editor), nullptr) << "no menu bar";
}

TEST_F(StartUp, EditBoxIsTheOnlyVisibleControl) {
  const std::vector<HWND> children = visibleChildren(editor);
  ASSERT_EQ(children.size(), 1u);
  EXPECT_EQ(children[0], edit);
  EXPECT_EQ(className(edit), "Edit");
}

TEST_F(StartUp, EditBoxIsMultiLineWithBothScrollBars) {
  const LONG editStyle = style(edit);
  EXPECT_EQ(editStyle & ES_MULTILINE, ES_MULTILINE);
  EXPECT_EQ(editStyle & WS_HSCROLL, WS_HSCROLL) << "no horizontal scroll bar";
  EXPECT_EQ(editStyle & WS_VSCROLL, WS_VSCROLL) << "no vertical scroll bar";
  EXPECT_EQ(editStyle & ES_READONLY, 0);
  EXPECT_EQ(exStyle(edit) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE) << "no sunken edge";
}

TEST_F(StartUp, EditBoxIsEmptyWithTheCaretAtItsStart) {
  EXPECT_TRUE(textIs(edit, ""));
  const Selection caret = selection(edit);
  EXPECT_EQ(caret.start, 0u);
  EXPECT_EQ(caret.end, 0u);
}

}  // namespace
}  // namespace e2e
