// The edit box covers the editor window's client area exactly, whatever happens
// to the window's size: maximise, minimise, restore, or a resize from outside.
#include "harness.h"

namespace e2e {
namespace {

class Resizing : public EditorTest {
protected:
  // Chooses a title-bar command, as the buttons and the system menu do.
  void command(WPARAM systemCommand) { PostMessageA(editor, WM_SYSCOMMAND, systemCommand, 0); }

  testing::AssertionResult maximised() {
    if (!IsZoomed(editor)) return testing::AssertionFailure() << "not maximised: " << describe(editor);
    if (clientRect(editor).right <= kEditorWidth)
      return testing::AssertionFailure() << "maximised but not wider: " << describe(editor);
    return fillsClientArea(editor, edit);
  }

  testing::AssertionResult minimised() {
    if (!IsIconic(editor)) return testing::AssertionFailure() << "not minimised: " << describe(editor);
    const RECT client = clientRect(editor);
    if (client.right != 0 || client.bottom != 0)
      return testing::AssertionFailure() << "minimised with a client area of " << client.right << "x" << client.bottom;
    return fillsClientArea(editor, edit);  // so the edit box is 0x0 too
  }

  testing::AssertionResult at(const RECT& expected) {
    const RECT rect = windowRect(editor);
    if (IsIconic(editor) || IsZoomed(editor) || !EqualRect(&rect, &expected))
      return testing::AssertionFailure() << "the window is " << describe(editor) << (IsIconic(editor) ? ", minimised" : "")
                                         << (IsZoomed(editor) ? ", maximised" : "");
    return fillsClientArea(editor, edit);
  }
};

TEST_F(Resizing, EditBoxFillsTheClientAreaAtStart) {
  EXPECT_TRUE(eventually([&] { return fillsClientArea(editor, edit); }));
}

TEST_F(Resizing, MaximiseAndRestore) {
  const RECT start = windowRect(editor);
  command(SC_MAXIMIZE);
  EXPECT_TRUE(eventually([&] { return maximised(); }));
  command(SC_RESTORE);
  EXPECT_TRUE(eventually([&] { return at(start); }));
}

TEST_F(Resizing, MinimiseAndRestore) {
  const RECT start = windowRect(editor);
  command(SC_MINIMIZE);
  EXPECT_TRUE(eventually([&] { return minimised(); }));
  command(SC_RESTORE);
  EXPECT_TRUE(eventually([&] { return at(start); }));
}

TEST_F(Resizing, MaximiseFromMinimisedThenRestore) {
  const RECT start = windowRect(editor);
  command(SC_MINIMIZE);
  ASSERT_TRUE(eventually([&] { return minimised(); }));
  command(SC_MAXIMIZE);
  EXPECT_TRUE(eventually([&] { return maximised(); }));
  command(SC_RESTORE);
  EXPECT_TRUE(eventually([&] { return at(start); }));
}

struct Resize {
  const char* name;
  bool moveWindow;  // MoveWindow instead of SetWindowPos
  RECT target;      // left, top, right, bottom on the screen
  friend void PrintTo(const Resize& resize, std::ostream* out) { *out << resize.name; }
};

class ResizedFromOutside : public Resizing, public testing::WithParamInterface<Resize> {};

TEST_P(ResizedFromOutside, EditBoxFollows) {
  const RECT& target = GetParam().target;
  const int width = target.right - target.left;
  const int height = target.bottom - target.top;
  if (GetParam().moveWindow)
    MoveWindow(editor, target.left, target.top, width, height, TRUE);
  else
    SetWindowPos(editor, nullptr, target.left, target.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(eventually([&] { return at(target); }));
}

INSTANTIATE_TEST_SUITE_P(Resizing, ResizedFromOutside,
                         testing::Values(Resize{"SmallerBySetWindowPos", false, {300, 200, 800, 500}},
                                         Resize{"LargerBySetWindowPos", false, {50, 40, 1150, 940}},
                                         Resize{"NarrowAndTallByMoveWindow", true, {10, 10, 410, 1010}},
                                         Resize{"WideAndFlatByMoveWindow", true, {0, 600, 1280, 800}}),
                         [](const testing::TestParamInfo<Resize>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
