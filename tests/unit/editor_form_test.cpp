// The real editor window, in-process: its menu bar, its keys and its edit box.
#include <string>
#include <vector>

#include "app/window_lifecycle.h"
#include "editor/wrap_and_date.h"
#include "forms/editor_form.h"
#include "forms/form_check.h"
#include "forms/startup_form.h"
#include "tests/unit/form_test_support.h"

namespace pellith::testing {
namespace {

class EditorForm : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    ASSERT_TRUE(loadWindow(forms::EditorWindow));
    editor = &forms::window(forms::EditorWindow);
  }
  std::vector<std::string> dropDown(int position) const {
    HMENU menu = GetSubMenu(GetMenu(editor->handle()), position);
    std::vector<std::string> items;
    for (int index = 0; index < GetMenuItemCount(menu); ++index) {
      char text[80] = {};
      GetMenuStringA(menu, index, text, sizeof text, MF_BYPOSITION);
      items.emplace_back(text[0] ? text : "-");
    }
    return items;
  }
  forms::FormWindow* editor = nullptr;
};

TEST_F(EditorForm, BothFormsAreSound) {
  EXPECT_EQ(forms::checkForm(forms::EditorWindow), "");
  EXPECT_EQ(forms::checkForm(forms::StartupWindow), "");
}

TEST_F(EditorForm, MenuBarShowsEveryItemWithItsKey) {
  HMENU bar = GetMenu(editor->handle());
  ASSERT_EQ(GetMenuItemCount(bar), 4);
  const std::vector<std::string> headers = {"&F.文件", "&E.编辑", "&F.格式", "&O.关于"};
  for (int position = 0; position < 4; ++position) {
    char text[40] = {};
    GetMenuStringA(bar, position, text, sizeof text, MF_BYPOSITION);
    EXPECT_EQ(text, headers[position]);
  }
  EXPECT_EQ(dropDown(0), (std::vector<std::string>{"&N.新建\tCtrl+N", "&O.打开\tCtrl+O", "&S.保存\tCtrl+S",
                                                   "&S.另存为\tCtrl+S", "-", "&P.打印", "-", "&E.退出\tCtrl+E"}));
  EXPECT_EQ(dropDown(1), (std::vector<std::string>{"&F.查找\tF2", "-", "&C.剪切\tCtrl+C", "&C.复制\tCtrl+C",
                                                   "&V.粘贴\tCtrl+V", "&D.删除\tCtrl+D", "&S.全选\tCtrl+S", "-",
                                                   "&A.自动换行\tCtrl+A", "&D.日期\tCtrl+D"}));
  EXPECT_EQ(dropDown(2), (std::vector<std::string>{"&F.字体\tCtrl+F"}));
  EXPECT_EQ(dropDown(3), (std::vector<std::string>{"&H.帮助\tF1", "&A.关于Pellith记事本\tCtrl+A"}));
  EXPECT_FALSE(GetMenuState(GetSubMenu(bar, 1), 1000 + 18, MF_BYCOMMAND) & MF_CHECKED);  // 自动换行
}

TEST_F(EditorForm, SharedKeysGoToTheFirstItemInMenuOrder) {
  // Entries in menu order; the system takes the first entry that matches a key.
  struct Expectation {
    WORD key;
    WORD itemIndex;
  };
  const Expectation keys[] = {{'S', 3}, {'C', 12}, {'D', 15}, {'A', 18}, {'E', 8}, {'N', 1}};
  const auto& entries = editor->acceleratorEntries();
  for (const auto& expected : keys) {
    const auto first = std::find_if(entries.begin(), entries.end(), [&](const ACCEL& entry) {
      return entry.key == expected.key && (entry.fVirt & FCONTROL);
    });
    ASSERT_NE(first, entries.end()) << expected.key;
    EXPECT_EQ(first->cmd, 1000 + expected.itemIndex) << static_cast<char>(expected.key);
  }
  EXPECT_EQ(entries.size(), 16u);  // every item with a key, shared keys included
}

TEST_F(EditorForm, CaptionEditBoxAndSizeAsLoaded) {
  EXPECT_EQ(editor->caption(), "无标题 - Pellith记事本");
  EXPECT_EQ(editor->width(), 774);
  EXPECT_EQ(editor->height(), 471);
  const HWND edit = editor->editBox("编辑框1").handle();
  const LONG_PTR style = GetWindowLongPtrA(edit, GWL_STYLE);
  for (LONG_PTR flag : {WS_CHILD, WS_TABSTOP, WS_CLIPSIBLINGS, WS_HSCROLL, WS_VSCROLL, ES_MULTILINE,
                        ES_AUTOVSCROLL, ES_AUTOHSCROLL, ES_WANTRETURN})
    EXPECT_EQ(style & flag, flag) << std::hex << flag;
  EXPECT_FALSE(style & ES_NOHIDESEL);
  EXPECT_TRUE(GetWindowLongPtrA(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  RECT client, box;
  GetClientRect(editor->handle(), &client);
  GetWindowRect(edit, &box);
  EXPECT_EQ(box.right - box.left, client.right);
  EXPECT_EQ(box.bottom - box.top, client.bottom);
  const LONG_PTR windowStyle = GetWindowLongPtrA(editor->handle(), GWL_STYLE);
  for (LONG_PTR flag : {WS_CAPTION, WS_SYSMENU, WS_THICKFRAME, WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_CLIPCHILDREN})
    EXPECT_EQ(windowStyle & flag, flag) << std::hex << flag;
  EXPECT_EQ(GetWindow(editor->handle(), GW_OWNER), nullptr);
}

TEST_F(EditorForm, CtrlEDestroysTheWindowThroughTheLoop) {
  SetForegroundWindow(editor->handle());
  editor->editBox("编辑框1").setFocus();
  pressKey('E', true);
  EXPECT_EQ(forms::loadedWindow(forms::EditorWindow), nullptr);
}

TEST_F(EditorForm, TabKeepsTheFocusAndInsertsNothing) {
  SetForegroundWindow(editor->handle());
  forms::EditBox& document = editor->editBox("编辑框1");
  document.setFocus();
  pressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), document.handle());
  EXPECT_EQ(document.text(), "");
}

TEST_F(EditorForm, WordWrapTogglesTheCheckMarkAndScrollBarsAndKeepsTheContent) {
  forms::EditBox& document = editor->editBox("编辑框1");
  const std::string content = "第一行很长很长 long line\r\n\xD6\xD0\r\nend";
  document.setText(content);
  document.setSelStart(5);
  document.setSelLength(3);
  for (bool wrapped : {true, false, true}) {
    onEditWordWrap();
    const LONG_PTR style = GetWindowLongPtrA(document.handle(), GWL_STYLE);
    EXPECT_EQ((style & WS_HSCROLL) == 0, wrapped);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_EQ(editor->menuItem("自动换行").checked, wrapped);
    EXPECT_EQ(document.text(), content);
    EXPECT_EQ(document.selStart(), 0);
    EXPECT_EQ(document.selLength(), 0);
    EXPECT_EQ(SendMessageA(document.handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  }
}

TEST_F(EditorForm, AppendToEndAddsAfterTheLastByteWhateverIsSelected) {
  forms::EditBox& document = editor->editBox("编辑框1");
  document.setText("abc\xD6\xD0xyz");
  document.setSelStart(1);
  document.setSelLength(4);
  appendToEnd(document, "\xC8\xD5");
  appendToEnd(document, "!");
  EXPECT_EQ(document.text(), "abc\xD6\xD0xyz\xC8\xD5!");
  EXPECT_EQ(document.selStart(), static_cast<int>(document.text().size()));
  EXPECT_EQ(document.selLength(), 0);
  EXPECT_FALSE(SendMessageA(document.handle(), EM_CANUNDO, 0, 0));
  document.setText("");
  appendToEnd(document, "x");
  EXPECT_EQ(document.text(), "x");
}

}  // namespace
}  // namespace pellith::testing
