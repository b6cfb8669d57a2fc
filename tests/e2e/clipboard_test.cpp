// Cut, Copy, Paste and Delete of the edit menu, with the clipboard read and
// written from this process as CF_TEXT (GBK bytes).
#include "harness.h"

namespace e2e {
namespace {

// Down presses from the first item of "&E.编辑" (查找, -, 剪切, 复制, 粘贴, 删除, 全选, ...).
constexpr int kCutItem = 1, kCopyItem = 2, kPasteItem = 3, kSelectAllItem = 5;
constexpr WPARAM kCopyCommand = 1013, kSelectAllCommand = 1016;

class Clipboard : public EditorTest {
protected:
  void SetUp() override {
    EditorTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(readyToType());
    // Something that no command below puts there.
    ASSERT_TRUE(setClipboardText("剪贴板原有内容"));
  }

  // Sets the content and selects the first occurrence of `part` (byte offsets turned
  // into the control's character positions).
  void contentWithSelection(const std::string& content, std::string_view part) {
    setContent(edit, content);
    const std::size_t at = content.find(part);
    ASSERT_NE(at, std::string::npos);
    select(edit, characterPosition(content, at), characterPosition(content, at + part.size()));
  }

  testing::AssertionResult clipboardHolds(std::string_view expected) {
    const std::optional<std::string> text = clipboardText();
    if (!text) return testing::AssertionFailure() << "the clipboard holds no text";
    if (*text == expected) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the clipboard holds " << printable(*text) << ", expected "
                                       << printable(expected);
  }
};

TEST_F(Clipboard, CutThenPasteMovesTheText) {
  const std::string content = "甲乙丙丁abc末尾";
  contentWithSelection(content, "乙丙");
  chooseMenuItem('E', kCutItem);
  ASSERT_TRUE(eventually([&] { return textIs(edit, "甲丁abc末尾"); }));
  EXPECT_TRUE(clipboardHolds("乙丙"));
  const Selection caret = selection(edit);
  EXPECT_EQ(caret.start, 1u);
  EXPECT_EQ(caret.end, 1u);

  // Move the caret to the end with the keyboard and paste there.
  ASSERT_TRUE(activate(editor));
  pressKey(VK_END);
  pressKey('V', {VK_CONTROL});
  EXPECT_TRUE(eventually([&] { return textIs(edit, "甲丁abc末尾乙丙"); }));
  EXPECT_TRUE(clipboardHolds("乙丙")) << "pasting empties the clipboard";

  // Paste replaces a selection too, through the menu.
  contentWithSelection("甲丁abc末尾乙丙", "abc");
  chooseMenuItem('E', kPasteItem);
  EXPECT_TRUE(eventually([&] { return textIs(edit, "甲丁乙丙末尾乙丙"); }));
}

TEST_F(Clipboard, CtrlCCutsTheSelection) {
  contentWithSelection("保留这些，删去这些，再保留", "删去这些，");
  ASSERT_TRUE(activate(editor));
  pressKey('C', {VK_CONTROL});
  EXPECT_TRUE(eventually([&] { return textIs(edit, "保留这些，再保留"); }));
  EXPECT_TRUE(clipboardHolds("删去这些，"));
}

TEST_F(Clipboard, CopyFromTheMenuLeavesTheContent) {
  const std::string content = "第一行\r\n第二行 copy me\r\n第三行";
  contentWithSelection(content, "第二行 copy me\r\n第");
  chooseMenuItem('E', kCopyItem);
  EXPECT_TRUE(eventually([&] { return clipboardHolds("第二行 copy me\r\n第"); }));
  EXPECT_TRUE(textIs(edit, content));
  const Selection kept = selection(edit);
  EXPECT_EQ(kept.start, characterPosition(content, content.find("第二行")));
  EXPECT_EQ(kept.end, characterPosition(content, content.find("三行")));
}

TEST_F(Clipboard, DeleteKeepsTheClipboard) {
  const std::string content = "复制这段，删除那段。";
  contentWithSelection(content, "复制这段");
  PostMessageA(editor, WM_COMMAND, kCopyCommand, 0);
  ASSERT_TRUE(eventually([&] { return clipboardHolds("复制这段"); }));

  contentWithSelection(content, "删除那段");
  ASSERT_TRUE(activate(editor));
  pressKey('D', {VK_CONTROL});  // Delete, not the date stamp that shares the key
  EXPECT_TRUE(eventually([&] { return textIs(edit, "复制这段，。"); }));
  EXPECT_TRUE(clipboardHolds("复制这段"));
}

// With nothing selected, Cut, Copy and Delete change neither the content nor the
// clipboard; Paste inserts at the caret.
TEST_F(Clipboard, WithNothingSelectedOnlyPasteActs) {
  const std::string content = "前后";
  setContent(edit, content);
  select(edit, 1, 1);
  ASSERT_TRUE(activate(editor));
  pressKey('C', {VK_CONTROL});
  pressKey('D', {VK_CONTROL});
  chooseMenuItem('E', kCopyItem);
  // The menu has been handled once the typed marker arrives after it.
  type(L"x");
  ASSERT_TRUE(eventually([&] { return textIs(edit, "前x后"); }));
  EXPECT_TRUE(clipboardHolds("剪贴板原有内容"));
  pressKey('V', {VK_CONTROL});
  EXPECT_TRUE(eventually([&] { return textIs(edit, "前x剪贴板原有内容后"); }));
}

TEST_F(Clipboard, SelectAllChangesNothing) {
  const std::string content = "全选什么也不做";
  contentWithSelection(content, "什么");
  chooseMenuItem('E', kSelectAllItem);
  PostMessageA(editor, WM_COMMAND, kSelectAllCommand, 0);
  // Key strokes come after both: typing replaces the selection, which must still be 什么.
  type(L"!");
  EXPECT_TRUE(eventually([&] { return textIs(edit, "全选!也不做"); }));
}

}  // namespace
}  // namespace e2e
