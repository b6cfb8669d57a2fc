// Word wrap (Ctrl+A) re-creates the edit box with or without its horizontal
// scroll bar and keeps the content; the date stamp (a menu item only) is put
// after the last byte of the content, whatever is selected.
#include "harness.h"

namespace e2e {
namespace {

constexpr int kDateItem = 7;  // Down presses from 查找 in "&E.编辑" to "&D.日期"
constexpr WPARAM kDateCommand = 1019;

class WrapDate : public EditorTest {
protected:
  void SetUp() override {
    EditorTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(readyToType());
  }

  // Presses Ctrl+A and waits for the edit box that replaces `old`.
  HWND toggleWrap(HWND old) {
    EXPECT_TRUE(activate(editor));
    pressKey('A', {VK_CONTROL});
    HWND fresh = nullptr;
    const testing::AssertionResult replaced = eventually([&]() -> testing::AssertionResult {
      fresh = editBoxIn(editor);
      if (fresh && fresh != old && !IsWindow(old)) return testing::AssertionSuccess();
      return testing::AssertionFailure() << "the edit box is " << describe(fresh) << ", the old one "
                                         << (IsWindow(old) ? "still exists" : "is gone");
    });
    EXPECT_TRUE(replaced);
    return replaced ? fresh : nullptr;
  }
};

// ---- Word wrap.

TEST_F(WrapDate, CtrlATogglesWrapAndKeepsTheContent) {
  std::string content;
  constexpr int kLines = 80, kLongLine = 3;
  for (int line = 0; line < kLines; ++line) {
    content += "第" + std::to_string(line) + "行";
    if (line == kLongLine)
      for (int i = 0; i < 60; ++i) content += "很长的一行 long line ";
    if (line + 1 < kLines) content += "\r\n";
  }
  setContent(edit, content);
  ASSERT_TRUE(fillsClientArea(editor, edit));
  EXPECT_EQ(style(edit) & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL | WS_VSCROLL);
  EXPECT_EQ(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), kLines);

  for (const bool wrapped : {true, false}) {
    SCOPED_TRACE(wrapped ? "turning wrap on" : "turning wrap off");
    // Caret and view far from the start, with a selection.
    const DWORD end = characterPosition(content, content.size());
    select(edit, end - 5, end - 2);
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
    ASSERT_GT(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);

    const HWND fresh = toggleWrap(edit);
    ASSERT_NE(fresh, nullptr);
    edit = fresh;
    EXPECT_TRUE(eventually([&] { return textIs(edit, content); }));
    EXPECT_EQ(style(edit) & WS_HSCROLL, wrapped ? 0 : WS_HSCROLL);
    EXPECT_EQ(style(edit) & WS_VSCROLL, WS_VSCROLL);
    const LRESULT lines = SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
    if (wrapped) {
      EXPECT_GT(lines, kLines) << "the long line is not wrapped";
    } else {
      EXPECT_EQ(lines, kLines);
    }
    const Selection caret = selection(edit);
    EXPECT_EQ(caret.start, 0u);
    EXPECT_EQ(caret.end, 0u);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_TRUE(fillsClientArea(editor, edit));
    EXPECT_TRUE(eventually([&] { return focusIs(editor, edit); }));
  }
}

TEST_F(WrapDate, WrappedBoxStillTakesTyping) {
  HWND fresh = toggleWrap(edit);
  ASSERT_NE(fresh, nullptr);
  ASSERT_TRUE(eventually([&] { return focusIs(editor, fresh); }));
  type(L"换行后输入 ok");
  EXPECT_TRUE(eventually([&] { return textIs(fresh, "换行后输入 ok"); }));
}

// ---- The date stamp.

// The stamp for a local time: units dropped from the end while they are zero.
std::string stampAt(const SYSTEMTIME& t) {
  std::string stamp = std::to_string(t.wYear) + "年" + std::to_string(t.wMonth) + "月" + std::to_string(t.wDay) + "日";
  if (t.wSecond != 0)
    stamp += std::to_string(t.wHour) + "时" + std::to_string(t.wMinute) + "分" + std::to_string(t.wSecond) + "秒";
  else if (t.wMinute != 0)
    stamp += std::to_string(t.wHour) + "时" + std::to_string(t.wMinute) + "分";
  else if (t.wHour != 0)
    stamp += std::to_string(t.wHour) + "时";
  return stamp;
}

// Every stamp of a whole second from `before` to `after`, in order.
std::vector<std::string> stampsBetween(SYSTEMTIME before, const SYSTEMTIME& after) {
  before.wMilliseconds = 0;
  FILETIME from{}, to{};
  SystemTimeToFileTime(&before, &from);
  SystemTimeToFileTime(&after, &to);
  ULARGE_INTEGER at{{from.dwLowDateTime, from.dwHighDateTime}};
  const ULARGE_INTEGER last{{to.dwLowDateTime, to.dwHighDateTime}};
  std::vector<std::string> stamps;
  for (; at.QuadPart <= last.QuadPart; at.QuadPart += 10000000ull) {
    const FILETIME time{at.LowPart, at.HighPart};
    SYSTEMTIME local{};
    FileTimeToSystemTime(&time, &local);
    stamps.push_back(stampAt(local));
  }
  return stamps;
}

SYSTEMTIME now() {
  SYSTEMTIME local{};
  GetLocalTime(&local);
  return local;
}

// The content is `before` followed by `count` stamps of the times in `stamps`, in order.
testing::AssertionResult stampedAfter(HWND edit, const std::string& before, const std::vector<std::string>& stamps,
                                      int count) {
  const std::string content = windowText(edit);
  std::vector<std::string> candidates{before};
  for (int round = 0; round < count; ++round) {
    std::vector<std::string> longer;
    for (const std::string& start : candidates)
      for (const std::string& stamp : stamps) longer.push_back(start + stamp);
    candidates = std::move(longer);
  }
  for (const std::string& candidate : candidates)
    if (content == candidate) return testing::AssertionSuccess();
  testing::AssertionResult failure = testing::AssertionFailure()
                                     << "the content is " << printable(content) << "; expected " << printable(before)
                                     << " and " << count << " stamp(s) of";
  for (const std::string& stamp : stamps) failure << " " << printable(stamp);
  return failure;
}

TEST_F(WrapDate, DateGoesAfterTheLastByteWhateverIsSelected) {
  const std::string content = "甲乙丙\r\n第二行abc";
  setContent(edit, content);
  select(edit, 1, 3);  // 乙丙
  const SYSTEMTIME before = now();
  chooseMenuItem('E', kDateItem);
  ASSERT_TRUE(eventually([&] { return stampedAfter(edit, content, stampsBetween(before, now()), 1); }));
  const std::string stamped = windowText(edit);
  const Selection caret = selection(edit);
  const DWORD end = characterPosition(stamped, stamped.size());
  EXPECT_EQ(caret.start, end);
  EXPECT_EQ(caret.end, end);
}

TEST_F(WrapDate, TwoStampsStandBackToBack) {
  const SYSTEMTIME before = now();
  PostMessageA(editor, WM_COMMAND, kDateCommand, 0);
  PostMessageA(editor, WM_COMMAND, kDateCommand, 0);
  EXPECT_TRUE(eventually([&] { return stampedAfter(edit, "", stampsBetween(before, now()), 2); }));
}

TEST_F(WrapDate, StampCannotBeUndone) {
  type(L"ab");
  ASSERT_TRUE(eventually([&] { return textIs(edit, "ab"); }));
  const SYSTEMTIME before = now();
  chooseMenuItem('E', kDateItem);
  ASSERT_TRUE(eventually([&] { return stampedAfter(edit, "ab", stampsBetween(before, now()), 1); }));
  const std::string stamped = windowText(edit);
  EXPECT_FALSE(SendMessageA(edit, EM_CANUNDO, 0, 0));
  pressKey('Z', {VK_CONTROL});
  // Typed at the end once the undo key has been handled: the stamp is still there.
  pressKey(VK_END, {VK_CONTROL});
  type(L"c");
  EXPECT_TRUE(eventually([&] { return textIs(edit, stamped + "c"); }));
}

}  // namespace
}  // namespace e2e
