// The e2e harness: starts pellith.exe, finds its windows by process id, types
// into it through SendInput and reads its state back with the ordinary Win32
// calls that work across processes (WM_GETTEXT, EM_GETSEL, window rectangles,
// GetGUIThreadInfo). Reads go through the A interface, so texts come back as
// the GBK bytes the program holds.
#include "harness.h"

#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <type_traits>

namespace e2e {
namespace {

// A program that stops answering must fail one check, not hang the suite.
constexpr UINT kAnswerTimeoutMs = 5000;

// Sends and waits for the answer; nullopt when the window does not answer in time.
std::optional<LRESULT> sendTimed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kAnswerTimeoutMs, &result))
    return std::nullopt;
  return static_cast<LRESULT>(result);
}

std::optional<std::string> readText(HWND window) {
  const std::optional<LRESULT> length = sendTimed(window, WM_GETTEXTLENGTH, 0, 0);
  if (!length) return std::nullopt;
  // Across processes the length may be counted in UTF-16 units; leave room for two bytes each.
  std::string text(2 * static_cast<size_t>(*length) + 2, '\0');
  if (!sendTimed(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))) return std::nullopt;
  text.resize(text.find('\0'));
  return text;
}

std::string utf8FromGbk(std::string_view bytes) {
  const int wideLength = MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(wideLength, L'\0');
  MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), wideLength);
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  std::string utf8(length, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

INPUT keyEvent(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

INPUT unicodeEvent(wchar_t character, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = character;
  input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
  return input;
}

void appendKeyStroke(std::vector<INPUT>& inputs, WORD virtualKey, std::initializer_list<WORD> modifiers) {
  for (WORD modifier : modifiers) inputs.push_back(keyEvent(modifier, false));
  inputs.push_back(keyEvent(virtualKey, false));
  inputs.push_back(keyEvent(virtualKey, true));
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) inputs.push_back(keyEvent(*it, true));
}

void send(std::vector<INPUT>& inputs) {
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  EXPECT_EQ(sent, inputs.size()) << "SendInput failed, error " << GetLastError();
}

std::string testName() {
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  if (!test) return "outside-a-test";
  std::string name = std::string(test->test_suite_name()) + "." + test->name();
  for (char& c : name)
    if (c == '/' || c == '\\' || c == ':') c = '_';
  return name;
}

// Saves the whole screen as a 24-bit BMP; the runner script turns it into PNG.
void saveScreenshot(const std::string& path) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  const auto releaseScreen = [](HDC dc) { ReleaseDC(nullptr, dc); };
  std::unique_ptr<std::remove_pointer_t<HDC>, decltype(releaseScreen)> screen(GetDC(nullptr), releaseScreen);
  std::unique_ptr<std::remove_pointer_t<HDC>, decltype(&DeleteDC)> memory(CreateCompatibleDC(screen.get()), &DeleteDC);
  std::unique_ptr<std::remove_pointer_t<HBITMAP>, decltype(&DeleteObject)> bitmap(
      CreateCompatibleBitmap(screen.get(), width, height), &DeleteObject);
  const HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
  BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
  SelectObject(memory.get(), previous);

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  std::string pixels(stride * static_cast<DWORD>(height), '\0');
  GetDIBits(memory.get(), bitmap.get(), 0, height, pixels.data(), &info, DIB_RGB_COLORS);

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  if (out) std::cout << "Screenshot: " << path << "\n";
}

// Keeps the screen as it was at a test's first failure, when the program still shows
// what went wrong, in the folder named by PELLITH_E2E_ARTIFACTS.
class ScreenshotAtFirstFailure : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override { taken_ = false; }
  void OnTestPartResult(const testing::TestPartResult& result) override {
    if (!result.failed() || taken_) return;
    taken_ = true;
    char folder[MAX_PATH] = {};
    if (GetEnvironmentVariableA("PELLITH_E2E_ARTIFACTS", folder, sizeof folder))
      saveScreenshot(std::string(folder) + "\\" + testName() + ".bmp");
  }
  bool taken_ = false;
};

const bool screenshotListenerAdded = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new ScreenshotAtFirstFailure);
  return true;
}();

}  // namespace

std::string programPath() {
  char path[MAX_PATH * 2] = {};
  const DWORD length = GetEnvironmentVariableA("PELLITH_EXE", path, sizeof path);
  return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

std::string className(HWND window) {
  char name[256] = {};
  const int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, length > 0 ? length : 0);
}

std::string windowText(HWND window) {
  std::optional<std::string> text = readText(window);
  if (!text) ADD_FAILURE() << "window " << window << " did not answer WM_GETTEXT";
  return text.value_or("");
}

std::string caption(HWND window) {
  char text[512] = {};
  const int length = GetWindowTextA(window, text, sizeof text);
  return std::string(text, length > 0 ? length : 0);
}

LONG style(HWND window) { return GetWindowLongA(window, GWL_STYLE); }
LONG exStyle(HWND window) { return GetWindowLongA(window, GWL_EXSTYLE); }

RECT windowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

RECT clientRect(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return rect;
}

RECT rectInClientOf(HWND parent, HWND child) {
  RECT rect = windowRect(child);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

HWND focusedWindow(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  return thread && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

std::vector<HWND> visibleChildren(HWND window) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child)) children.push_back(child);
  return children;
}

std::string describe(HWND window) {
  std::ostringstream out;
  out << window;
  if (!window || !IsWindow(window)) return out.str() + " (no window)";
  const RECT rect = windowRect(window);
  out << " class \"" << className(window) << "\" caption " << printable(caption(window)) << " at ("
      << rect.left << "," << rect.top << ") size " << rect.right - rect.left << "x" << rect.bottom - rect.top
      << (IsWindowVisible(window) ? " visible" : " hidden");
  return out.str();
}

std::string printable(std::string_view bytes) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out = "\"";
  bool ascii = true;
  for (unsigned char c : bytes) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (c == '\t') out += "\\t";
    else if (c == '"' || c == '\\') out += {'\\', static_cast<char>(c)};
    else if (c >= 0x20 && c < 0x7F) out += static_cast<char>(c);
    else {
      out += {'\\', 'x', hex[c >> 4], hex[c & 15]};
      ascii = ascii && c < 0x80;
    }
  }
  out += "\"";
  if (!ascii) out += " (GBK for \"" + utf8FromGbk(bytes) + "\")";
  return out;
}

Selection selection(HWND edit) {
  DWORD start = 0, end = 0;
  if (!sendTimed(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end)))
    ADD_FAILURE() << "window " << edit << " did not answer EM_GETSEL";
  return {start, end};
}

testing::AssertionResult textIs(HWND window, std::string_view expected) {
  const std::optional<std::string> text = readText(window);
  if (!text) return testing::AssertionFailure() << "window " << window << " does not answer WM_GETTEXT";
  if (*text == expected) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "the text is " << printable(*text) << ", expected " << printable(expected);
}

testing::AssertionResult focusIs(HWND window, HWND expected) {
  const HWND focus = focusedWindow(window);
  if (focus == expected) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "the focus is on " << describe(focus) << ", expected on " << describe(expected);
}

testing::AssertionResult fillsClientArea(HWND window, HWND child) {
  const RECT client = clientRect(window);
  const RECT box = rectInClientOf(window, child);
  if (EqualRect(&client, &box)) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "client area " << client.right << "x" << client.bottom << ", but the "
                                     << className(child) << " box is at (" << box.left << "," << box.top
                                     << ") size " << box.right - box.left << "x" << box.bottom - box.top;
}

testing::AssertionResult activate(HWND window) {
  SetForegroundWindow(window);
  return eventually([&]() -> testing::AssertionResult {
    const HWND foreground = GetForegroundWindow();
    if (foreground == window) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the foreground window is " << describe(foreground) << ", not "
                                       << describe(window);
  });
}

void pressKey(WORD virtualKey, std::initializer_list<WORD> modifiers) {
  std::vector<INPUT> inputs;
  appendKeyStroke(inputs, virtualKey, modifiers);
  send(inputs);
}

void type(std::wstring_view text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    const SHORT key = c < 0x80 ? VkKeyScanW(c) : -1;
    if (c == L'\n') appendKeyStroke(inputs, VK_RETURN, {});
    else if (c == L'\t') appendKeyStroke(inputs, VK_TAB, {});
    else if (c == L'\x1b') appendKeyStroke(inputs, VK_ESCAPE, {});
    else if (key != -1 && (HIBYTE(key) & ~1) == 0) {
      if (HIBYTE(key) & 1) appendKeyStroke(inputs, LOBYTE(key), {VK_SHIFT});
      else appendKeyStroke(inputs, LOBYTE(key), {});
    } else {
      inputs.push_back(unicodeEvent(c, false));
      inputs.push_back(unicodeEvent(c, true));
    }
  }
  send(inputs);
}

Program::Program() : Program(programPath()) {}

Program::Program(const std::string& path) {
  if (path.empty()) {
    ADD_FAILURE() << "PELLITH_EXE does not name the program to test";
    return;
  }
  // Wine starts its desktop process (explorer.exe) for the first process that needs
  // the desktop. Started by the program, it would join the program's job and die
  // with it, and every later program would then fail on a dead desktop window (X
  // BadWindow). Asking for the desktop here starts it from this process instead.
  GetDesktopWindow();
  // The job ends the program with this process, even when the harness itself is killed.
  job_ = CreateJobObjectA(nullptr, nullptr);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (job_) SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);

  std::string commandLine = "\"" + path + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                      nullptr, &startup, &process_)) {
    ADD_FAILURE() << "cannot start " << path << ": error " << GetLastError();
    process_ = {};
    return;
  }
  if (job_) AssignProcessToJobObject(job_, process_.hProcess);
  ResumeThread(process_.hThread);
}

Program::~Program() {
  if (process_.hProcess) {
    if (running()) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, kAnswerTimeoutMs);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  if (job_) CloseHandle(job_);
}

bool Program::running() const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::vector<HWND> Program::windows() const {
  struct Search {
    DWORD processId;
    std::vector<HWND> found;
  } search{processId(), {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* search = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == search->processId) search->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> Program::formWindows() const {
  std::vector<HWND> forms;
  for (HWND window : windows())
    if (className(window) == kFormClass) forms.push_back(window);
  return forms;
}

bool Program::isEditor(HWND window) {
  return className(window) == kFormClass && FindWindowExA(window, nullptr, "Edit", nullptr);
}

HWND Program::waitForEditor() {
  if (!process_.hProcess) return nullptr;  // the constructor has said why
  const testing::AssertionResult shown = eventually([&]() -> testing::AssertionResult {
    for (HWND window : windows()) {
      if (IsWindowVisible(window) && isEditor(window)) {
        editor_ = window;
        return testing::AssertionSuccess();
      }
    }
    testing::AssertionResult result = testing::AssertionFailure() << "no editor window shown";
    if (!running()) {
      DWORD code = 0;
      GetExitCodeProcess(process_.hProcess, &code);
      result << "; the program has ended with exit code " << static_cast<int>(code);
    }
    for (HWND window : windows()) result << "\n  window " << describe(window);
    return result;
  });
  if (!shown) {
    ADD_FAILURE() << shown.message();
    return editor_ = nullptr;
  }
  for (HWND child : visibleChildren(editor_))
    if (className(child) == "Edit") {
      editBox_ = child;
      break;
    }
  if (!editBox_) ADD_FAILURE() << "the editor window " << describe(editor_) << " shows no edit box";
  return editBox_ ? editor_ : nullptr;
}

bool Program::waitForExit(DWORD& exitCode, DWORD timeout) {
  if (!process_.hProcess || WaitForSingleObject(process_.hProcess, timeout) != WAIT_OBJECT_0) return false;
  return GetExitCodeProcess(process_.hProcess, &exitCode) != 0;
}

HWND dialogOf(const Program& program, std::string_view title, int button) {
  for (HWND window : program.windows())
    if (IsWindowVisible(window) && className(window) == "#32770" && caption(window) == title &&
        GetDlgItem(window, button))
      return window;
  return nullptr;
}

HWND waitForDialog(const Program& program, std::string_view title, int button) {
  HWND found = nullptr;
  const testing::AssertionResult shown = eventually([&]() -> testing::AssertionResult {
    found = dialogOf(program, title, button);
    if (found) return testing::AssertionSuccess();
    testing::AssertionResult result = testing::AssertionFailure()
                                      << "no dialog " << printable(title) << " with a control " << button;
    for (HWND window : program.windows())
      if (IsWindowVisible(window)) result << "\n  window " << describe(window);
    return result;
  });
  if (!shown) ADD_FAILURE() << shown.message();
  return found;
}

std::vector<std::string> textsIn(HWND window) {
  std::vector<std::string> texts;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    texts.push_back(windowText(child));
  return texts;
}

void clickButton(HWND dialog, int id) {
  const HWND button = GetDlgItem(dialog, id);
  if (!button) ADD_FAILURE() << describe(dialog) << " has no control " << id;
  // Posted: the click may start a modal box, and the sender would wait for it to close.
  else PostMessageA(button, BM_CLICK, 0, 0);
}

std::string fileNameBox(HWND fileDialog) {
  const HWND box = GetDlgItem(fileDialog, kFileNameBox);
  if (!box) ADD_FAILURE() << describe(fileDialog) << " has no file-name box";
  return box ? windowText(box) : std::string();
}

void confirmFileName(HWND fileDialog, std::string_view name) {
  const HWND box = GetDlgItem(fileDialog, kFileNameBox);
  if (!box) {
    ADD_FAILURE() << describe(fileDialog) << " has no file-name box";
    return;
  }
  const std::string terminated(name);
  if (!sendTimed(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(terminated.c_str())))
    ADD_FAILURE() << "the file-name box did not answer WM_SETTEXT";
  clickButton(fileDialog, IDOK);
}


void chooseMenuItem(WORD menuKey, int downs) {
  pressKey(menuKey, {VK_MENU});
  for (int i = 0; i < downs; ++i) pressKey(VK_DOWN);
  pressKey(VK_RETURN);
}

HWND editBoxIn(HWND window) {
  for (HWND child : visibleChildren(window))
    if (className(child) == "Edit") return child;
  return nullptr;
}

void setContent(HWND edit, std::string_view text) {
  const std::string terminated(text);
  if (!sendTimed(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(terminated.c_str())))
    ADD_FAILURE() << "window " << edit << " did not answer WM_SETTEXT";
}

void select(HWND edit, DWORD start, DWORD end) {
  if (!sendTimed(edit, EM_SETSEL, start, end)) ADD_FAILURE() << "window " << edit << " did not answer EM_SETSEL";
}

DWORD characterPosition(std::string_view text, std::size_t byteOffset) {
  DWORD characters = 0;
  for (std::size_t at = 0; at < byteOffset && at < text.size(); ++characters)
    at += static_cast<unsigned char>(text[at]) >= 0x80 ? 2 : 1;
  return characters;
}

std::optional<std::string> clipboardText() {
  // The program may hold the clipboard for a moment.
  if (!eventually([] { return OpenClipboard(nullptr) != FALSE; })) {
    ADD_FAILURE() << "cannot open the clipboard";
    return std::nullopt;
  }
  std::optional<std::string> text;
  if (const HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = std::string(bytes, strnlen(bytes, GlobalSize(data)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool setClipboardText(std::string_view text) {
  if (!eventually([] { return OpenClipboard(nullptr) != FALSE; })) return false;
  bool done = false;
  if (EmptyClipboard()) {
    if (const HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
      char* bytes = static_cast<char*>(GlobalLock(data));
      std::memcpy(bytes, text.data(), text.size());
      bytes[text.size()] = '\0';
      GlobalUnlock(data);
      done = SetClipboardData(CF_TEXT, data) != nullptr;
      if (!done) GlobalFree(data);
    }
  }
  CloseClipboard();
  return done;
}

MessageBoxView readMessageBox(HWND box) {
  MessageBoxView view;
  view.title = caption(box);
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    const std::string kind = className(child);
    if (kind == "Button") {
      view.buttons.push_back(windowText(child));
    } else if (kind == "Static") {
      if ((style(child) & SS_TYPEMASK) == SS_ICON) {
        DWORD_PTR icon = 0;
        SendMessageTimeoutA(child, STM_GETICON, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &icon);
        view.icon = view.icon || icon != 0;
      } else if (const std::string text = windowText(child); !text.empty()) {
        view.text = text;
      }
    }
  }
  return view;
}

}  // namespace e2e

namespace e2e {
namespace {

// Wine closes its virtual desktop a moment after the last window goes, and a
// program starting just then dies with an X error. A hidden window of the test
// process keeps the desktop open between the programs a group starts.
class DesktopKeeper : public testing::Environment {
public:
  void SetUp() override {
    window_ = CreateWindowExA(0, "STATIC", "e2e desktop keeper", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  }
  void TearDown() override {
    if (window_) DestroyWindow(window_);
  }

private:
  HWND window_ = nullptr;
};

[[maybe_unused]] testing::Environment* const desktopKeeper = testing::AddGlobalTestEnvironment(new DesktopKeeper);

}  // namespace
}  // namespace e2e
