// Measures how long Windows programs take to start: from just before
// CreateProcess until the new process shows a visible top-level window and
// WaitForInputIdle says it waits for input. Then the window gets WM_CLOSE and
// the timer waits for the process to end before the next start.
//
//   pellith_startup_timer [--runs N] [--warmup N] program.exe [other.exe ...]
//
// With several programs the starts are interleaved (A B A B ...), so a slow
// moment of the machine costs all of them alike. Prints each median in
// milliseconds, and the ratio of the first program to the second.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr DWORD kWindowTimeoutMs = 20000;
constexpr DWORD kExitTimeoutMs = 10000;

struct Program {
  std::string path;
  std::string label;
  std::vector<double> times;
};

struct WindowSearch {
  DWORD process_id;
  HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->process_id && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND VisibleWindowOf(DWORD process_id) {
  WindowSearch search{process_id, nullptr};
  EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK CloseWindowOf(HWND window, LPARAM param) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == static_cast<DWORD>(param) && IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
  return TRUE;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// One start of the program; returns the time in ms, or a negative number on failure.
double TimeOneStart(const Program& program, LARGE_INTEGER frequency) {
  std::string command_line = "\"" + program.path + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};

  LARGE_INTEGER begin;
  QueryPerformanceCounter(&begin);
  if (!CreateProcessA(program.path.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "%s: CreateProcess failed, error %lu\n", program.path.c_str(), GetLastError());
    return -1;
  }

  bool idle = false;
  HWND window = nullptr;
  LARGE_INTEGER now = begin;
  double result = -1;
  for (;;) {
    if (!idle) {
      DWORD wait = WaitForInputIdle(process.hProcess, 1);
      if (wait == 0) idle = true;
    }
    if (!window) window = VisibleWindowOf(process.dwProcessId);
    QueryPerformanceCounter(&now);
    if (idle && window) {
      result = Milliseconds(begin, now, frequency);
      break;
    }
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(process.hProcess, &code);
      std::fprintf(stderr, "%s: ended (exit code %lu) before showing a window\n", program.label.c_str(), code);
      break;
    }
    if (Milliseconds(begin, now, frequency) > kWindowTimeoutMs) {
      std::fprintf(stderr, "%s: no visible window after %lu ms (idle: %s)\n", program.label.c_str(),
                   kWindowTimeoutMs, idle ? "yes" : "no");
      break;
    }
    if (idle) Sleep(1);
  }

  EnumWindows(CloseWindowOf, static_cast<LPARAM>(process.dwProcessId));
  if (WaitForSingleObject(process.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
    std::fprintf(stderr, "%s: did not end after WM_CLOSE, terminating it\n", program.label.c_str());
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, kExitTimeoutMs);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int Usage() {
  std::fprintf(stderr, "usage: pellith_startup_timer [--runs N] [--warmup N] program.exe [other.exe ...]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 15;
  int warmup = 2;
  std::vector<Program> programs;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) {
      runs = std::atoi(argv[++i]);
    } else if (!std::strcmp(argv[i], "--warmup") && i + 1 < argc) {
      warmup = std::atoi(argv[++i]);
    } else if (argv[i][0] == '-') {
      return Usage();
    } else {
      std::string path = argv[i];
      size_t slash = path.find_last_of("\\/");
      programs.push_back({path, slash == std::string::npos ? path : path.substr(slash + 1), {}});
    }
  }
  if (programs.empty() || runs < 1 || warmup < 0) return Usage();

  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  for (int round = 0; round < warmup + runs; ++round) {
    for (Program& program : programs) {
      double ms = TimeOneStart(program, frequency);
      if (ms < 0) return 1;
      if (round >= warmup) program.times.push_back(ms);
    }
  }

  for (const Program& program : programs) {
    auto [low, high] = std::minmax_element(program.times.begin(), program.times.end());
    std::printf("%-16s median %8.1f ms   min %8.1f   max %8.1f   (%d runs after %d warm-up)\n",
                program.label.c_str(), Median(program.times), *low, *high, runs, warmup);
  }
  if (programs.size() >= 2) {
    std::printf("ratio %s/%s: %.2f\n", programs[0].label.c_str(), programs[1].label.c_str(),
                Median(programs[0].times) / Median(programs[1].times));
  }
  std::fflush(stdout);
  return 0;
}
