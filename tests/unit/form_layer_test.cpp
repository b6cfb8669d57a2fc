// Property semantics, menus, accelerators and keyboard rules of the form
// layer, on real windows of a small test form.
#include <string>
#include <vector>

#include "app/window_lifecycle.h"
#include "tests/unit/form_test_support.h"

namespace pellith::testing {
namespace {

using forms::EditBox;
using forms::FormWindow;

class FormLayer : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    ASSERT_TRUE(loadWindow(ToolWindow));
    window = &forms::window(ToolWindow);
    edit = &window->editBox("编辑框");
    SetForegroundWindow(window->handle());
    edit->setFocus();
    processWaitingMessages();
    eventLog().clear();
  }
  std::pair<DWORD, DWORD> characterSelection() const {
    DWORD start = 0, end = 0;
    SendMessageA(edit->handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }
  FormWindow* window = nullptr;
  EditBox* edit = nullptr;
};

constexpr const char* chineseText = "\xD6\xD0\xCE\xC4" "abc";  // 中文abc in GBK

TEST_F(FormLayer, TextIsStoredAsBytesAndAnEmptyBoxReadsEmpty) {
  EXPECT_EQ(edit->text(), "");
  edit->setText(chineseText);
  char raw[32] = {};
  GetWindowTextA(edit->handle(), raw, sizeof raw);
  EXPECT_STREQ(raw, chineseText);
  EXPECT_EQ(edit->text(), chineseText);
}

TEST_F(FormLayer, SelectionIsInBytesWhileTheControlCountsCharacters) {
  edit->setText(chineseText);
  edit->setSelStart(2);   // after 中
  edit->setSelLength(3);  // 文a
  EXPECT_EQ(characterSelection(), std::make_pair(DWORD{1}, DWORD{3}));
  EXPECT_EQ(edit->selStart(), 2);
  EXPECT_EQ(edit->selLength(), 3);

  SendMessageA(edit->handle(), EM_SETSEL, 2, 4);  // the user selects "ab"
  EXPECT_EQ(edit->selStart(), 4);
  EXPECT_EQ(edit->selLength(), 2);
}

TEST_F(FormLayer, SelectionWritesTreatMinusOneAndOtherNegatives) {
  edit->setText(chineseText);
  edit->setSelLength(2);
  edit->setSelStart(-1);  // the end, with length 0
  EXPECT_EQ(characterSelection(), std::make_pair(DWORD{5}, DWORD{5}));
  edit->setSelStart(-7);  // other negatives: 0, length kept (0)
  EXPECT_EQ(characterSelection(), std::make_pair(DWORD{0}, DWORD{0}));
  edit->setSelLength(-1);  // everything
  EXPECT_EQ(characterSelection(), std::make_pair(DWORD{0}, DWORD{5}));
  edit->setSelStart(3);
  edit->setSelLength(-9);  // other negatives: 0
  EXPECT_EQ(characterSelection(), std::make_pair(DWORD{2}, DWORD{2}));
  edit->setSelLength(100);  // past the end: up to the end
  EXPECT_EQ(characterSelection(), std::make_pair(DWORD{2}, DWORD{5}));
}

TEST_F(FormLayer, WidthAndHeightAreClamped) {
  edit->setWidth(40000);
  EXPECT_EQ(edit->width(), 32627);
  edit->setWidth(-5);
  EXPECT_EQ(edit->width(), 0);
  edit->setHeight(123);
  EXPECT_EQ(edit->height(), 123);
  EXPECT_EQ(edit->width(), 0);
  RECT rect;
  GetWindowRect(edit->handle(), &rect);
  MapWindowPoints(nullptr, window->handle(), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, 0);  // resizing never moves it
  EXPECT_EQ(rect.top, 0);
}

TEST_F(FormLayer, MaxLengthZeroLetsMoreThan30000CharactersIn) {
  const std::string longText(40000, 'x');
  SendMessageA(edit->handle(), EM_SETSEL, 0, 0);
  SendMessageA(edit->handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(longText.c_str()));
  EXPECT_EQ(edit->text().size(), longText.size());
  edit->setMaxLength(10);
  edit->setText("");
  SendMessageA(edit->handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(longText.c_str()));
  EXPECT_EQ(edit->text().size(), 10u);
}

TEST_F(FormLayer, RecreationKeepsContentSelectionFocusPlaceAndLook) {
  edit->setText(chineseText);
  edit->setWidth(250);
  edit->setSelStart(2);
  edit->setSelLength(2);
  FontRecord record;
  record.name = "Tahoma";
  record.size = 20;
  edit->setFont(record);
  edit->setTextColour(0x00FF00);
  const HWND old = edit->handle();
  const HWND above = GetWindow(old, GW_HWNDPREV);
  ASSERT_EQ(GetFocus(), old);

  edit->setScrollBars(2);

  const HWND fresh = edit->handle();
  ASSERT_NE(fresh, old);
  EXPECT_FALSE(IsWindow(old));
  const LONG_PTR style = GetWindowLongPtrA(fresh, GWL_STYLE);
  EXPECT_TRUE(style & WS_VSCROLL);
  EXPECT_FALSE(style & WS_HSCROLL);
  EXPECT_FALSE(style & ES_AUTOHSCROLL);  // lines wrap now
  EXPECT_TRUE(style & WS_VISIBLE);
  EXPECT_EQ(GetFocus(), fresh);
  EXPECT_EQ(GetWindow(fresh, GW_HWNDPREV), above);
  EXPECT_EQ(edit->width(), 250);
  EXPECT_EQ(edit->text(), chineseText);
  EXPECT_EQ(characterSelection(), std::make_pair(DWORD{1}, DWORD{2}));
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(fresh, WM_GETFONT, 0, 0)) != nullptr, true);
  LOGFONTA shown{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(fresh, WM_GETFONT, 0, 0)), sizeof shown, &shown);
  EXPECT_STREQ(shown.lfFaceName, "Tahoma");
  EXPECT_EQ(shown.lfHeight, -27);  // 20 points at 96 dots per inch
  EXPECT_EQ(edit->textColour(), 0x00FF00u);
}

TEST_F(FormLayer, WritingTheCurrentValueKeepsTheControl) {
  edit->setText("abcdef");
  SendMessageA(edit->handle(), EM_SETSEL, 1, 4);
  const HWND old = edit->handle();
  edit->setScrollBars(3);
  edit->setMultiLine(true);
  edit->setHideSelection(true);
  EXPECT_EQ(edit->handle(), old);
  EXPECT_EQ(characterSelection(), std::make_pair(DWORD{1}, DWORD{4}));
}

TEST_F(FormLayer, RecreationUsesTheTextAsOfTheLastReadOrWrite) {
  edit->setText("stored");
  SetWindowTextA(edit->handle(), "typed but never read");
  edit->setAlignment(1);
  EXPECT_EQ(edit->text(), "stored");
  EXPECT_TRUE(GetWindowLongPtrA(edit->handle(), GWL_STYLE) & ES_CENTER);
}

TEST_F(FormLayer, FontRecordRulesAndFallbackFace) {
  FontRecord record;
  record.size = -5;
  record.bold = 3;
  record.italic = 1;
  record.name = std::string(32, 'x');
  edit->setFont(record);
  EXPECT_EQ(edit->font().lfHeight, 0);
  EXPECT_EQ(edit->font().lfWeight, FW_BOLD);
  EXPECT_EQ(edit->font().lfItalic, 1);
  EXPECT_STREQ(edit->font().lfFaceName, "宋体");
  EXPECT_NE(SendMessageA(edit->handle(), WM_GETFONT, 0, 0), 0);
}

TEST_F(FormLayer, AThousandFontChangesLeaveNoFontBehind) {
  FontRecord record;
  record.name = "DejaVu Sans";
  record.size = 10;
  edit->setFont(record);
  // Wine reports no GDI object count, so each replaced font is also checked to be gone.
  const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  std::vector<HGDIOBJ> replaced;
  for (int change = 0; change < 1000; ++change) {
    replaced.push_back(reinterpret_cast<HGDIOBJ>(SendMessageA(edit->handle(), WM_GETFONT, 0, 0)));
    record.size = 8 + change % 20;
    record.bold = change % 2;
    edit->setFont(record);
    edit->setTextColour(static_cast<forms::Colour>(change));
  }
  const DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  EXPECT_LE(after, before + 2) << before << " -> " << after;
  // Wine hands out a freed handle value again after a few hundred fonts, so
  // the one value that may legitimately be alive is the current font's.
  const auto current = reinterpret_cast<HGDIOBJ>(SendMessageA(edit->handle(), WM_GETFONT, 0, 0));
  EXPECT_EQ(GetObjectType(current), static_cast<DWORD>(OBJ_FONT));
  int stillAlive = 0;
  for (HGDIOBJ font : replaced) stillAlive += font != current && GetObjectType(font) != 0;
  EXPECT_EQ(stillAlive, 0);
}

TEST_F(FormLayer, ComponentsStoreTheirPropertiesWithClamping) {
  forms::CommonDialog& dialog = window->commonDialog("对话框");
  EXPECT_EQ(dialog.dialogType(), 3);  // 9 in the form
  EXPECT_EQ(dialog.fontSize(), 0);    // -3 in the form
  EXPECT_EQ(dialog.title, "标题");
  EXPECT_EQ(dialog.colour, 0x123456u);
  dialog.setDialogType(-4);
  EXPECT_EQ(dialog.dialogType(), 0);
  dialog.setFontSize(12);
  EXPECT_EQ(dialog.fontSize(), 12);
  EXPECT_EQ(dialog.handle(), nullptr);
}

TEST_F(FormLayer, SharedShortcutGoesToTheFirstItemInMenuOrder) {
  pressKey('K', true);
  pressKey(VK_F2);
  pressKey(VK_DELETE);
  EXPECT_EQ(eventLog(), (std::vector<std::string>{"first", "third", "fourth"}));
  EXPECT_EQ(edit->text(), "");  // the keys never reached the edit box
}

TEST_F(FormLayer, MenuWritesRebuildTheBarAndItsKeys) {
  window->setMenuChecked("第三", true);
  HMENU firstMenu = GetSubMenu(GetMenu(window->handle()), 0);
  ASSERT_NE(firstMenu, nullptr);
  EXPECT_TRUE(GetMenuState(firstMenu, 1000 + 4, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_TRUE(window->menuItem("第三").checked);

  char text[64] = {};
  GetMenuStringA(firstMenu, 1000 + 1, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "&1.第一\tCtrl+K");
  EXPECT_EQ(GetMenuItemCount(firstMenu), 4);  // separator included

  window->setMenuEnabled("第一", false);
  firstMenu = GetSubMenu(GetMenu(window->handle()), 0);
  EXPECT_TRUE(GetMenuState(firstMenu, 1000 + 1, MF_BYCOMMAND) & MF_GRAYED);

  window->setMenuVisible("乙菜单", false);
  EXPECT_EQ(GetMenuItemCount(GetMenu(window->handle())), 1);
  pressKey(VK_DELETE);  // its item's key went with it
  EXPECT_TRUE(eventLog().empty());

  window->setMenuCaption("甲菜单", "&Z.新");
  GetMenuStringA(GetMenu(window->handle()), 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&Z.新");
}

TEST_F(FormLayer, EventsRaisedWhileHeldAreDropped) {
  {
    forms::EventHold hold;
    SendMessageA(window->button("按钮1").handle(), BM_CLICK, 0, 0);
  }
  EXPECT_TRUE(eventLog().empty());
  SendMessageA(window->button("按钮1").handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(eventLog(), std::vector<std::string>{"clicked 按钮1"});
}

TEST_F(FormLayer, TabFollowsTabIndexThenReverseFormOrder) {
  // Buttons 1..3 have TabIndex 0, the edit box 1: order 按钮3, 按钮2, 按钮1, 编辑框.
  const HWND button1 = window->button("按钮1").handle();
  const HWND button2 = window->button("按钮2").handle();
  const HWND button3 = window->button("按钮3").handle();
  pressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), button3);
  pressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), button2);
  pressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), button1);
  pressKey(VK_TAB, false, false, true);
  EXPECT_EQ(GetFocus(), button2);
  pressKey(VK_TAB);
  pressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), edit->handle());
  EXPECT_EQ(edit->text(), "");  // never a tab character
}

TEST_F(FormLayer, EnterBelongsToTheMultiLineEditBox) {
  pressKey(VK_RETURN);
  EXPECT_EQ(edit->text(), "\r\n");
  EXPECT_EQ(GetFocus(), edit->handle());
}

TEST_F(FormLayer, AltWithAnAccessKeyPressesTheButton) {
  pressKey('Q', false, true);
  EXPECT_EQ(eventLog(), std::vector<std::string>{"clicked 按钮2"});
}

TEST_F(FormLayer, ActivationGivesTheFocusBackToTheLastFocusedControl) {
  const HWND button2 = window->button("按钮2").handle();
  SetFocus(button2);
  ASSERT_TRUE(loadWindow(DialogLikeWindow));  // takes the activation away
  ASSERT_NE(GetActiveWindow(), window->handle());
  SetActiveWindow(window->handle());
  processWaitingMessages();
  EXPECT_EQ(GetFocus(), button2);
}

TEST_F(FormLayer, EscClosesAndEnterMovesFocusOnlyWhereTheFormSaysSo) {
  pressKey(VK_ESCAPE);
  EXPECT_NE(forms::loadedWindow(ToolWindow), nullptr);

  ASSERT_TRUE(loadWindow(DialogLikeWindow));
  FormWindow& dialog = forms::window(DialogLikeWindow);
  SetForegroundWindow(dialog.handle());
  processWaitingMessages();
  // Tab order: 甲 (TabIndex 0) then 乙 (TabIndex 1).
  EXPECT_EQ(GetFocus(), dialog.button("甲").handle());
  pressKey(VK_RETURN);
  EXPECT_EQ(GetFocus(), dialog.button("乙").handle());
  pressKey(VK_ESCAPE);
  EXPECT_EQ(forms::loadedWindow(DialogLikeWindow), nullptr);
  EXPECT_EQ(eventLog().back(), "dialog destroying");
}

}  // namespace
}  // namespace pellith::testing
