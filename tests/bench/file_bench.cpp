// File benchmark: how long pellith.exe takes to open and save large GBK files
// through its real file dialogs, and how much memory it needs, next to a
// minimal program that does the same (pellith_file_reference) and to Wine's
// notepad.exe, all in one run and timed the same way from outside:
//
//   open: from the click on the open dialog's OK (for the reference: from the
//         request) until the caption names the file and the edit box answers
//         WM_GETTEXTLENGTH with the text's length, i.e. its program is idle again;
//   save: from the click on the save dialog's OK (reference: the request; notepad:
//         Ctrl+S on the opened copy) until the caption says so, which both set
//         once the file is complete (notepad: until the file is rewritten and closed);
//   peak: PeakWorkingSetSize of the process after opening and after saving.
//
//   pellith_file_bench [--runs N] [--sizes 1,10,50] <folder> <pellith.exe> <reference.exe> [notepad.exe]
//
// Each run starts every program afresh (the peak belongs to one load); runs are
// interleaved pellith, reference, notepad, and the table shows the medians.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr char kCaptionEnd[] = " - Pellith记事本";
constexpr WPARAM kOpenCommand = 1002;  // "&O.打开", item 2 of the editor's menu
constexpr WPARAM kSaveCommand = 1003;  // "&S.保存"
constexpr int kFileNameBox = 0x47c;
constexpr UINT kReferenceOpen = WM_APP + 1;
constexpr UINT kReferenceSave = WM_APP + 2;
constexpr double kStepTimeoutMs = 300000;
constexpr double kWindowTimeoutMs = 30000;

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
  const int length = GetWindowTextA(window, text, sizeof text);  // answered by the server, not by the program
  return std::string(text, length > 0 ? length : 0);
}

std::string className(HWND window) {
  char name[256] = {};
  const int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, length > 0 ? length : 0);
}

HWND editChild(HWND window) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (_stricmp(className(child).c_str(), "Edit") == 0) return child;
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

// Polls until `found` gives a value or the time is up.
template <class Find>
auto waitFor(Find found, double timeoutMs) -> decltype(found()) {
  const double deadline = now() + timeoutMs;
  for (;;) {
    if (auto value = found()) return value;
    if (now() > deadline) return {};
    Sleep(1);
  }
}

// A visible window of the process with an edit box: the program's main window.
HWND mainWindowOf(DWORD processId) {
  return waitFor(
      [&]() -> HWND {
        for (HWND window : visibleWindowsOf(processId))
          if (className(window) != "#32770" && editChild(window)) return window;
        return nullptr;
      },
      kWindowTimeoutMs);
}

// A system file dialog of the process: a dialog box with a file-name box.
HWND fileDialogOf(DWORD processId) {
  return waitFor(
      [&]() -> HWND {
        for (HWND window : visibleWindowsOf(processId))
          if (className(window) == "#32770" && GetDlgItem(window, kFileNameBox)) return window;
        return nullptr;
      },
      kWindowTimeoutMs);
}

// Waits for the caption; `dialogGone` gets the time when the dialog window had gone.
bool waitForCaption(HWND window, const std::string& expected, HWND dialog, double& dialogGone) {
  dialogGone = -1;
  return waitFor(
      [&] {
        if (dialogGone < 0 && !IsWindow(dialog)) dialogGone = now();
        return caption(window) == expected;
      },
      kStepTimeoutMs);
}

// The program is idle again once its edit box answers; returns the length it gives.
// Asked in UTF-16 units: Wine's edit control keeps that length, while an ANSI length
// would cost it a conversion of the whole text.
LRESULT textLength(HWND edit) {
  DWORD_PTR length = 0;
  SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, static_cast<UINT>(kStepTimeoutMs), &length);
  return static_cast<LRESULT>(length);
}

double peakMiB(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return -1;
  return static_cast<double>(counters.PeakWorkingSetSize) / (1 << 20);
}

double workingSetMiB(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return -1;
  return static_cast<double>(counters.WorkingSetSize) / (1 << 20);
}

std::string readAll(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  LARGE_INTEGER size{};
  GetFileSizeEx(file, &size);
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

bool writeAll(const std::string& path, const std::string& bytes) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

// CR LF lines of Chinese and ASCII, exactly `size` bytes.
std::string gbkText(std::size_t size) {
  std::string text;
  text.reserve(size);
  char line[200];
  for (unsigned number = 1;; ++number) {
    const int length = std::snprintf(line, sizeof line,
                                     "第%07u行：Pellith记事本读写测试，中文与 ASCII 混排 The quick brown fox %u。\r\n",
                                     number, number * 7919u % 100000u);
    if (text.size() + static_cast<std::size_t>(length) > size) break;
    text.append(line, static_cast<std::size_t>(length));
  }
  const std::size_t rest = size - text.size();
  if (rest >= 2) text.append(rest - 2, 'x').append("\r\n");
  else text.append(rest, 'x');
  return text;
}

struct Child {
  PROCESS_INFORMATION process{};
  bool start(const std::string& commandLine) {
    std::string line = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
      std::fprintf(stderr, "cannot start %s: error %lu\n", commandLine.c_str(), GetLastError());
      return false;
    }
    WaitForInputIdle(process.hProcess, static_cast<DWORD>(kWindowTimeoutMs));
    return true;
  }
  ~Child() {
    if (!process.hProcess) return;
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
};

struct Result {
  double openMs = -1;
  double saveMs = -1;
  double peakOpenMiB = -1;
  double peakSaveMiB = -1;
  double baseMiB = -1;  // the working set just before the file is opened (its dialog already shown)
  // The program's own part of the time: for pellith from its dialog's end, for the
  // reference as it measured itself.
  double ownOpenMs = -1;
  double ownSaveMs = -1;
  const char* note = "";
};

Result& noting(Result& result, const char* note) {
  result.note = note;
  return result;
}

// Puts `path` into the dialog's file-name box and clicks OK; returns the time of the click.
double confirm(HWND dialog, const std::string& path) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(GetDlgItem(dialog, kFileNameBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                      SMTO_NORMAL, 5000, &ignored);
  const double start = now();
  PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  return start;
}

Result runPellith(const std::string& program, const std::string& source, const std::string& saved,
                  const std::string& expected) {
  Result result;
  DeleteFileA(saved.c_str());
  Child child;
  if (!child.start("\"" + program + "\"")) return result;
  const HWND editor = mainWindowOf(child.process.dwProcessId);
  const HWND edit = editor ? editChild(editor) : nullptr;
  if (!edit) return noting(result, "no editor window");

  PostMessageA(editor, WM_COMMAND, kOpenCommand, 0);
  HWND dialog = fileDialogOf(child.process.dwProcessId);
  if (!dialog) return noting(result, "no open dialog");
  result.baseMiB = workingSetMiB(child.process.hProcess);
  double start = confirm(dialog, source);
  double dialogGone = -1;
  if (!waitForCaption(editor, source + kCaptionEnd, dialog, dialogGone)) return noting(result, "open did not finish");
  if (textLength(edit) <= 0) return noting(result, "empty after opening");
  double end = now();
  result.openMs = end - start;
  if (dialogGone >= 0) result.ownOpenMs = end - dialogGone;
  result.peakOpenMiB = peakMiB(child.process.hProcess);

  PostMessageA(editor, WM_COMMAND, kSaveCommand, 0);
  dialog = fileDialogOf(child.process.dwProcessId);
  if (!dialog) return noting(result, "no save dialog");
  start = confirm(dialog, saved);
  if (!waitForCaption(editor, saved + kCaptionEnd, dialog, dialogGone)) return noting(result, "save did not finish");
  end = now();
  result.saveMs = end - start;
  if (dialogGone >= 0) result.ownSaveMs = end - dialogGone;
  result.peakSaveMiB = peakMiB(child.process.hProcess);
  if (readAll(saved) != expected) result.note = "SAVED FILE DIFFERS";
  return result;
}

Result runReference(const std::string& program, const std::string& source, const std::string& saved,
                    const std::string& expected) {
  Result result;
  DeleteFileA(saved.c_str());
  Child child;
  if (!child.start("\"" + program + "\" \"" + source + "\" \"" + saved + "\"")) return result;
  const HWND window = mainWindowOf(child.process.dwProcessId);
  const HWND edit = window ? editChild(window) : nullptr;
  if (!edit) return noting(result, "no window");
  result.baseMiB = workingSetMiB(child.process.hProcess);
  const auto step = [&](UINT request, const char* done, double& inside) -> double {
    const double start = now();
    PostMessageA(window, request, 0, 0);
    const std::string prefix = std::string(done) + " ";
    if (!waitFor([&] { return caption(window).rfind(prefix, 0) == 0; }, kStepTimeoutMs)) return -1;
    if (request == kReferenceOpen && textLength(edit) <= 0) return -1;
    const double took = now() - start;
    inside = std::atof(caption(window).c_str() + prefix.size());
    return took;
  };
  result.openMs = step(kReferenceOpen, "opened", result.ownOpenMs);
  result.peakOpenMiB = peakMiB(child.process.hProcess);
  if (result.openMs < 0) return noting(result, "open failed");
  result.saveMs = step(kReferenceSave, "saved", result.ownSaveMs);
  result.peakSaveMiB = peakMiB(child.process.hProcess);
  if (result.saveMs < 0) return noting(result, "save failed");
  if (readAll(saved) != expected) result.note = "SAVED FILE DIFFERS";
  return result;
}

void pressCtrl(char letter) {
  INPUT keys[4] = {};
  const WORD codes[4] = {VK_CONTROL, static_cast<WORD>(letter), static_cast<WORD>(letter), VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = codes[i];
    keys[i].ki.wScan = static_cast<WORD>(MapVirtualKeyA(codes[i], MAPVK_VK_TO_VSC));
    keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(4, keys, sizeof(INPUT));
}

bool bringToFront(HWND window) {
  SetForegroundWindow(window);
  return waitFor([&] { return GetForegroundWindow() == window; }, 5000);
}

FILETIME lastWrite(const std::string& path, ULONGLONG* size = nullptr) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  if (size) *size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return data.ftLastWriteTime;
}

// Wine's notepad, through its own open dialog; it saves with Ctrl+S onto the file it
// opened, so it gets a copy of its own.
Result runNotepad(const std::string& program, const std::string& copy, const std::string& expected) {
  Result result;
  if (!writeAll(copy, expected)) return noting(result, "cannot write the copy");
  Child child;
  if (!child.start("\"" + program + "\"")) return result;
  const HWND window = mainWindowOf(child.process.dwProcessId);
  const HWND edit = window ? editChild(window) : nullptr;
  if (!edit) return noting(result, "no window");
  const std::string untitled = caption(window);

  if (!bringToFront(window)) return noting(result, "not in front");
  pressCtrl('O');
  const HWND dialog = fileDialogOf(child.process.dwProcessId);
  if (!dialog) return noting(result, "no open dialog");
  result.baseMiB = workingSetMiB(child.process.hProcess);
  double start = confirm(dialog, copy);
  if (!waitFor([&] { return caption(window) != untitled && !IsWindow(dialog); }, kStepTimeoutMs))
    return noting(result, "open did not finish");
  if (textLength(edit) <= 0) return noting(result, "empty after opening");
  result.openMs = now() - start;
  result.peakOpenMiB = peakMiB(child.process.hProcess);

  // An old time stamp, so the rewrite shows.
  const HANDLE file = CreateFileA(copy.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  const SYSTEMTIME newYear2000{2000, 1, 6, 1, 0, 0, 0, 0};
  FILETIME old{};
  SystemTimeToFileTime(&newYear2000, &old);
  SetFileTime(file, nullptr, nullptr, &old);
  CloseHandle(file);
  const FILETIME before = lastWrite(copy);
  if (!bringToFront(window)) return noting(result, "not in front for saving");
  start = now();
  pressCtrl('S');
  const bool saved = waitFor(
      [&] {
        const FILETIME written = lastWrite(copy);
        if (CompareFileTime(&written, &before) == 0) return false;
        // Rewritten and closed again: nobody else holds it.
        const HANDLE alone = CreateFileA(copy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (alone == INVALID_HANDLE_VALUE) return false;
        CloseHandle(alone);
        return true;
      },
      kStepTimeoutMs);
  if (!saved) return noting(result, "save did not finish (a question?)");
  result.saveMs = now() - start;
  result.peakSaveMiB = peakMiB(child.process.hProcess);
  ULONGLONG size = 0;
  lastWrite(copy, &size);
  if (size != expected.size()) result.note = "notepad saved another size";
  return result;
}

double median(std::vector<double> values) {
  values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return v < 0; }), values.end());
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Summary {
  double open, save, peakOpen, peakSave, ownOpen, ownSave, growth;
};

Summary summarise(const std::vector<Result>& results) {
  std::vector<double> open, save, peakOpen, peakSave, ownOpen, ownSave, growth;
  for (const Result& r : results) {
    open.push_back(r.openMs);
    save.push_back(r.saveMs);
    peakOpen.push_back(r.peakOpenMiB);
    peakSave.push_back(r.peakSaveMiB);
    ownOpen.push_back(r.ownOpenMs);
    ownSave.push_back(r.ownSaveMs);
    growth.push_back(r.peakSaveMiB >= 0 && r.baseMiB >= 0 ? r.peakSaveMiB - r.baseMiB : -1);
  }
  return {median(open),       median(save),       median(peakOpen),   median(peakSave),
          median(ownOpen), median(ownSave), median(growth)};
}

std::string number(double value, const char* format = "%.0f") {
  if (value < 0) return "-";
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// a / b, with "ok" or "OVER" against the target when there is one.
std::string ratio(double a, double b, double target = 0) {
  if (a < 0 || b <= 0) return "-";
  char text[48];
  std::snprintf(text, sizeof text, "%.2f %s", a / b, target <= 0 ? "" : a / b <= target ? "ok" : "OVER");
  return text;
}

void printResult(const char* label, int round, const Result& r) {
  std::printf("  run %d %-9s open %8s ms  save %8s ms  working set %6s, peak %6s after opening, %6s after saving (MiB)%s%s\n",
              round, label, number(r.openMs, "%.1f").c_str(), number(r.saveMs, "%.1f").c_str(),
              number(r.baseMiB, "%.1f").c_str(), number(r.peakOpenMiB, "%.1f").c_str(),
              number(r.peakSaveMiB, "%.1f").c_str(), *r.note ? "  " : "", r.note);
  std::fflush(stdout);
}

int usage() {
  std::fprintf(stderr,
               "usage: pellith_file_bench [--runs N] [--sizes 1,10,50] <folder> <pellith.exe> <reference.exe> "
               "[notepad.exe]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 3;
  std::vector<int> sizes{1, 10, 50};
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) {
      runs = std::atoi(argv[++i]);
    } else if (!std::strcmp(argv[i], "--sizes") && i + 1 < argc) {
      sizes.clear();
      for (const char* p = argv[++i]; *p;) {
        sizes.push_back(std::atoi(p));
        p = std::strchr(p, ',');
        if (!p) break;
        ++p;
      }
    } else if (argv[i][0] == '-') {
      return usage();
    } else {
      paths.push_back(argv[i]);
    }
  }
  if (paths.size() < 3 || paths.size() > 4 || runs < 1 || sizes.empty()) return usage();
  const std::string folder = paths[0];
  const std::string& pellith = paths[1];
  const std::string& reference = paths[2];
  const std::string notepad = paths.size() > 3 ? paths[3] : std::string();
  CreateDirectoryA(folder.c_str(), nullptr);

  struct Row {
    int mib;
    Summary pellith, reference, notepad;
  };
  std::vector<Row> rows;
  for (int mib : sizes) {
    const std::string name = folder + "\\gbk-" + std::to_string(mib) + "mib";
    const std::string source = name + ".txt";
    const std::string text = gbkText(static_cast<std::size_t>(mib) << 20);
    if (readAll(source) != text && !writeAll(source, text)) {
      std::fprintf(stderr, "cannot write %s\n", source.c_str());
      return 1;
    }
    std::printf("%d MiB: %s\n", mib, source.c_str());
    std::vector<Result> ofPellith, ofReference, ofNotepad;
    for (int round = 1; round <= runs; ++round) {
      ofPellith.push_back(runPellith(pellith, source, name + "-pellith.txt", text));
      printResult("pellith", round, ofPellith.back());
      ofReference.push_back(runReference(reference, source, name + "-reference.txt", text));
      printResult("reference", round, ofReference.back());
      if (!notepad.empty()) {
        ofNotepad.push_back(runNotepad(notepad, name + "-notepad.txt", text));
        printResult("notepad", round, ofNotepad.back());
      }
    }
    rows.push_back({mib, summarise(ofPellith), summarise(ofReference), summarise(ofNotepad)});
    for (const char* suffix : {"-pellith.txt", "-reference.txt", "-notepad.txt"}) DeleteFileA((name + suffix).c_str());
  }

  std::printf("\nMedians of %d run(s). Times in ms from confirming the dialog (reference: from the request);\n"
              "in brackets the program's own part: pellith after its dialog had gone, the reference as it\n"
              "timed ReadFile+SetWindowTextA and GetWindowTextA+WriteFile itself.\n",
              runs);
  const auto own = [](double total, double part) { return number(total) + " (" + number(part) + ")"; };
  for (int table = 0; table < 2; ++table) {
    const bool open = table == 0;
    std::printf("\n%s  %5s | %-17s %-17s %9s | %-13s %-13s\n", open ? "Open" : "Save", "MiB", "pellith",
                "reference", "notepad", open ? "pellith/ref" : "pellith/ref", "pellith/notepad");
    std::printf("      %5s | %-17s %-17s %9s | %-13s %-13s\n", "", "", "", "", open ? "target <= 1.1" : "target <= 1.2",
                open ? "target <= 0.7" : "");
    for (const Row& row : rows) {
      const double p = open ? row.pellith.open : row.pellith.save;
      const double r = open ? row.reference.open : row.reference.save;
      const double n = open ? row.notepad.open : row.notepad.save;
      std::printf("      %5d | %-17s %-17s %9s | %-13s %-13s\n", row.mib,
                  own(p, open ? row.pellith.ownOpen : row.pellith.ownSave).c_str(),
                  own(r, open ? row.reference.ownOpen : row.reference.ownSave).c_str(), number(n).c_str(),
                  ratio(p, r, open ? 1.1 : 1.2).c_str(), ratio(p, n, open ? 0.7 : 0).c_str());
    }
  }
  std::printf("\nPeak working set after saving, MiB; growth: the peak above the working set just before\n"
              "opening (with the dialog already loaded)\n");
  std::printf("Memory %5s | %7s %7s %7s | %-13s | %7s %7s %7s | %-13s\n", "MiB", "pellith", "ref", "notepad",
              "pellith/ref", "growth", "ref", "notepad", "pellith/ref");
  std::printf("       %5s | %7s %7s %7s | %-13s | %7s %7s %7s | %-13s\n", "", "", "", "", "target <= 1.1", "", "",
              "", "");
  for (const Row& row : rows)
    std::printf("       %5d | %7s %7s %7s | %-13s | %7s %7s %7s | %-13s\n", row.mib,
                number(row.pellith.peakSave, "%.1f").c_str(), number(row.reference.peakSave, "%.1f").c_str(),
                number(row.notepad.peakSave, "%.1f").c_str(),
                ratio(row.pellith.peakSave, row.reference.peakSave, 1.1).c_str(),
                number(row.pellith.growth, "%.1f").c_str(), number(row.reference.growth, "%.1f").c_str(),
                number(row.notepad.growth, "%.1f").c_str(),
                ratio(row.pellith.growth, row.reference.growth, 1.1).c_str());
  std::fflush(stdout);
  return 0;
}
