// Ending the program: Ctrl+E ("&E.退出") and the close box both end the process
// at once with exit code 0, without asking about the text typed.
#include "harness.h"

namespace e2e {
namespace {

enum class Ending { CtrlE, CloseBox, CloseMessage, AltF4 };

struct EndingCase {
  const char* name;
  std::wstring_view typed;  // typed first; never saved
  std::string_view text;    // what the edit box then holds, GBK
  Ending how;
  friend void PrintTo(const EndingCase& ending, std::ostream* out) { *out << ending.name; }
};

class Ends : public EditorTest, public testing::WithParamInterface<EndingCase> {};

TEST_P(Ends, WithExitCodeZero) {
  ASSERT_TRUE(readyToType());
  if (!GetParam().typed.empty()) {
    type(GetParam().typed);
    ASSERT_TRUE(eventually([&] { return textIs(edit, GetParam().text); }));
  }
  switch (GetParam().how) {
    case Ending::CtrlE: pressKey('E', {VK_CONTROL}); break;
    case Ending::CloseBox: PostMessageA(editor, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    case Ending::CloseMessage: PostMessageA(editor, WM_CLOSE, 0, 0); break;
    case Ending::AltF4: pressKey(VK_F4, {VK_MENU}); break;
  }
  DWORD exitCode = 0;
  const bool ended = program.waitForExit(exitCode);
  ASSERT_TRUE(ended) << "still running, with windows:" << [&] {
    std::string windows;
    for (HWND window : program.windows()) windows += "\n  " + describe(window);
    return windows;
  }();
  EXPECT_EQ(exitCode, 0u);
}

INSTANTIATE_TEST_SUITE_P(Ending, Ends,
                         testing::Values(EndingCase{"CtrlE", L"", "", Ending::CtrlE},
                                         EndingCase{"CtrlEWithUnsavedText", L"未保存的 text\nline 2",
                                                    "未保存的 text\r\nline 2", Ending::CtrlE},
                                         EndingCase{"CloseBox", L"", "", Ending::CloseBox},
                                         EndingCase{"CloseBoxWithUnsavedText", L"未保存", "未保存", Ending::CloseBox},
                                         EndingCase{"CloseMessage", L"", "", Ending::CloseMessage},
                                         EndingCase{"AltF4WithUnsavedText", L"abc", "abc", Ending::AltF4}),
                         [](const testing::TestParamInfo<EndingCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
