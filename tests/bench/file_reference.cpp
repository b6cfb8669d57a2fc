// The yardstick for the file benchmark: the least a program must do to load a
// file into an ANSI multi-line edit box and save it again. One window with one
// edit box like the editor's (same styles, "宋体" at height 0, no length limit);
// it waits for the benchmark's private messages:
//
//   pellith_file_reference <file to open> <file to save to>
//   WM_APP + 1: ReadFile the whole first file, then SetWindowTextA.
//   WM_APP + 2: GetWindowTextA the whole text, then WriteFile it to the second file.
//
// After each step the caption says "opened <ms>" or "saved <ms>" (the time the
// step took inside this process), or "failed <error>"; it starts as "ready".
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr UINT kOpen = WM_APP + 1;
constexpr UINT kSave = WM_APP + 2;

HWND edit = nullptr;
std::string openPath;
std::string savePath;

double now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void report(HWND window, const char* what, double ms) {
  char text[64];
  std::snprintf(text, sizeof text, "%s %.3f", what, ms);
  SetWindowTextA(window, text);
}

void fail(HWND window) {
  char text[64];
  std::snprintf(text, sizeof text, "failed %lu", GetLastError());
  SetWindowTextA(window, text);
}

void open(HWND window) {
  const double start = now();
  const HANDLE file = CreateFileA(openPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return fail(window);
  LARGE_INTEGER size{};
  GetFileSizeEx(file, &size);
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  const BOOL ok = bytes.empty() || ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  if (!ok) return fail(window);
  bytes.resize(read);
  SetWindowTextA(edit, bytes.c_str());
  report(window, "opened", now() - start);
}

void save(HWND window) {
  const double start = now();
  const int length = GetWindowTextLengthA(edit);
  std::string bytes(static_cast<std::size_t>(length) + 1, '\0');
  bytes.resize(static_cast<std::size_t>(GetWindowTextA(edit, bytes.data(), length + 1)));
  const HANDLE file = CreateFileA(savePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
  if (file == INVALID_HANDLE_VALUE) return fail(window);
  DWORD written = 0;
  const BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  if (!ok) return fail(window);
  report(window, "saved", now() - start);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      edit = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | ES_LEFT | ES_MULTILINE |
                                 ES_WANTRETURN | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                             0, 0, 0, 0, window, nullptr, GetModuleHandleA(nullptr), nullptr);
      LOGFONTA font{};
      font.lfHeight = 0;
      font.lfWeight = FW_DONTCARE;
      font.lfCharSet = DEFAULT_CHARSET;
      font.lfQuality = PROOF_QUALITY;
      lstrcpyA(font.lfFaceName, "宋体");
      SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(CreateFontIndirectA(&font)), FALSE);
      SendMessageA(edit, EM_LIMITTEXT, 0, 0);
      return 0;
    }
    case WM_SIZE: MoveWindow(edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE); return 0;
    case WM_SETFOCUS: SetFocus(edit); return 0;
    case kOpen: open(window); return 0;
    case kSave: save(window); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: pellith_file_reference <file to open> <file to save to>\n");
    return 2;
  }
  openPath = argv[1];
  savePath = argv[2];
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = windowProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = "PellithFileReference";
  RegisterClassA(&windowClass);
  const HWND window = CreateWindowExA(0, windowClass.lpszClassName, "ready", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                      CW_USEDEFAULT, 774, 471, nullptr, nullptr, windowClass.hInstance, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
