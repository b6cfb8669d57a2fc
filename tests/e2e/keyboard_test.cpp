// Typing into the edit box: what each key leaves in the text, read back as the
// program's GBK bytes. Every typed sequence ends with a printable character, so
// once that character has arrived every key before it has been handled.
#include "harness.h"

namespace e2e {
namespace {

class Keyboard : public EditorTest {
protected:
  void SetUp() override {
    EditorTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(readyToType());
  }

  // Fails when the window has gone, instead of waiting for text that cannot come.
  testing::AssertionResult openWithText(std::string_view expected) {
    if (!IsWindow(editor) || !IsWindowVisible(editor))
      return testing::AssertionFailure() << "the editor window has closed";
    return textIs(edit, expected);
  }
};

struct Typing {
  const char* name;
  std::wstring_view keys;
  std::string_view text;  // GBK
  friend void PrintTo(const Typing& typing, std::ostream* out) { *out << typing.name; }
};

class Typed : public Keyboard, public testing::WithParamInterface<Typing> {};

TEST_P(Typed, LeavesItsBytesInTheEditBox) {
  type(GetParam().keys);
  EXPECT_TRUE(eventually([&] { return openWithText(GetParam().text); }));
  EXPECT_TRUE(focusIs(editor, edit));
}

INSTANTIATE_TEST_SUITE_P(
    Keyboard, Typed,
    testing::Values(Typing{"Ascii", L"Hello, World 123!", "Hello, World 123!"},
                    Typing{"EnterInsertsCrLf", L"ab\ncd", "ab\r\ncd"},
                    Typing{"EnterOnEmptyLines", L"\n\nx", "\r\n\r\nx"},
                    Typing{"TabInsertsNothing", L"a\tb\t\tc", "abc"},
                    Typing{"EscInsertsNothing", L"a\x1b" L"b", "ab"},
                    Typing{"ChineseAsGbk", L"中文", "中文"},
                    Typing{"ChineseMixedWithAscii", L"ab中文cd\n第二行 x", "ab中文cd\r\n第二行 x"},
                    Typing{"ChinesePunctuation", L"你好，世界。", "你好，世界。"}),
    [](const testing::TestParamInfo<Typing>& info) { return std::string(info.param.name); });

TEST_F(Keyboard, ChineseIsStoredAsTheseGbkBytes) {
  type(L"中文");
  EXPECT_TRUE(eventually([&] { return openWithText("\xD6\xD0\xCE\xC4"); }));
}

TEST_F(Keyboard, EscDoesNotCloseTheWindow) {
  type(L"\x1b\x1b\x1b" L"x");
  EXPECT_TRUE(eventually([&] { return openWithText("x"); }));
  EXPECT_TRUE(program.running());
  EXPECT_TRUE(IsWindowVisible(editor));
}

TEST_F(Keyboard, TabKeepsTheFocusInTheEditBox) {
  type(L"\t\t\tx");
  EXPECT_TRUE(eventually([&] { return openWithText("x"); }));
  EXPECT_TRUE(focusIs(editor, edit));
}

TEST_F(Keyboard, CaretFollowsTheTypedText) {
  type(L"ab\ncd");
  ASSERT_TRUE(eventually([&] { return openWithText("ab\r\ncd"); }));
  const Selection caret = selection(edit);
  EXPECT_EQ(caret.start, 6u);
  EXPECT_EQ(caret.end, 6u);
}

}  // namespace
}  // namespace e2e
