// Help (F1) hands the help file beside the program to the shell; About shows a
// task-modal message box. For Help, a recording program (pellith_open_recorder,
// built beside this one) is registered for .chm documents in the Wine prefix for
// the time of each test, so the shell's request can be read back.
#include "harness.h"

namespace e2e {
namespace {

constexpr wchar_t kDocumentType[] = L".chm";
constexpr wchar_t kProgId[] = L"PellithTests.OpenRecorder";
constexpr char kHelpName[] = "\\Pellith记事本帮助.chm";
constexpr int kAboutItem = 1;  // Down presses from 帮助 in "&O.关于"

std::wstring ownFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\'));
}

std::string folderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

std::optional<std::wstring> defaultValue(HKEY root, const wchar_t* key) {
  wchar_t value[512] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(root, key, nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) return std::nullopt;
  return std::wstring(value);
}

bool setDefaultValue(HKEY root, const std::wstring& key, const std::wstring& value) {
  HKEY opened = nullptr;
  if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr) != ERROR_SUCCESS)
    return false;
  const LONG result = RegSetValueExW(opened, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(opened);
  return result == ERROR_SUCCESS;
}

std::string readBytes(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string content(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  if (!content.empty() && !ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &read, nullptr)) read = 0;
  CloseHandle(file);
  content.resize(read);
  return content;
}

// Registers the recorder as the program that opens .chm documents, and undoes it.
class RecordedHelpViewer {
public:
  RecordedHelpViewer() {
    char temporary[MAX_PATH] = {};
    GetTempPathA(sizeof temporary, temporary);
    record_ = std::string(temporary) + "pellith-help-record-" + std::to_string(GetCurrentProcessId()) + ".txt";
    DeleteFileA(record_.c_str());
    previous_ = defaultValue(HKEY_CLASSES_ROOT, kDocumentType);
    const std::wstring recorder = ownFolder() + L"\\pellith_open_recorder.exe";
    if (GetFileAttributesW(recorder.c_str()) == INVALID_FILE_ATTRIBUTES) {
      ADD_FAILURE() << "the recorder is missing beside the tests";
      return;
    }
    wchar_t recordWide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, record_.c_str(), -1, recordWide, MAX_PATH);
    const std::wstring command = L"\"" + recorder + L"\" \"" + recordWide + L"\" \"%1\"";
    if (!setDefaultValue(HKEY_CLASSES_ROOT, std::wstring(kProgId) + L"\\shell\\open\\command", command) ||
        !setDefaultValue(HKEY_CLASSES_ROOT, kDocumentType, kProgId))
      ADD_FAILURE() << "cannot register the recorder for .chm documents";
  }
  ~RecordedHelpViewer() {
    if (previous_) {
      setDefaultValue(HKEY_CLASSES_ROOT, kDocumentType, *previous_);
    } else {
      HKEY key = nullptr;
      if (RegOpenKeyExW(HKEY_CLASSES_ROOT, kDocumentType, 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, nullptr);
        RegCloseKey(key);
      }
    }
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
    DeleteFileA(record_.c_str());
  }
  RecordedHelpViewer(const RecordedHelpViewer&) = delete;
  RecordedHelpViewer& operator=(const RecordedHelpViewer&) = delete;

  // The documents the recorder was asked to open, one per line.
  std::string requests() const { return readBytes(record_); }

private:
  std::string record_;
  std::optional<std::wstring> previous_;
};

// Whether the program shows any window but the editor, and the editor takes input.
testing::AssertionResult onlyTheEditorShown(const Program& program, HWND editor) {
  for (HWND window : program.windows())
    if (window != editor && IsWindowVisible(window))
      return testing::AssertionFailure() << "the program shows " << describe(window);
  if (!IsWindowEnabled(editor)) return testing::AssertionFailure() << "the editor window is disabled";
  return testing::AssertionSuccess();
}

class HelpAbout : public EditorTest {
protected:
  void SetUp() override {
    EditorTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(readyToType());
  }
};

TEST_F(HelpAbout, HelpAsksTheShellToOpenTheFileBesideTheProgram) {
  RecordedHelpViewer viewer;
  if (HasFailure()) return;
  const std::string expected = folderOf(programPath()) + kHelpName;
  ASSERT_NE(GetFileAttributesA(expected.c_str()), INVALID_FILE_ATTRIBUTES) << "the build put no help file at "
                                                                           << printable(expected);
  pressKey(VK_F1);
  EXPECT_TRUE(eventually([&] { return viewer.requests() == expected + "\n"; }))
      << "the shell was asked for " << printable(viewer.requests()) << ", expected " << printable(expected);
  // Each Help asks again; the editor does not wait for the viewer.
  ASSERT_TRUE(activate(editor));
  pressKey(VK_F1);
  EXPECT_TRUE(eventually([&] { return viewer.requests() == expected + "\n" + expected + "\n"; }))
      << printable(viewer.requests());
  ASSERT_TRUE(activate(editor));
  ASSERT_TRUE(eventually([&] { return focusIs(editor, edit); }));
  type(L"ok");
  EXPECT_TRUE(eventually([&] { return textIs(edit, "ok"); }));
  EXPECT_TRUE(onlyTheEditorShown(program, editor));
}

TEST_F(HelpAbout, AboutShowsTheVersionInATaskModalBox) {
  setContent(edit, "原文");
  chooseMenuItem('O', kAboutItem);
  const HWND box = waitForDialog(program, "关于Pellith记事本");
  ASSERT_NE(box, nullptr);
  const MessageBoxView view = readMessageBox(box);
  EXPECT_EQ(view.text, "Pellith记事本\n\n版本：V1.0\n\n2021年7月9日") << printable(view.text);
  ASSERT_EQ(view.buttons.size(), 1u);
  EXPECT_EQ(view.buttons[0], "确定");
  EXPECT_FALSE(view.icon);
  EXPECT_FALSE(IsWindowEnabled(editor)) << "the editor takes input while About is shown";

  // Keys go to the box, not to the editor: typing changes nothing, Enter closes it.
  ASSERT_TRUE(activate(box));
  type(L"x");
  pressKey(VK_RETURN);
  ASSERT_TRUE(eventually([&]() -> testing::AssertionResult {
    if (IsWindow(box) && IsWindowVisible(box)) return testing::AssertionFailure() << "About is still shown";
    return testing::AssertionSuccess();
  }));
  EXPECT_TRUE(eventually([&] { return onlyTheEditorShown(program, editor); }));
  EXPECT_TRUE(textIs(edit, "原文"));
}

// Run from a folder of its own without the help file, the program says nothing
// and the shell starts no viewer.
class HelpAboutWithoutHelpFile : public testing::Test {
protected:
  void SetUp() override {
    char temporary[MAX_PATH] = {};
    GetTempPathA(sizeof temporary, temporary);
    folder = std::string(temporary) + "pellith-no-help-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    copy = folder + "\\pellith.exe";
    ASSERT_TRUE(CopyFileA(programPath().c_str(), copy.c_str(), FALSE)) << "error " << GetLastError();
    ASSERT_EQ(GetFileAttributesA((folder + kHelpName).c_str()), INVALID_FILE_ATTRIBUTES);
  }
  void TearDown() override {
    DeleteFileA(copy.c_str());
    RemoveDirectoryA(folder.c_str());
  }

  std::string folder;
  std::string copy;
};

TEST_F(HelpAboutWithoutHelpFile, HelpChangesNothing) {
  RecordedHelpViewer viewer;
  {
    Program program(copy);
    const HWND editor = program.waitForEditor();
    ASSERT_NE(editor, nullptr);
    const HWND edit = program.editBox();
    setContent(edit, "内容");
    ASSERT_TRUE(activate(editor));
    ASSERT_TRUE(eventually([&] { return focusIs(editor, edit); }));
    const std::string captionBefore = caption(editor);
    pressKey(VK_F1);
    // Whatever Help does has happened by the time the keys typed after it arrive;
    // then give a box or a viewer time to show up.
    type(L"!");
    ASSERT_TRUE(eventually([&] { return textIs(edit, "!内容"); }));
    Sleep(1500);
    EXPECT_TRUE(onlyTheEditorShown(program, editor));
    EXPECT_EQ(caption(editor), captionBefore);
    EXPECT_TRUE(focusIs(editor, edit));
    EXPECT_TRUE(program.running());
  }
  EXPECT_EQ(viewer.requests(), "") << "a viewer was started for a missing file";
}

}  // namespace
}  // namespace e2e
