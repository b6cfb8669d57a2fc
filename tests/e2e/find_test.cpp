// Find (F2): the input dialog, the bytes it selects, the box when nothing is
// found, the text it offers next time, and scrolling a match into view.
#include <algorithm>

#include "harness.h"

namespace e2e {
namespace {

constexpr char kTitle[] = "Pellith记事本";
constexpr char kPrompt[] = "输入欲查找的文本:";
constexpr int kEntry = 101;  // the dialog's entry field

class FindTest : public EditorTest {
protected:
  void SetUp() override {
    EditorTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(readyToType());
  }

  // Presses F2 and returns the input dialog, with the focus in its entry field.
  HWND openFind() {
    EXPECT_TRUE(activate(editor));
    pressKey(VK_F2);
    const HWND dialog = waitForDialog(program, kTitle, kEntry);
    if (dialog) {
      EXPECT_TRUE(eventually([&] { return focusIs(dialog, GetDlgItem(dialog, kEntry)); }));
    }
    return dialog;
  }

  // Replaces the entry by typing (Ctrl+A is not needed: the offered text is selected)
  // and confirms with Enter.
  void findByKeyboard(std::wstring_view typed) {
    const HWND dialog = openFind();
    ASSERT_NE(dialog, nullptr);
    if (typed.empty()) pressKey(VK_DELETE);
    else type(typed);
    pressKey(VK_RETURN);
    ASSERT_TRUE(eventually([&] { return closed(dialog); }));
  }

  static testing::AssertionResult closed(HWND window) {
    if (!IsWindow(window) || !IsWindowVisible(window)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << describe(window) << " is still shown";
  }

  // The entry field's text and whether all of it is selected with the caret at its end.
  testing::AssertionResult offers(HWND dialog, std::string_view expected) {
    const HWND entry = GetDlgItem(dialog, kEntry);
    const testing::AssertionResult text = textIs(entry, expected);
    if (!text) return text;
    const Selection selected = selection(entry);
    const DWORD length = characterPosition(expected, expected.size());
    if (selected.start == 0 && selected.end == length) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the entry selects " << selected.start << ".." << selected.end
                                       << ", expected all of it, 0.." << length;
  }

  // The box that says nothing was found; fails when another window shows up instead.
  void expectNotFoundBox() {
    const HWND box = waitForDialog(program, kTitle);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetDlgItem(box, kEntry), nullptr) << "the input dialog is still shown";
    const MessageBoxView view = readMessageBox(box);
    EXPECT_EQ(view.title, kTitle);
    EXPECT_EQ(view.text, "没有找到指定文本") << printable(view.text);
    ASSERT_EQ(view.buttons.size(), 1u);
    EXPECT_EQ(view.buttons[0], "确定");
    EXPECT_FALSE(view.icon);
    EXPECT_FALSE(IsWindowEnabled(editor)) << "the editor takes input while the box is shown";
    ASSERT_TRUE(activate(box));
    pressKey(VK_RETURN);
    ASSERT_TRUE(eventually([&] { return closed(box); }));
    EXPECT_TRUE(eventually([&] { return IsWindowEnabled(editor) != FALSE; }));
  }
};

// ---- What a confirmed Find selects, in bytes of the content.

struct Search {
  const char* name;
  const char* content;    // GBK
  std::wstring_view typed;
  std::size_t startByte;  // of the expected selection
  std::size_t lengthBytes;
  friend void PrintTo(const Search& s, std::ostream* out) { *out << s.name; }
};

class FindSelects : public FindTest, public testing::WithParamInterface<Search> {};

TEST_P(FindSelects, ExactlyTheBytesOfTheFirstMatch) {
  const Search& search = GetParam();
  const std::string content = search.content;
  setContent(edit, content);
  // The caret starts at the end, away from every expected selection.
  const DWORD end = characterPosition(content, content.size());
  select(edit, end, end);

  findByKeyboard(search.typed);

  EXPECT_TRUE(eventually([&] { return focusIs(editor, edit); }));
  const Selection selected = selection(edit);
  const DWORD start = characterPosition(content, search.startByte);
  EXPECT_EQ(selected.start, start);
  EXPECT_EQ(selected.end, characterPosition(content, search.startByte + search.lengthBytes));
  EXPECT_TRUE(textIs(edit, content)) << "Find changed the content";
  EXPECT_EQ(dialogOf(program, kTitle), nullptr) << "a box is shown after a successful Find";
}

INSTANTIATE_TEST_SUITE_P(
    Find, FindSelects,
    testing::Values(Search{"Ascii", "abcabc", L"bc", 1, 2},
                    Search{"SecondCharacterOfTwo", "中文", L"文", 2, 2},
                    Search{"ChineseAfterMixedLines", "第一行 abc\r\n中文测试，文字。\r\n文字", L"文字", 22, 4},
                    Search{"SkipsAMatchOnASecondByte", "\x81\x41" "A", L"A", 2, 1},
                    Search{"EmptyEntryPutsTheCaretAtTheStart", "中文abc", L"", 0, 0}),
    [](const testing::TestParamInfo<Search>& info) { return std::string(info.param.name); });

TEST_F(FindTest, SelectedBytesAreThePattern) {
  const std::string content = "前言。这是一段中文，中文之后还有中文文本。";
  setContent(edit, content);
  findByKeyboard(L"中文文本");
  ASSERT_TRUE(eventually([&] { return focusIs(editor, edit); }));
  const Selection selected = selection(edit);
  // Back from character positions to bytes of the content.
  std::size_t startByte = 0, endByte = 0;
  for (std::size_t at = 0, character = 0; at <= content.size(); ++character) {
    if (character == selected.start) startByte = at;
    if (character == selected.end) endByte = at;
    if (at == content.size()) break;
    at += static_cast<unsigned char>(content[at]) >= 0x80 ? 2 : 1;
  }
  EXPECT_EQ(content.substr(startByte, endByte - startByte), "中文文本")
      << "selected " << printable(content.substr(startByte, endByte - startByte));
  EXPECT_EQ(startByte, content.find("中文文本"));
}

// ---- Nothing found.

struct Miss {
  const char* name;
  const char* content;
  std::wstring_view typed;
  friend void PrintTo(const Miss& m, std::ostream* out) { *out << m.name; }
};

class FindMisses : public FindTest, public testing::WithParamInterface<Miss> {};

TEST_P(FindMisses, ShowTheBoxAndTouchNothing) {
  const std::string content = GetParam().content;
  setContent(edit, content);
  const DWORD length = characterPosition(content, content.size());
  const DWORD start = length > 1 ? 1 : 0;
  select(edit, start, length);

  findByKeyboard(GetParam().typed);
  expectNotFoundBox();

  EXPECT_TRUE(textIs(edit, content));
  const Selection selected = selection(edit);
  EXPECT_EQ(selected.start, start);
  EXPECT_EQ(selected.end, length);
}

INSTANTIATE_TEST_SUITE_P(Find, FindMisses,
                         testing::Values(Miss{"CaseDiffers", "ABC", L"abc"},
                                         Miss{"AcrossTwoCharacters", "中文", L"形"},  // D0 CE inside D6 D0 CE C4
                                         Miss{"SecondByteOnly", "\x81\x41", L"A"},
                                         Miss{"FullWidthIsNotHalfWidth", "ＡＢＣ", L"ABC"},
                                         Miss{"EmptyContent", "", L"x"}),
                         [](const testing::TestParamInfo<Miss>& info) { return std::string(info.param.name); });

// ---- The text offered by the next Find.

TEST_F(FindTest, OffersTheLastConfirmedTextAndKeepsItOverACancel) {
  setContent(edit, "甲乙丙丁甲乙");
  HWND dialog = openFind();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(textIs(dialog, kTitle));
  EXPECT_TRUE(eventually([&] { return offers(dialog, ""); })) << "the first Find of a run";
  const std::vector<std::string> texts = textsIn(dialog);
  EXPECT_NE(std::find(texts.begin(), texts.end(), kPrompt), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "确认输入(&O)"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "取消(&C)"), texts.end());
  type(L"乙丙");
  pressKey(VK_RETURN);
  ASSERT_TRUE(eventually([&] { return closed(dialog); }));

  dialog = openFind();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(eventually([&] { return offers(dialog, "乙丙"); }));
  type(L"别的文字");
  ASSERT_TRUE(eventually([&] { return textIs(GetDlgItem(dialog, kEntry), "别的文字"); }));
  pressKey(VK_ESCAPE);
  ASSERT_TRUE(eventually([&] { return closed(dialog); }));

  dialog = openFind();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(eventually([&] { return offers(dialog, "乙丙"); })) << "after a cancelled Find";
  clickButton(dialog, IDCANCEL);
  ASSERT_TRUE(eventually([&] { return closed(dialog); }));

  // A confirmed Find that finds nothing still replaces the remembered text.
  findByKeyboard(L"戊");
  expectNotFoundBox();
  dialog = openFind();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(eventually([&] { return offers(dialog, "戊"); }));
  clickButton(dialog, IDCANCEL);
}

TEST_F(FindTest, SameTextSelectsTheSameFirstMatchAgain) {
  const std::string content = "abcabcabc";
  setContent(edit, content);
  for (int round = 0; round < 2; ++round) {
    const HWND dialog = openFind();
    ASSERT_NE(dialog, nullptr);
    if (round == 0) type(L"bc");
    ASSERT_TRUE(eventually([&] { return textIs(GetDlgItem(dialog, kEntry), "bc"); }));
    clickButton(dialog, IDOK);
    ASSERT_TRUE(eventually([&] { return closed(dialog); }));
    ASSERT_TRUE(eventually([&] { return focusIs(editor, edit); }));
    const Selection selected = selection(edit);
    EXPECT_EQ(selected.start, 1u) << "round " << round;
    EXPECT_EQ(selected.end, 3u) << "round " << round;
  }
}

// ---- A match far below the visible lines.

TEST_F(FindTest, ScrollsAMatchFarBelowIntoView) {
  std::string content;
  constexpr int kLines = 3000, kTarget = 2400;
  for (int line = 0; line < kLines; ++line) {
    content += "第" + std::to_string(line) + "行 普通的文字";
    if (line == kTarget) content += " 目标在此";
    content += "\r\n";
  }
  setContent(edit, content);
  select(edit, 0, 0);
  ASSERT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);

  findByKeyboard(L"目标在此");

  ASSERT_TRUE(eventually([&] { return focusIs(editor, edit); }));
  const std::size_t matchByte = content.find("目标在此");
  const Selection selected = selection(edit);
  EXPECT_EQ(selected.start, characterPosition(content, matchByte));
  EXPECT_EQ(selected.end, characterPosition(content, matchByte + 8));
  const LRESULT matchLine = SendMessageA(edit, EM_LINEFROMCHAR, selected.start, 0);
  EXPECT_EQ(matchLine, kTarget);
  const LRESULT firstVisible = SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
  EXPECT_GT(firstVisible, 0);
  EXPECT_LE(firstVisible, matchLine);
  // Both ends of the match lie inside the box's client area.
  const RECT client = clientRect(edit);
  for (DWORD position : {selected.start, selected.end}) {
    const LRESULT at = SendMessageA(edit, EM_POSFROMCHAR, position, 0);
    const int x = static_cast<short>(LOWORD(at)), y = static_cast<short>(HIWORD(at));
    EXPECT_TRUE(x >= 0 && x < client.right && y >= 0 && y < client.bottom)
        << "character " << position << " is drawn at (" << x << "," << y << "), outside the " << client.right
        << "x" << client.bottom << " client area";
  }
}

}  // namespace
}  // namespace e2e
