// The file commands: New (Ctrl+N), Open (Ctrl+O), Save (Ctrl+S) and Save As (the
// menu item's command) through the system's file dialogs, driven from outside as
// a person would, with the files checked byte for byte afterwards.
#include <algorithm>

#include "harness.h"

namespace e2e {
namespace {

constexpr char kOpenTitle[] = "Pellith记事本-打开";
constexpr char kSaveTitle[] = "Pellith记事本-保存";
constexpr char kBoxTitle[] = "Pellith记事本";
constexpr char kCaptionEnd[] = " - Pellith记事本";
constexpr WPARAM kSaveAsCommand = 1004;  // "&S.另存为" is item 4 of the menu; it shares Ctrl+S with 保存

// A byte string from a literal, NUL bytes included.
template <std::size_t N>
std::string bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}
template <std::size_t N>
std::string bytes(const char8_t (&literal)[N]) {
  return std::string(reinterpret_cast<const char*>(literal), N - 1);
}
template <std::size_t N>
std::string bytes(const char16_t (&literal)[N]) {  // UTF-16LE, as x86 stores it
  return std::string(reinterpret_cast<const char*>(literal), 2 * (N - 1));
}

// Bytes as an ANSI edit box gives them back. Wine's edit control keeps its text as
// UTF-16, so bytes that form no GBK character come back as the code page makes them
// (a lead byte without its second byte as "?"); GBK text and ASCII come back unchanged.
std::string asAnsiText(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  std::wstring wide(MultiByteToWideChar(936, 0, bytes.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(936, 0, bytes.data(), size, wide.data(), static_cast<int>(wide.size()));
  const int wideSize = static_cast<int>(wide.size());
  std::string back(WideCharToMultiByte(936, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(936, 0, wide.data(), wideSize, back.data(), static_cast<int>(back.size()), nullptr, nullptr);
  return back;
}

std::string captionOf(std::string_view path) { return std::string(path) + kCaptionEnd; }

// The system's text for an error code, as FormatMessage gives it, without the line break at its end.
std::string systemText(DWORD error) {
  char* buffer = nullptr;
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = length ? std::string(buffer, length) : std::string();
  LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

bool writeBytes(const std::string& path, std::string_view content) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = content.empty() ||
                  (WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
                   written == content.size());
  CloseHandle(file);
  return ok;
}

// The file's bytes, or a note that it cannot be read, so a comparison says what went wrong.
std::string readBytes(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<cannot open " + path + ": error " + std::to_string(GetLastError()) + ">";
  std::string content(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  if (!content.empty() && !ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &read, nullptr))
    read = 0;
  CloseHandle(file);
  content.resize(read);
  return content;
}

testing::AssertionResult fileHolds(const std::string& path, std::string_view expected) {
  const std::string content = readBytes(path);
  if (content == expected) return testing::AssertionSuccess();
  return testing::AssertionFailure() << path << " holds " << content.size() << " bytes " << printable(content.substr(0, 200))
                                     << ", expected " << expected.size() << " bytes " << printable(expected.substr(0, 200));
}

// A fresh folder under the system's temporary folder; removed with whatever it holds.
class Folder {
public:
  Folder() {
    static int count = 0;
    char temporary[MAX_PATH] = {};
    GetTempPathA(sizeof temporary, temporary);
    path_ = std::string(temporary) + "pellith-files-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++count);
    if (!CreateDirectoryA(path_.c_str(), nullptr))
      ADD_FAILURE() << "cannot create " << path_ << ": error " << GetLastError();
  }
  ~Folder() {
    for (const std::string& name : names()) {
      const std::string path = file(name);
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(path_.c_str());
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;

  const std::string& path() const { return path_; }
  std::string file(std::string_view name) const { return path_ + "\\" + std::string(name); }
  std::vector<std::string> names() const {  // sorted
    std::vector<std::string> found;
    WIN32_FIND_DATAA entry{};
    const HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
      const std::string name = entry.cFileName;
      if (name != "." && name != "..") found.push_back(name);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(found.begin(), found.end());
    return found;
  }

private:
  std::string path_;
};

enum class Command { Open, Save, SaveAs };

// The editor, started afresh for each test, and a folder of its own that outlives it
// (the program may keep the folder as its current one until it ends).
class FilesTest : public testing::Test {
protected:
  void SetUp() override {
    editor = program.waitForEditor();
    ASSERT_NE(editor, nullptr);
    edit = program.editBox();
    ASSERT_TRUE(activate(editor));
    ASSERT_TRUE(eventually([&] { return focusIs(editor, edit); }));
  }

  void typeInto(std::wstring_view keys, std::string_view shown) {
    ASSERT_TRUE(activate(editor));
    type(keys);
    ASSERT_TRUE(eventually([&] { return textIs(edit, shown); }));
  }

  // Gives the command and returns the dialog it shows (null, with a failure, when none appears).
  HWND dialogFor(Command command) {
    EXPECT_TRUE(activate(editor));
    switch (command) {
      case Command::Open: pressKey('O', {VK_CONTROL}); break;
      case Command::Save: pressKey('S', {VK_CONTROL}); break;
      case Command::SaveAs: PostMessageA(editor, WM_COMMAND, kSaveAsCommand, 0); break;
    }
    return waitForDialog(program, command == Command::Open ? kOpenTitle : kSaveTitle);
  }

  static testing::AssertionResult closed(HWND dialog) {
    if (!IsWindow(dialog) || !IsWindowVisible(dialog)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << describe(dialog) << " is still shown";
  }

  void cancel(HWND dialog) {
    ASSERT_TRUE(activate(dialog));
    pressKey(VK_ESCAPE);
    ASSERT_TRUE(eventually([&] { return closed(dialog); }));
  }

  // Writes the file-name box of a file dialog without confirming it.
  static testing::AssertionResult putFileName(HWND dialog, const std::string& name) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, kFileNameBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()),
                        SMTO_NORMAL, kDeadline, &ignored);
    return textIs(GetDlgItem(dialog, kFileNameBox), name);
  }

  // Confirms the dialog with `path` and waits until the caption names it.
  void confirm(HWND dialog, const std::string& path) {
    confirmFileName(dialog, path);
    ASSERT_TRUE(eventually([&] { return textIs(editor, captionOf(path)); }));
    ASSERT_TRUE(eventually([&] { return closed(dialog); }));
  }

  void openFile(const std::string& path) {
    const HWND dialog = dialogFor(Command::Open);
    ASSERT_NE(dialog, nullptr);
    confirm(dialog, path);
  }

  // The overwrite question: a second box with the save dialog's title, and Yes and No.
  HWND waitForQuestion() { return waitForDialog(program, kSaveTitle, IDYES); }

  // The program's warning box: titled like the program, with an OK button, showing `text`.
  void expectWarning(std::string_view text) {
    const HWND box = waitForDialog(program, kBoxTitle);
    ASSERT_NE(box, nullptr);
    const std::vector<std::string> texts = textsIn(box);
    EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end())
        << "the box does not show " << printable(text) << "; it shows:" << [&] {
             std::string shown;
             for (const std::string& t : texts) shown += "\n  " + printable(t);
             return shown;
           }();
    EXPECT_FALSE(IsWindowEnabled(editor)) << "the editor takes input while the warning is shown";
    clickButton(box, IDOK);
    ASSERT_TRUE(eventually([&] { return closed(box); }));
  }

  Folder folder;
  Program program;
  HWND editor = nullptr;
  HWND edit = nullptr;
};

// Each group's suites start with its name, so that --gtest_filter=<group>* runs them.
using FilesDialogs = FilesTest;
using FilesSave = FilesTest;
using FilesFailures = FilesTest;
using FilesFullDisk = FilesTest;

// ---- The dialogs: titles, first names, cancelling, and the two memories.

struct DialogCase {
  const char* name;
  Command command;
  const char* title;
  friend void PrintTo(const DialogCase& c, std::ostream* out) { *out << c.name; }
};

class Dialogs : public FilesTest, public testing::WithParamInterface<DialogCase> {};

// Each command shows its dialog with its title and "*.txt"; cancelling it with an
// existing file's name in the box changes nothing: not the text, the caption or the file.
TEST_P(Dialogs, ShowTitleAndFirstNameAndCancelChangesNothing) {
  const std::string existing = folder.file("存在.txt");
  ASSERT_TRUE(writeBytes(existing, "文件内容 file"));
  ASSERT_NO_FATAL_FAILURE(typeInto(L"保留 keep\nme", "保留 keep\r\nme"));
  const HWND dialog = dialogFor(GetParam().command);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(caption(dialog), GetParam().title);
  EXPECT_EQ(fileNameBox(dialog), "*.txt");
  EXPECT_FALSE(IsWindowEnabled(editor)) << "the editor takes input while its file dialog is shown";
  ASSERT_TRUE(putFileName(dialog, existing));
  ASSERT_NO_FATAL_FAILURE(cancel(dialog));
  EXPECT_TRUE(eventually([&] { return textIs(editor, kEditorCaption); }));
  EXPECT_TRUE(textIs(edit, "保留 keep\r\nme"));
  EXPECT_TRUE(fileHolds(existing, "文件内容 file"));
  EXPECT_EQ(folder.names(), std::vector<std::string>{"存在.txt"});
}

INSTANTIATE_TEST_SUITE_P(FilesDialogs, Dialogs,
                         testing::Values(DialogCase{"Open", Command::Open, kOpenTitle},
                                         DialogCase{"Save", Command::Save, kSaveTitle},
                                         DialogCase{"SaveAs", Command::SaveAs, kSaveTitle}),
                         [](const testing::TestParamInfo<DialogCase>& info) { return std::string(info.param.name); });

// Opening does not change the name Save offers, saving does not change the name Open
// offers, a cancelled dialog keeps its name, and New resets neither. A dialog offers a
// remembered path as the file's name in the file's folder: confirming it as offered
// shows which full path it holds.
TEST_F(FilesDialogs, RememberTheirOwnNames) {
  const std::string opened = folder.file("甲.txt");
  const std::string saved = folder.file("乙.txt");
  ASSERT_TRUE(writeBytes(opened, "甲 A\r\n"));

  ASSERT_NO_FATAL_FAILURE(openFile(opened));
  EXPECT_TRUE(textIs(edit, "甲 A\r\n"));

  HWND dialog = dialogFor(Command::Save);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(fileNameBox(dialog), "*.txt") << "Save offers a name although nothing was saved";
  ASSERT_NO_FATAL_FAILURE(confirm(dialog, saved));
  EXPECT_TRUE(fileHolds(saved, "甲 A\r\n"));

  dialog = dialogFor(Command::Open);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(fileNameBox(dialog), "甲.txt") << "Open offers another name than the file it opened";
  ASSERT_TRUE(putFileName(dialog, "乙.txt"));
  ASSERT_NO_FATAL_FAILURE(cancel(dialog));
  EXPECT_TRUE(textIs(editor, captionOf(saved)));

  dialog = dialogFor(Command::Open);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(fileNameBox(dialog), "甲.txt") << "a cancelled Open changed the name it offers";
  clickButton(dialog, IDOK);
  ASSERT_TRUE(eventually([&] { return textIs(editor, captionOf(opened)); }));

  ASSERT_TRUE(activate(editor));
  pressKey('N', {VK_CONTROL});
  ASSERT_TRUE(eventually([&] { return textIs(editor, kEditorCaption); }));
  EXPECT_TRUE(textIs(edit, ""));

  dialog = dialogFor(Command::SaveAs);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(fileNameBox(dialog), "乙.txt") << "Save As offers another name than the file saved last";
  ASSERT_NO_FATAL_FAILURE(cancel(dialog));
  dialog = dialogFor(Command::Save);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(fileNameBox(dialog), "乙.txt") << "Save offers another name than the file saved last";
  clickButton(dialog, IDOK);
  const HWND question = waitForQuestion();
  ASSERT_NE(question, nullptr);
  clickButton(question, IDYES);
  ASSERT_TRUE(eventually([&] { return textIs(editor, captionOf(saved)); }));
  EXPECT_TRUE(fileHolds(saved, ""));
  EXPECT_TRUE(fileHolds(opened, "甲 A\r\n"));
  EXPECT_EQ(folder.names(), (std::vector<std::string>{"甲.txt", "乙.txt"}));
}

// New empties the document and names no file, without asking, whatever was there.
TEST_F(FilesDialogs, NewAsksNothing) {
  const std::string path = folder.file("new.txt");
  ASSERT_TRUE(writeBytes(path, "文件 file"));
  ASSERT_NO_FATAL_FAILURE(openFile(path));
  ASSERT_NO_FATAL_FAILURE(typeInto(L"改 ", "改 文件 file"));
  pressKey('N', {VK_CONTROL});
  EXPECT_TRUE(eventually([&] { return textIs(editor, kEditorCaption); }));
  EXPECT_TRUE(textIs(edit, ""));
  for (HWND window : program.windows())
    EXPECT_TRUE(className(window) == kFormClass || !IsWindowVisible(window)) << "New showed " << describe(window);
  EXPECT_TRUE(IsWindowEnabled(editor));
  EXPECT_TRUE(fileHolds(path, "文件 file"));
}

// ---- Opening: the bytes up to the first NUL, unconverted.

struct OpenCase {
  const char* name;
  const char* fileName;
  std::string content;
  std::string shown;  // the file's bytes up to its first NUL byte
  friend void PrintTo(const OpenCase& c, std::ostream* out) { *out << c.name; }
};

class Opens : public FilesTest, public testing::WithParamInterface<OpenCase> {};

// Replaces the typed text with the file's bytes, unconverted, names the file in the
// caption, and a following Save As writes back exactly the bytes that were read.
TEST_P(Opens, ShowTheBytesUpToTheFirstNul) {
  const OpenCase& c = GetParam();
  ASSERT_EQ(c.shown, c.content.substr(0, c.content.find('\0')));
  const std::string path = folder.file(c.fileName);
  ASSERT_TRUE(writeBytes(path, c.content));
  ASSERT_NO_FATAL_FAILURE(typeInto(L"old 旧", "old 旧"));

  ASSERT_NO_FATAL_FAILURE(openFile(path));
  const std::string shown = asAnsiText(c.shown);
  EXPECT_TRUE(textIs(edit, shown));

  const std::string copy = folder.file("copy.txt");
  const HWND dialog = dialogFor(Command::SaveAs);
  ASSERT_NE(dialog, nullptr);
  ASSERT_NO_FATAL_FAILURE(confirm(dialog, copy));
  // Unedited, the document is saved with the very bytes it was opened with.
  EXPECT_TRUE(fileHolds(copy, c.shown));
  EXPECT_TRUE(fileHolds(path, c.content));
}

INSTANTIATE_TEST_SUITE_P(
    FilesOpen, Opens,
    testing::Values(
        OpenCase{"GbkCrLf", "笔记.txt", "第一行 line 1\r\n第二行：混合 ASCII\r\n\r\n末行 end",
                 "第一行 line 1\r\n第二行：混合 ASCII\r\n\r\n末行 end"},
        OpenCase{"Utf8", "utf8.txt", bytes(u8"中文 UTF-8\r\n第二行"), bytes(u8"中文 UTF-8\r\n第二行")},
        OpenCase{"Utf8WithMark", "utf8bom.txt", "\xEF\xBB\xBF" + bytes(u8"标记 mark"),
                 "\xEF\xBB\xBF" + bytes(u8"标记 mark")},
        OpenCase{"Utf16", "utf16.txt", "\xFF\xFE" + bytes(u"中文 UTF-16"), bytes("\xFF\xFE\x2D\x4E\x87\x65\x20")},
        OpenCase{"NulInside", "with-nul.txt", bytes("ab\0cd"), "ab"},
        OpenCase{"NulFirst", "nul-first.txt", bytes("\0abc"), ""},
        OpenCase{"Empty", "empty.txt", "", ""}),
    [](const testing::TestParamInfo<OpenCase>& info) { return std::string(info.param.name); });

// ---- Saving: exactly the edit box's bytes, by Save and by Save As alike.

struct SaveCase {
  const char* name;
  Command command;
  std::wstring_view typed;
  std::string bytes;
  friend void PrintTo(const SaveCase& c, std::ostream* out) { *out << c.name; }
};

class Saves : public FilesTest, public testing::WithParamInterface<SaveCase> {};

// No byte-order mark, no line break added, no temporary file left beside it.
TEST_P(Saves, TheEditBoxBytes) {
  const SaveCase& c = GetParam();
  if (!c.typed.empty()) {
    ASSERT_NO_FATAL_FAILURE(typeInto(c.typed, c.bytes));
  }
  const std::string path = folder.file("保存.txt");
  const HWND dialog = dialogFor(c.command);
  ASSERT_NE(dialog, nullptr);
  ASSERT_NO_FATAL_FAILURE(confirm(dialog, path));
  EXPECT_TRUE(fileHolds(path, c.bytes));
  EXPECT_EQ(folder.names(), std::vector<std::string>{"保存.txt"});
  EXPECT_TRUE(textIs(edit, c.bytes));
}

INSTANTIATE_TEST_SUITE_P(
    FilesSave, Saves,
    testing::Values(SaveCase{"EmptyBySave", Command::Save, L"", ""},
                    SaveCase{"EmptyBySaveAs", Command::SaveAs, L"", ""},
                    SaveCase{"LinesBySave", Command::Save, L"第一行\nsecond 行\n\n末", "第一行\r\nsecond 行\r\n\r\n末"},
                    SaveCase{"LinesBySaveAs", Command::SaveAs, L"第一行\nsecond 行\n", "第一行\r\nsecond 行\r\n"}),
    [](const testing::TestParamInfo<SaveCase>& info) { return std::string(info.param.name); });

// A name typed without an extension gets ".txt".
TEST_F(FilesSave, TypedNameGetsTxt) {
  ASSERT_NO_FATAL_FAILURE(typeInto(L"note 笔记", "note 笔记"));
  const HWND dialog = dialogFor(Command::Save);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(putFileName(dialog, ""));
  ASSERT_TRUE(activate(dialog));
  std::wstring keys;
  for (char c : folder.file("note")) keys += static_cast<wchar_t>(c);  // the folder's path is ASCII
  type(keys + L"\n");
  const std::string path = folder.file("note.txt");
  ASSERT_TRUE(eventually([&] { return textIs(editor, captionOf(path)); }));
  EXPECT_TRUE(fileHolds(path, "note 笔记"));
  EXPECT_EQ(folder.names(), std::vector<std::string>{"note.txt"});
}

// Saving over an existing file asks first: yes replaces it, no goes back to the dialog
// and leaves file and caption as they were.
class Overwrite : public FilesTest, public testing::WithParamInterface<bool> {};

TEST_P(Overwrite, AsksBeforeReplacing) {
  const bool yes = GetParam();
  const std::string path = folder.file("已有.txt");
  ASSERT_TRUE(writeBytes(path, "旧内容 old\r\n"));
  ASSERT_NO_FATAL_FAILURE(typeInto(L"新内容 new", "新内容 new"));
  const HWND dialog = dialogFor(Command::Save);
  ASSERT_NE(dialog, nullptr);
  confirmFileName(dialog, path);
  const HWND question = waitForQuestion();
  ASSERT_NE(question, nullptr);
  EXPECT_TRUE(fileHolds(path, "旧内容 old\r\n")) << "changed before the answer";
  clickButton(question, yes ? IDYES : IDNO);
  ASSERT_TRUE(eventually([&] { return closed(question); }));
  if (yes) {
    EXPECT_TRUE(eventually([&] { return textIs(editor, captionOf(path)); }));
    EXPECT_TRUE(eventually([&] { return closed(dialog); }));
    EXPECT_TRUE(fileHolds(path, "新内容 new"));
  } else {
    EXPECT_TRUE(IsWindowVisible(dialog)) << "no goes back to the save dialog";
    EXPECT_TRUE(textIs(editor, kEditorCaption));
    ASSERT_NO_FATAL_FAILURE(cancel(dialog));
    EXPECT_TRUE(textIs(editor, kEditorCaption));
    EXPECT_TRUE(fileHolds(path, "旧内容 old\r\n"));
  }
  EXPECT_TRUE(textIs(edit, "新内容 new"));
  EXPECT_EQ(folder.names(), std::vector<std::string>{"已有.txt"});
}

INSTANTIATE_TEST_SUITE_P(FilesSave, Overwrite, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Yes" : "No"; });

// ---- Files that cannot be read or written: a warning, and nothing else changes.

// Another program holds the file open for writing and lets nobody read it.
TEST_F(FilesFailures, OpenLockedFileWarns) {
  const std::string path = folder.file("锁定.txt");
  ASSERT_TRUE(writeBytes(path, "locked 内容"));
  const HANDLE lock = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE) << "error " << GetLastError();
  ASSERT_NO_FATAL_FAILURE(typeInto(L"保留 text", "保留 text"));

  const HWND dialog = dialogFor(Command::Open);
  ASSERT_NE(dialog, nullptr);
  confirmFileName(dialog, path);
  expectWarning("无法打开文件：" + path + "\n" + systemText(ERROR_SHARING_VIOLATION));
  CloseHandle(lock);

  EXPECT_TRUE(textIs(edit, "保留 text"));
  EXPECT_TRUE(textIs(editor, kEditorCaption));
  EXPECT_TRUE(fileHolds(path, "locked 内容"));
}

// A read-only file: after yes to the question the save fails with a warning; the file,
// its attribute and the caption stay as they were.
TEST_F(FilesFailures, SaveOverReadOnlyWarns) {
  const std::string path = folder.file("只读.txt");
  ASSERT_TRUE(writeBytes(path, "只读 read-only"));
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_NO_FATAL_FAILURE(typeInto(L"新 new", "新 new"));

  const HWND dialog = dialogFor(Command::Save);
  ASSERT_NE(dialog, nullptr);
  confirmFileName(dialog, path);
  const HWND question = waitForQuestion();
  ASSERT_NE(question, nullptr);
  clickButton(question, IDYES);
  expectWarning("无法保存文件：" + path + "\n" + systemText(ERROR_ACCESS_DENIED));

  EXPECT_TRUE(textIs(editor, kEditorCaption));
  EXPECT_TRUE(textIs(edit, "新 new"));
  EXPECT_TRUE(fileHolds(path, "只读 read-only"));
  EXPECT_EQ(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY, DWORD{FILE_ATTRIBUTE_READONLY});
  EXPECT_EQ(folder.names(), std::vector<std::string>{"只读.txt"});
}

// A real full disk: tests/e2e/full-disk.sh mounts a small file system and names its
// folder in PELLITH_FULL_DISK_FOLDER. A document larger than the disk is saved over a
// file there: the save fails with a warning, the old bytes survive and no temporary
// file is left behind.
TEST_F(FilesFullDisk, SaveKeepsTheOldFile) {
  char disk[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("PELLITH_FULL_DISK_FOLDER", disk, sizeof disk)) {
    char reason[1024] = {};
    if (GetEnvironmentVariableA("PELLITH_FULL_DISK_REFUSED", reason, sizeof reason))
      GTEST_SKIP() << "no small disk could be mounted: " << reason;
    GTEST_SKIP() << "PELLITH_FULL_DISK_FOLDER names no small disk; run this test through tests/e2e/full-disk.sh";
  }
  const std::string target = std::string(disk) + "\\满盘.txt";
  const std::string old = "旧的内容 must survive\r\n";
  ASSERT_TRUE(writeBytes(target, old)) << target << ": error " << GetLastError();

  std::string large;
  for (int line = 0; large.size() < (1u << 20); ++line)
    large += "第 " + std::to_string(line) + " 行：磁盘已满时旧文件必须完整 the old file stays whole\r\n";
  const std::string source = folder.file("large.txt");
  ASSERT_TRUE(writeBytes(source, large));
  ASSERT_NO_FATAL_FAILURE(openFile(source));

  const HWND dialog = dialogFor(Command::Save);
  ASSERT_NE(dialog, nullptr);
  confirmFileName(dialog, target);
  const HWND question = waitForQuestion();
  ASSERT_NE(question, nullptr);
  clickButton(question, IDYES);
  expectWarning("无法保存文件：" + target + "\n" + systemText(ERROR_DISK_FULL));

  EXPECT_TRUE(textIs(editor, captionOf(source)));
  EXPECT_TRUE(fileHolds(target, old));
  WIN32_FIND_DATAA entry{};
  std::vector<std::string> names;
  const HANDLE search = FindFirstFileA((std::string(disk) + "\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do
      if (std::string_view(entry.cFileName) != "." && std::string_view(entry.cFileName) != "..")
        names.push_back(entry.cFileName);
    while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  EXPECT_EQ(names, std::vector<std::string>{"满盘.txt"}) << "a temporary file was left on the full disk";
  DeleteFileA(target.c_str());
}

}  // namespace
}  // namespace e2e
