// Editing benchmark: Find and word wrap on large documents in pellith.exe, next
// to pellith_edit_reference (the least a program must do for the same step with
// an ANSI multi-line edit box), all timed the same way from outside:
//
//   find:   from the click on the find dialog's OK until the edit box reports the
//           match selected and has nothing left to paint; the reference: one
//           GetWindowTextA of the whole text, from the request until its window
//           has said so.
//   wrap:   from Ctrl+A until the new edit box exists, answers (the program is
//           idle again) and has nothing left to paint; the reference: destroy,
//           create and SetWindowTextA of the document it holds, timed alike.
//   peak:   PeakWorkingSetSize of the process after loading and after the toggle.
//   long lines: turning wrap on with one single line of 64 KiB, 256 KiB, 1 MiB
//           loaded, then typing one character at its end; each step is given at
//           most --cap seconds and reported as "more than" beyond that.
//
//   pellith_edit_bench [--runs N] [--sizes 1,10,50] [--lines 64,256,1024] [--cap S]
//                      <folder> <pellith.exe> <reference.exe>
//
// Documents are loaded into pellith through its open dialog (Ctrl+O, the file
// name, OK). Each run starts every program afresh, pellith and the reference
// taking turns; the tables show medians.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kCaptionEnd[] = " - Pellith记事本";
constexpr char kOpenTitle[] = "Pellith记事本-打开";
constexpr char kFindTitle[] = "Pellith记事本";
constexpr char kMarker[] = "终点标记：要找的就是这里";
constexpr int kFileNameBox = 0x47c;
constexpr int kFindEntry = 101;
constexpr UINT kReferenceLoad = WM_APP + 1;
constexpr UINT kReferenceRead = WM_APP + 2;
constexpr UINT kReferenceRecreate = WM_APP + 3;
constexpr double kWindowTimeoutMs = 30000;
constexpr double kStepTimeoutMs = 600000;

double capMs = 120000;

double now() {
  static const double frequency = [] {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return static_cast<double>(value.QuadPart);
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / frequency;
}

std::string caption(HWND window) {
  char text[1024] = {};
  const int length = GetWindowTextA(window, text, sizeof text);  // answered without the program
  return std::string(text, length > 0 ? length : 0);
}

std::string className(HWND window) {
  char name[256] = {};
  const int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, length > 0 ? length : 0);
}

HWND editChild(HWND window) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (_stricmp(className(child).c_str(), "Edit") == 0 && IsWindowVisible(child)) return child;
  return nullptr;
}

std::vector<HWND> visibleWindowsOf(DWORD processId) {
  struct Search {
    DWORD processId;
    std::vector<HWND> found;
  } search{processId, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* search = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == search->processId && IsWindowVisible(window)) search->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Polls until `check` holds or the time is up; returns whether it held.
template <class Check>
bool waitUntil(Check check, double timeoutMs) {
  const double deadline = now() + timeoutMs;
  for (;;) {
    if (check()) return true;
    if (now() > deadline) return false;
    Sleep(1);
  }
}

HWND mainWindowOf(DWORD processId) {
  HWND found = nullptr;
  waitUntil(
      [&] {
        for (HWND window : visibleWindowsOf(processId))
          if (className(window) != "#32770" && editChild(window)) return (found = window) != nullptr;
        return false;
      },
      kWindowTimeoutMs);
  return found;
}

HWND dialogOf(DWORD processId, const char* title, int control) {
  HWND found = nullptr;
  waitUntil(
      [&] {
        for (HWND window : visibleWindowsOf(processId))
          if (className(window) == "#32770" && caption(window) == title && GetDlgItem(window, control))
            return (found = window) != nullptr;
        return false;
      },
      kWindowTimeoutMs);
  return found;
}

// The edit box's length in UTF-16 units (what Wine's control keeps, so asking is
// cheap), answered once the program is idle again; -1 when it does not answer in time.
long long textLength(HWND edit, double timeoutMs) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, static_cast<UINT>(timeoutMs), &length))
    return -1;
  return static_cast<long long>(length);
}

// Nothing left to paint in the window and its children.
bool painted(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return false;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) return false;
  return true;
}

double peakMiB(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return -1;
  return static_cast<double>(counters.PeakWorkingSetSize) / (1 << 20);
}

bool writeAll(const std::string& path, const std::string& bytes) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

// Characters as the edit control counts them: a byte of 0x80 or above starts two.
long long characters(std::string_view gbk) {
  long long count = 0;
  for (std::size_t at = 0; at < gbk.size(); ++count) at += static_cast<unsigned char>(gbk[at]) >= 0x80 ? 2 : 1;
  return count;
}

// CR LF lines of Chinese and ASCII, exactly `size` bytes, with the marker once in
// its last kilobytes.
std::string documentText(std::size_t size) {
  std::string text;
  text.reserve(size);
  char line[200];
  const std::size_t room = size - 1024;
  for (unsigned number = 1;; ++number) {
    const int length = std::snprintf(line, sizeof line,
                                     "第%07u行：Pellith记事本编辑测试，中文与 ASCII 混排 The quick brown fox %u。\r\n",
                                     number, number * 7919u % 100000u);
    if (text.size() + static_cast<std::size_t>(length) > room) break;
    text.append(line, static_cast<std::size_t>(length));
  }
  text += kMarker;
  text += "\r\n";
  while (text.size() + 2 < size) text += static_cast<char>('a' + text.size() % 26);
  text.resize(size - 2, 'z');
  return text + "\r\n";
}

// One line of `size` bytes: Chinese and ASCII words with spaces, no line break.
std::string singleLine(std::size_t size) {
  static const char piece[] = "这是一行很长的文字，没有换行 and no line break at all ";
  std::string text;
  while (text.size() + sizeof piece - 1 <= size) text += piece;
  while (text.size() < size) text += 'x';
  return text;
}

struct Child {
  PROCESS_INFORMATION process{};
  HWND window = nullptr;
  bool start(const std::string& commandLine) {
    std::string line = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
      std::fprintf(stderr, "cannot start %s: error %lu\n", commandLine.c_str(), GetLastError());
      return false;
    }
    WaitForInputIdle(process.hProcess, static_cast<DWORD>(kWindowTimeoutMs));
    window = mainWindowOf(process.dwProcessId);
    if (!window) std::fprintf(stderr, "%s shows no window\n", commandLine.c_str());
    return window != nullptr;
  }
  ~Child() {
    if (!process.hProcess) return;
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
};

INPUT keyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

// Presses `key` with `modifier` held (0 for none) and returns the time the key went
// down. The modifier goes first on its own, as a person holds it: Wine may deliver
// a key of the same batch before the program has seen the modifier.
double press(WORD modifier, WORD key) {
  if (modifier) {
    INPUT down = keyInput(modifier, false);
    SendInput(1, &down, sizeof down);
    Sleep(50);
  }
  INPUT stroke[2] = {keyInput(key, false), keyInput(key, true)};
  const double sent = now();
  SendInput(2, stroke, sizeof(INPUT));
  if (modifier) {
    Sleep(50);
    INPUT up = keyInput(modifier, true);
    SendInput(1, &up, sizeof up);
  }
  return sent;
}

HWND focusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  return thread && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

// Brings the window to the front and waits for the keyboard focus in its edit box,
// as a person waits for the caret before pressing a key, and a moment more: right
// after the open dialog has gone, Wine sometimes drops the next key stroke or the
// modifier held with it. (Times are taken from the key stroke, not before.)
bool toFront(HWND window) {
  SetForegroundWindow(window);
  const bool ready = waitUntil(
      [&] { return GetForegroundWindow() == window && focusOf(window) == editChild(window); }, kWindowTimeoutMs);
  Sleep(300);
  return ready;
}

// Loads the document through the open dialog and waits until it is shown.
bool loadIntoPellith(Child& pellith, const std::string& path, long long expectedLength) {
  if (!toFront(pellith.window)) return false;
  press(VK_CONTROL, 'O');
  const HWND dialog = dialogOf(pellith.process.dwProcessId, kOpenTitle, kFileNameBox);
  if (!dialog) return false;
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(GetDlgItem(dialog, kFileNameBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                      SMTO_NORMAL, 5000, &ignored);
  PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  const std::string expected = path + kCaptionEnd;
  return waitUntil([&] { return caption(pellith.window) == expected; }, kStepTimeoutMs) &&
         textLength(editChild(pellith.window), kStepTimeoutMs) == expectedLength &&
         waitUntil([&] { return painted(pellith.window); }, kStepTimeoutMs) && toFront(pellith.window);
}

bool loadIntoReference(Child& reference) {
  PostMessageA(reference.window, kReferenceLoad, 0, 0);
  return waitUntil([&] { return caption(reference.window).rfind("loaded", 0) == 0; }, kStepTimeoutMs);
}

constexpr double kKeyLost = -2;

// Waits for a replaced edit box with the whole text, then for painting; the time
// it took, -1 once the cap has passed, or kKeyLost when the old box took the key
// stroke as typing (the program did not see the modifier).
double waitForNewEdit(HWND window, HWND old, long long expectedLength, double start, double cap) {
  HWND fresh = nullptr;
  bool typed = false;
  const double deadline = start + cap;
  if (!waitUntil(
          [&] {
            fresh = editChild(window);
            if (fresh == old && textLength(old, 50) > expectedLength) return typed = true;
            return fresh != nullptr && fresh != old && !IsWindow(old);
          },
          deadline - now()))
    return -1;
  if (typed) return kKeyLost;
  while (textLength(fresh, 1000) != expectedLength)
    if (now() > deadline) return -1;
  if (!waitUntil([&] { return painted(window); }, deadline - now())) return -1;
  return now() - start;
}

struct Toggle {
  double onMs = -1, offMs = -1;
  double peakLoadMiB = -1, peakToggleMiB = -1;
};

Toggle togglePellith(const std::string& program, const std::string& path, long long length) {
  Toggle result;
  Child pellith;
  if (!pellith.start("\"" + program + "\"") || !loadIntoPellith(pellith, path, length)) return result;
  result.peakLoadMiB = peakMiB(pellith.process.hProcess);
  for (double* time : {&result.onMs, &result.offMs}) {
    const HWND old = editChild(pellith.window);
    if (!toFront(pellith.window)) return result;
    const double start = press(VK_CONTROL, 'A');
    *time = waitForNewEdit(pellith.window, old, length, start, kStepTimeoutMs);
    if (*time < 0) return result;
    if (time == &result.onMs) result.peakToggleMiB = peakMiB(pellith.process.hProcess);
  }
  return result;
}

Toggle toggleReference(const std::string& program, const std::string& path, long long length) {
  Toggle result;
  Child reference;
  if (!reference.start("\"" + program + "\" \"" + path + "\"") || !loadIntoReference(reference)) return result;
  if (textLength(editChild(reference.window), kStepTimeoutMs) != length) return result;
  result.peakLoadMiB = peakMiB(reference.process.hProcess);
  for (int wrap : {1, 0}) {
    const HWND old = editChild(reference.window);
    const double start = now();
    PostMessageA(reference.window, kReferenceRecreate, static_cast<WPARAM>(wrap), 0);
    const double time = waitForNewEdit(reference.window, old, length, start, kStepTimeoutMs);
    (wrap ? result.onMs : result.offMs) = time;
    if (time < 0) return result;
    if (wrap) result.peakToggleMiB = peakMiB(reference.process.hProcess);
  }
  return result;
}

struct Find {
  double selectedMs = -1;  // the selection reported
  double shownMs = -1;     // and painted
};

Find findInPellith(const std::string& program, const std::string& path, const std::string& text) {
  Find result;
  Child pellith;
  if (!pellith.start("\"" + program + "\"") || !loadIntoPellith(pellith, path, characters(text))) return result;
  if (!toFront(pellith.window)) return result;
  press(0, VK_F2);
  const HWND dialog = dialogOf(pellith.process.dwProcessId, kFindTitle, kFindEntry);
  if (!dialog) return result;
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(GetDlgItem(dialog, kFindEntry), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kMarker), SMTO_NORMAL,
                      5000, &ignored);
  const std::size_t at = text.find(kMarker);
  const DWORD first = static_cast<DWORD>(characters(std::string_view(text).substr(0, at)));
  const DWORD last = first + static_cast<DWORD>(characters(kMarker));
  const HWND edit = editChild(pellith.window);
  const double start = now();
  PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  const bool selected = waitUntil(
      [&] {
        DWORD from = 0, to = 0;
        DWORD_PTR answer = 0;
        return SendMessageTimeoutW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to),
                                   SMTO_NORMAL, 1000, &answer) &&
               from == first && to == last;
      },
      kStepTimeoutMs);
  if (!selected) return result;
  result.selectedMs = now() - start;
  if (waitUntil([&] { return painted(pellith.window); }, kStepTimeoutMs)) result.shownMs = now() - start;
  return result;
}

double readInReference(const std::string& program, const std::string& path) {
  Child reference;
  if (!reference.start("\"" + program + "\" \"" + path + "\"") || !loadIntoReference(reference)) return -1;
  SetWindowTextA(reference.window, "ready");  // the caption is the reference's answer
  const double start = now();
  PostMessageA(reference.window, kReferenceRead, 0, 0);
  if (!waitUntil([&] { return caption(reference.window).rfind("read ", 0) == 0; }, kStepTimeoutMs)) return -1;
  return now() - start;
}

struct LongLine {
  double wrapMs = -3;  // -1: more than the cap, kKeyLost, -3: not measured (a step before failed)
  double typeMs = -3;
};

// Turns wrap on with one long line shown, then types a character at its end.
LongLine longLinePellith(const std::string& program, const std::string& path, long long length) {
  LongLine result;
  Child pellith;
  if (!pellith.start("\"" + program + "\"") || !loadIntoPellith(pellith, path, length)) return result;
  const HWND old = editChild(pellith.window);
  if (!toFront(pellith.window)) return result;
  double start = press(VK_CONTROL, 'A');
  result.wrapMs = waitForNewEdit(pellith.window, old, length, start, capMs);
  if (result.wrapMs < 0) return result;
  const HWND edit = editChild(pellith.window);
  press(VK_CONTROL, VK_END);
  if (!waitUntil([&] { return textLength(edit, 1000) == length && painted(pellith.window); }, capMs)) return result;
  start = press(0, 'X');
  result.typeMs = waitUntil([&] { return textLength(edit, 1000) == length + 1 && painted(pellith.window); }, capMs)
                      ? now() - start
                      : -1;
  return result;
}

LongLine longLineReference(const std::string& program, const std::string& path, long long length) {
  LongLine result;
  Child reference;
  if (!reference.start("\"" + program + "\" \"" + path + "\"") || !loadIntoReference(reference)) return result;
  const HWND old = editChild(reference.window);
  double start = now();
  PostMessageA(reference.window, kReferenceRecreate, 1, 0);
  result.wrapMs = waitForNewEdit(reference.window, old, length, start, capMs);
  if (result.wrapMs < 0) return result;
  const HWND edit = editChild(reference.window);
  if (!toFront(reference.window)) return result;
  press(VK_CONTROL, VK_END);
  if (!waitUntil([&] { return textLength(edit, 1000) == length && painted(reference.window); }, capMs)) return result;
  start = press(0, 'X');
  result.typeMs = waitUntil([&] { return textLength(edit, 1000) == length + 1 && painted(reference.window); }, capMs)
                      ? now() - start
                      : -1;
  return result;
}

double median(std::vector<double> values) {
  values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return v < 0; }), values.end());
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string ms(double value) {
  char text[32];
  if (value == kKeyLost) return "key lost";
  if (value < 0) return "failed";
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

std::string ratio(double a, double b) {
  char text[32];
  if (a < 0 || b <= 0) return "-";
  std::snprintf(text, sizeof text, "%.2fx", a / b);
  return text;
}

std::string capped(double value) {
  if (value >= 0 || value == kKeyLost || value < -2) return ms(value);
  char text[48];
  std::snprintf(text, sizeof text, "more than %.0f", capMs);
  return text;
}

std::vector<int> numbers(const char* list) {
  std::vector<int> values;
  for (const char* at = list; *at;) {
    values.push_back(std::atoi(at));
    while (*at && *at != ',') ++at;
    if (*at == ',') ++at;
  }
  return values;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 3;
  std::vector<int> sizes{1, 10, 50};
  std::vector<int> lines{64, 256, 1024};
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--runs" && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
    else if (argument == "--sizes" && i + 1 < argc) sizes = numbers(argv[++i]);
    else if (argument == "--lines" && i + 1 < argc) lines = numbers(argv[++i]);
    else if (argument == "--cap" && i + 1 < argc) capMs = 1000.0 * std::atoi(argv[++i]);
    else paths.push_back(argument);
  }
  if (paths.size() != 3 || sizes.empty()) {
    std::fprintf(stderr,
                 "usage: pellith_edit_bench [--runs N] [--sizes 1,10,50] [--lines 64,256,1024] [--cap S] "
                 "<folder> <pellith.exe> <reference.exe>\n");
    return 2;
  }
  // No modifier left held by whatever ran before: a held Ctrl would turn F2 into Ctrl+F2.
  for (WORD modifier : {VK_CONTROL, VK_SHIFT, VK_MENU}) {
    INPUT up = keyInput(modifier, true);
    SendInput(1, &up, sizeof up);
  }
  const std::string& folder = paths[0];
  const std::string& pellith = paths[1];
  const std::string& reference = paths[2];

  // ---- Find in the largest document.
  const int largest = *std::max_element(sizes.begin(), sizes.end());
  std::vector<std::string> documents(static_cast<std::size_t>(largest) + 1);
  auto documentFor = [&](int mib) -> std::string {
    const std::string path = folder + "\\edit-" + std::to_string(mib) + "MiB.txt";
    if (documents[static_cast<std::size_t>(mib)].empty()) {
      documents[static_cast<std::size_t>(mib)] = documentText(static_cast<std::size_t>(mib) << 20);
      if (!writeAll(path, documents[static_cast<std::size_t>(mib)])) std::fprintf(stderr, "cannot write %s\n", path.c_str());
    }
    return path;
  };
  {
    const std::string path = documentFor(largest);
    const std::string& text = documents[static_cast<std::size_t>(largest)];
    std::vector<double> selected, shown, read;
    for (int run = 0; run < runs; ++run) {
      const Find find = findInPellith(pellith, path, text);
      selected.push_back(find.selectedMs);
      shown.push_back(find.shownMs);
      read.push_back(readInReference(reference, path));
      std::fprintf(stderr, "find run %d: selected %s ms, shown %s ms; reference read %s ms\n", run + 1,
                   ms(find.selectedMs).c_str(), ms(find.shownMs).c_str(), ms(read.back()).c_str());
    }
    std::printf("\nFind in %d MiB (match in the last KiB), medians of %d runs, ms\n", largest, runs);
    std::printf("  %-34s %10s\n", "pellith: OK to selection reported", ms(median(selected)).c_str());
    std::printf("  %-34s %10s\n", "pellith: OK to selection shown", ms(median(shown)).c_str());
    std::printf("  %-34s %10s\n", "reference: one WM_GETTEXT", ms(median(read)).c_str());
    std::printf("  %-34s %10s   (target <= 1.50x)\n", "ratio shown / reference", ratio(median(shown), median(read)).c_str());
  }

  // ---- One word-wrap toggle.
  std::printf("\nWord wrap toggle, medians of %d runs (time ms, peak working set MiB)\n", runs);
  std::printf("  %6s | %9s %9s %9s %6s | %9s %9s %6s | %8s %8s %8s %6s\n", "MiB", "P on", "P off", "R on", "ratio",
              "P peak", "R peak", "ratio", "P load", "R load", "", "");
  for (int mib : sizes) {
    const std::string path = documentFor(mib);
    const long long length = characters(documents[static_cast<std::size_t>(mib)]);
    std::vector<double> pOn, pOff, rOn, rOff, pPeak, rPeak, pLoad, rLoad;
    for (int run = 0; run < runs; ++run) {
      const Toggle p = togglePellith(pellith, path, length);
      const Toggle r = toggleReference(reference, path, length);
      pOn.push_back(p.onMs), pOff.push_back(p.offMs), rOn.push_back(r.onMs), rOff.push_back(r.offMs);
      pPeak.push_back(p.peakToggleMiB), rPeak.push_back(r.peakToggleMiB);
      pLoad.push_back(p.peakLoadMiB), rLoad.push_back(r.peakLoadMiB);
      std::fprintf(stderr, "wrap %d MiB run %d: pellith on %s off %s peak %.1f; reference on %s off %s peak %.1f\n", mib,
                   run + 1, ms(p.onMs).c_str(), ms(p.offMs).c_str(), p.peakToggleMiB, ms(r.onMs).c_str(),
                   ms(r.offMs).c_str(), r.peakToggleMiB);
    }
    std::printf("  %6d | %9s %9s %9s %6s | %9.1f %9.1f %6s | %8.1f %8.1f\n", mib, ms(median(pOn)).c_str(),
                ms(median(pOff)).c_str(), ms(median(rOn)).c_str(), ratio(median(pOn), median(rOn)).c_str(),
                median(pPeak), median(rPeak), ratio(median(pPeak), median(rPeak)).c_str(), median(pLoad),
                median(rLoad));
    std::printf("  %6s | %9s %9s %9s %6s |\n", "", "", "", ms(median(rOff)).c_str(), "(R off)");
  }
  std::printf("  (P pellith, R reference; targets: time <= 1.10x, peak <= 1.20x; peaks after the toggle on, "
              "load peaks for comparison)\n");

  // ---- One long line with wrap on.
  std::printf("\nOne single line, wrap turned on, then one character typed at its end (ms, cap %.0f s)\n",
              capMs / 1000);
  std::printf("  %8s | %18s %18s | %18s %18s\n", "KiB", "P wrap on", "P type", "R wrap on", "R type");
  for (int kib : lines) {
    const std::string path = folder + "\\line-" + std::to_string(kib) + "KiB.txt";
    const std::string text = singleLine(static_cast<std::size_t>(kib) << 10);
    writeAll(path, text);
    const LongLine p = longLinePellith(pellith, path, characters(text));
    const LongLine r = longLineReference(reference, path, characters(text));
    std::printf("  %8d | %18s %18s | %18s %18s\n", kib, capped(p.wrapMs).c_str(), capped(p.typeMs).c_str(),
                capped(r.wrapMs).c_str(), capped(r.typeMs).c_str());
    std::fflush(stdout);
  }
  return 0;
}
