// The Font command (Ctrl+F): the system font dialog driven through its controls,
// the settings file plconfig.ini beside the program afterwards, and the stored
// name, size and colour coming back at the next start. What the edit box shows is
// judged from its pixels: the ink of a line of text must be in the chosen colour
// and have the extent of the same line drawn here with the chosen font.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "harness.h"

namespace e2e {
namespace {

constexpr char kDialogTitle[] = "字体";
// The font dialog's face, style, size and colour lists.
constexpr int kFaceList = 0x470, kStyleList = 0x471, kSizeList = 0x472, kColourList = 0x473;
constexpr wchar_t kText[] = L"Wg中文字iM";  // what the edit box shows in these tests
constexpr char kTextGbk[] = "Wg中文字iM";
constexpr COLORREF kWhite = RGB(255, 255, 255);

std::string settingsFile() {
  const std::string program = programPath();
  return program.substr(0, program.find_last_of('\\')) + "\\plconfig.ini";
}

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string readBytes(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<no file " + path + ">";
  std::string content(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  if (!content.empty() && !ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &read, nullptr)) read = 0;
  CloseHandle(file);
  content.resize(read);
  return content;
}

bool writeBytes(const std::string& path, std::string_view content) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool done = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
                    written == content.size();
  CloseHandle(file);
  return done;
}

std::string settingsText(std::string_view face, int points, COLORREF colour) {
  return "[Pellith记事本配置文件]\r\n记事本字体=" + std::string(face) + "\r\n记事本字体大小=" + std::to_string(points) +
         "\r\n记事本字体颜色=" + std::to_string(colour) + "\r\n";
}

// The settings file holds exactly `expected` (the program writes its three values one by one).
testing::AssertionResult settingsHold(const std::string& expected) {
  const std::string content = readBytes(settingsFile());
  if (content == expected) return testing::AssertionSuccess();
  return testing::AssertionFailure() << settingsFile() << " holds " << printable(content) << ", expected "
                                     << printable(expected);
}

// ---- Pixels.

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
};

Picture copyOf(HDC source, int x, int y, int width, int height) {
  Picture picture{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HDC memory = CreateCompatibleDC(source);
  const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
  GdiFlush();
  std::memcpy(picture.pixels.data(), bits, picture.pixels.size() * 4);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return picture;
}

// The client area of a window as the screen shows it.
Picture screenPictureOf(HWND window) {
  const RECT client = clientRect(window);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  const HDC screen = GetDC(nullptr);
  Picture picture = copyOf(screen, origin.x, origin.y, client.right, client.bottom);
  ReleaseDC(nullptr, screen);
  return picture;
}

int pointsToHeight(int points) {
  const HDC screen = GetDC(nullptr);
  const int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return -static_cast<int>(std::lround(points * dotsPerInch / 72.0));
}

// `text` drawn here in `colour` on white with the font the editor makes from a
// name, a size and the bold choice.
Picture drawnHere(const char* face, int points, std::wstring_view text, COLORREF colour, bool bold = false) {
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  constexpr int kWidth = 900, kHeight = 200;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ previousBitmap = SelectObject(memory, bitmap);
  const HFONT font = CreateFontA(pointsToHeight(points), 0, 0, 0, bold ? FW_BOLD : FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                 face);
  const HGDIOBJ previousFont = SelectObject(memory, font);
  const RECT all{0, 0, kWidth, kHeight};
  const HBRUSH white = CreateSolidBrush(kWhite);
  FillRect(memory, &all, white);
  DeleteObject(white);
  SetTextColor(memory, colour);
  SetBkColor(memory, kWhite);
  TextOutW(memory, 20, 20, text.data(), static_cast<int>(text.size()));
  Picture picture = copyOf(memory, 0, 0, kWidth, kHeight);
  SelectObject(memory, previousFont);
  SelectObject(memory, previousBitmap);
  DeleteObject(font);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return picture;
}

// Where a picture shows `colour` over white: fully (exact) or blended, as at the
// edges of anti-aliased strokes. Black (a caret) is not ink of any other colour.
struct Ink {
  int left = INT32_MAX, top = INT32_MAX, right = -1, bottom = -1;
  int exact = 0;  // pixels of exactly the colour
  int area = 0;   // pixels of ink, blended ones included
  int width() const { return right < left ? 0 : right - left + 1; }
  int height() const { return bottom < top ? 0 : bottom - top + 1; }
};

Ink inkOf(const Picture& picture, COLORREF colour) {
  const int target[3] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
  int strongest = 0;  // the channel that differs most from white
  for (int c = 1; c < 3; ++c)
    if (255 - target[c] > 255 - target[strongest]) strongest = c;
  Ink ink;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t p = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
      const int seen[3] = {static_cast<int>((p >> 16) & 255), static_cast<int>((p >> 8) & 255),
                           static_cast<int>(p & 255)};
      const double coverage = (255.0 - seen[strongest]) / (255 - target[strongest]);
      if (coverage < 0.2) continue;
      bool blend = true;
      for (int c = 0; c < 3; ++c)
        blend = blend && std::abs(seen[c] - (255 - coverage * (255 - target[c]))) <= 48;
      if (!blend) continue;
      if (seen[0] == target[0] && seen[1] == target[1] && seen[2] == target[2]) ++ink.exact;
      ++ink.area;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  return ink;
}

// Within a tenth of each other: anti-aliasing on the screen and in memory may differ a little.
bool close(int a, int b) { return std::abs(a - b) * 10 <= std::max(a, b); }

// The edit box shows kText in `colour` with the extent and amount of ink of kText in
// `face` at `points`.
// (The screen may still show a closed dialog over the box for a moment: poll this.)
testing::AssertionResult showsTextIn(HWND edit, const char* face, int points, COLORREF colour, bool bold = false) {
  const Ink expected = inkOf(drawnHere(face, points, kText, colour, bold), colour);
  const Ink shown = inkOf(screenPictureOf(edit), colour);
  if (shown.exact >= 20 && std::abs(shown.width() - expected.width()) <= 2 &&
      std::abs(shown.height() - expected.height()) <= 2 && close(shown.area, expected.area))
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "the edit box shows ink of colour " << colour << " " << shown.width() << "x"
                                     << shown.height() << ", " << shown.area << " pixels (" << shown.exact
                                     << " of exactly that colour); the text in " << printable(face)
                                     << (bold ? " bold" : "") << " at " << points << " points is " << expected.width()
                                     << "x" << expected.height() << ", " << expected.area << " pixels";
}

// ---- The font dialog from outside.

int itemWithText(HWND list, std::wstring_view text) {
  const std::wstring terminated(text);
  return static_cast<int>(SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(terminated.c_str())));
}

int itemWithData(HWND list, LPARAM data) {
  const int count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
  for (int item = 0; item < count; ++item)
    if (static_cast<LPARAM>(SendMessageW(list, CB_GETITEMDATA, item, 0)) == data) return item;
  return CB_ERR;
}

// Chooses an item as a click in the list would.
void choose(HWND dialog, int listId, int item) {
  const HWND list = GetDlgItem(dialog, listId);
  ASSERT_NE(list, nullptr) << describe(dialog) << " has no list " << listId;
  ASSERT_NE(item, CB_ERR) << "list " << listId << " has no such item";
  SendMessageW(list, CB_SETCURSEL, item, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// The text of the chosen item of a list, in GBK.
std::string chosenText(HWND dialog, int listId) {
  const HWND list = GetDlgItem(dialog, listId);
  const LRESULT item = SendMessageW(list, CB_GETCURSEL, 0, 0);
  if (item == CB_ERR) return "<nothing chosen>";
  wchar_t text[256] = {};
  if (SendMessageW(list, CB_GETLBTEXTLEN, item, 0) >= 256) return "<too long>";
  SendMessageW(list, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
  char gbk[512] = {};
  WideCharToMultiByte(936, 0, text, -1, gbk, sizeof gbk, nullptr, nullptr);
  return gbk;
}

COLORREF chosenColour(HWND dialog) {
  const HWND list = GetDlgItem(dialog, kColourList);
  const LRESULT item = SendMessageW(list, CB_GETCURSEL, 0, 0);
  return item == CB_ERR ? CLR_INVALID : static_cast<COLORREF>(SendMessageW(list, CB_GETITEMDATA, item, 0));
}

struct Choice {
  std::wstring_view face;
  const char* faceGbk;
  int points;
  COLORREF colour;
  std::wstring_view style = L"常规";
};

// A fresh start of the program for each test, with no settings file before and after.
class Font : public testing::Test {
protected:
  void SetUp() override {
    DeleteFileA(settingsFile().c_str());
    ASSERT_FALSE(fileExists(settingsFile())) << "cannot remove " << settingsFile();
    start();
  }
  void TearDown() override {
    program.reset();
    DeleteFileA(settingsFile().c_str());
  }

  void start() {
    program.reset();
    program.emplace();
    editor = program->waitForEditor();
    ASSERT_NE(editor, nullptr);
    edit = program->editBox();
    setContent(edit, kTextGbk);
    // Keys go in once the caret is there, as a person waits for it.
    ASSERT_TRUE(activate(editor));
    ASSERT_TRUE(eventually([&] { return focusIs(editor, edit); }));
  }

  // Ends the program as a person would, with the close box, and waits for it to end.
  void closeProgram() {
    PostMessageA(editor, WM_CLOSE, 0, 0);
    DWORD exitCode = 0;
    ASSERT_TRUE(program->waitForExit(exitCode)) << "the program does not end";
    program.reset();
  }

  HWND openFontDialog() {
    EXPECT_TRUE(activate(editor));
    pressKey('F', {VK_CONTROL});
    return waitForDialog(*program, kDialogTitle);
  }

  void chooseAll(HWND dialog, const Choice& choice) {
    choose(dialog, kFaceList, itemWithText(GetDlgItem(dialog, kFaceList), choice.face));
    choose(dialog, kStyleList, itemWithText(GetDlgItem(dialog, kStyleList), choice.style));
    choose(dialog, kSizeList, itemWithText(GetDlgItem(dialog, kSizeList), std::to_wstring(choice.points)));
    choose(dialog, kColourList, itemWithData(GetDlgItem(dialog, kColourList), choice.colour));
  }

  static testing::AssertionResult closed(HWND window) {
    if (!IsWindow(window) || !IsWindowVisible(window)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << describe(window) << " is still shown";
  }

  // Chooses in a freshly opened dialog and confirms it with Enter.
  void confirmChoice(const Choice& choice) {
    const HWND dialog = openFontDialog();
    ASSERT_NE(dialog, nullptr);
    chooseAll(dialog, choice);
    ASSERT_TRUE(activate(dialog));
    pressKey(VK_RETURN);
    ASSERT_TRUE(eventually([&] { return closed(dialog); }));
  }

  std::optional<Program> program;
  HWND editor = nullptr;
  HWND edit = nullptr;
};

const Choice kChinese{L"文泉驿正黑", "文泉驿正黑", 20, RGB(255, 0, 0)};
const Choice kMonoBold{L"DejaVu Sans Mono", "DejaVu Sans Mono", 28, RGB(0, 0, 255), L"粗体"};

TEST_F(Font, ConfirmedChoiceIsShownAndStored) {
  confirmChoice(kChinese);
  EXPECT_TRUE(eventually([&] { return showsTextIn(edit, kChinese.faceGbk, kChinese.points, kChinese.colour); }));
  EXPECT_TRUE(eventually([&] { return settingsHold(settingsText(kChinese.faceGbk, kChinese.points, kChinese.colour)); }));
}

TEST_F(Font, CancelChangesNothing) {
  const COLORREF black = RGB(0, 0, 0);
  Ink before;
  ASSERT_TRUE(eventually([&] {
    before = inkOf(screenPictureOf(edit), black);
    return before.width() > 30;  // the text is drawn, not only the caret
  }));
  const HWND dialog = openFontDialog();
  ASSERT_NE(dialog, nullptr);
  chooseAll(dialog, kMonoBold);
  ASSERT_TRUE(activate(dialog));
  pressKey(VK_ESCAPE);
  ASSERT_TRUE(eventually([&] { return closed(dialog); }));
  // Once the screen has caught up, the text looks as before: black, the same extent.
  EXPECT_TRUE(eventually([&]() -> testing::AssertionResult {
    const Picture shown = screenPictureOf(edit);
    const Ink blue = inkOf(shown, kMonoBold.colour), now = inkOf(shown, black);
    if (blue.exact == 0 && std::abs(now.width() - before.width()) <= 3 && std::abs(now.height() - before.height()) <= 3)
      return testing::AssertionSuccess();
    return testing::AssertionFailure() << blue.exact << " pixels in the cancelled colour; black text "
                                       << now.width() << "x" << now.height() << ", before " << before.width() << "x"
                                       << before.height();
  }));
  EXPECT_FALSE(fileExists(settingsFile())) << printable(readBytes(settingsFile()));

  // The next dialog does not start from the cancelled choice either.
  const HWND again = openFontDialog();
  ASSERT_NE(again, nullptr);
  EXPECT_NE(chosenText(again, kFaceList), kMonoBold.faceGbk);
  EXPECT_EQ(chosenColour(again), black);
  clickButton(again, IDCANCEL);
  ASSERT_TRUE(eventually([&] { return closed(again); }));
  EXPECT_FALSE(fileExists(settingsFile()));
}

TEST_F(Font, SecondCommandStartsFromTheFirstChoice) {
  // The first dialog of a run starts from black and no stored face or size,
  // whatever the settings file and the edit box show.
  ASSERT_NO_FATAL_FAILURE(closeProgram());
  ASSERT_TRUE(writeBytes(settingsFile(), settingsText(kMonoBold.faceGbk, kMonoBold.points, kMonoBold.colour)));
  ASSERT_NO_FATAL_FAILURE(start());
  ASSERT_TRUE(eventually([&] { return showsTextIn(edit, kMonoBold.faceGbk, kMonoBold.points, kMonoBold.colour); }));
  HWND dialog = openFontDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(chosenColour(dialog), RGB(0, 0, 0));
  EXPECT_NE(chosenText(dialog, kFaceList), kMonoBold.faceGbk);
  EXPECT_FALSE(textIs(GetDlgItem(GetDlgItem(dialog, kSizeList), 1001), std::to_string(kMonoBold.points)));
  chooseAll(dialog, kChinese);
  clickButton(dialog, IDOK);
  ASSERT_TRUE(eventually([&] { return closed(dialog); }));
  ASSERT_TRUE(eventually([&] { return showsTextIn(edit, kChinese.faceGbk, kChinese.points, kChinese.colour); }));

  dialog = openFontDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(chosenText(dialog, kFaceList), kChinese.faceGbk);
  EXPECT_TRUE(textIs(GetDlgItem(GetDlgItem(dialog, kSizeList), 1001), std::to_string(kChinese.points)));
  EXPECT_EQ(chosenColour(dialog), kChinese.colour);
  clickButton(dialog, IDCANCEL);
  ASSERT_TRUE(eventually([&] { return closed(dialog); }));
}

TEST_F(Font, RestartAppliesStoredNameSizeAndColourButNotBold) {
  const std::string stored = settingsText(kMonoBold.faceGbk, kMonoBold.points, kMonoBold.colour);
  confirmChoice(kMonoBold);
  EXPECT_TRUE(eventually([&] { return settingsHold(stored); }));
  // Bold is shown for the rest of this run.
  EXPECT_TRUE(eventually([&] {
    return showsTextIn(edit, kMonoBold.faceGbk, kMonoBold.points, kMonoBold.colour, /*bold=*/true);
  }));
  ASSERT_NO_FATAL_FAILURE(closeProgram());

  ASSERT_NO_FATAL_FAILURE(start());
  // The comparison can tell these apart: the default face and bold draw the line otherwise.
  const Ink plain = inkOf(drawnHere(kMonoBold.faceGbk, kMonoBold.points, kText, kMonoBold.colour), kMonoBold.colour);
  const Ink fallback = inkOf(drawnHere("宋体", kMonoBold.points, kText, kMonoBold.colour), kMonoBold.colour);
  const Ink bold = inkOf(drawnHere(kMonoBold.faceGbk, kMonoBold.points, kText, kMonoBold.colour, true),
                         kMonoBold.colour);
  ASSERT_GT(std::abs(fallback.width() - plain.width()), 4);
  ASSERT_GT(bold.area, plain.area * 5 / 4);
  EXPECT_TRUE(eventually([&] { return showsTextIn(edit, kMonoBold.faceGbk, kMonoBold.points, kMonoBold.colour); }));
  EXPECT_TRUE(settingsHold(stored)) << "starting changed the file";
}

// A colour the dialog does not list, written by hand.
TEST_F(Font, StartAppliesAHandWrittenFile) {
  ASSERT_NO_FATAL_FAILURE(closeProgram());
  constexpr COLORREF kColour = RGB(160, 0, 120);
  ASSERT_TRUE(writeBytes(settingsFile(), settingsText("文泉驿正黑", 36, kColour)));
  ASSERT_NO_FATAL_FAILURE(start());
  EXPECT_TRUE(eventually([&] { return showsTextIn(edit, "文泉驿正黑", 36, kColour); }));
}

}  // namespace
}  // namespace e2e
