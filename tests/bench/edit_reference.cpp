// The yardstick for the editing benchmark: the least a program must do for the
// same steps with an ANSI multi-line edit box. One window with one edit box like
// the editor's (same styles, "宋体" at height 0, no length limit), holding the
// document it loaded in memory; it waits for the benchmark's private messages:
//
//   pellith_edit_reference <document>
//   WM_APP + 1: ReadFile the document, then SetWindowTextA.
//   WM_APP + 2: one GetWindowTextA of the whole text (what a search must read).
//   WM_APP + 3: DestroyWindow the edit box, create it again, wrapping when wParam
//               is 1 (no horizontal scroll bar), and SetWindowTextA the document.
//
// After each step the caption says "loaded <ms>", "read <ms>" or "recreated <ms>"
// (the time the step took inside this process), or "failed <error>"; it starts as
// "ready".
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr UINT kLoad = WM_APP + 1;
constexpr UINT kRead = WM_APP + 2;
constexpr UINT kRecreate = WM_APP + 3;

HWND edit = nullptr;
HFONT font = nullptr;
std::string documentPath;
std::string document;

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

HWND createEdit(HWND window, bool wrap) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_VSCROLL | ES_LEFT | ES_MULTILINE |
                ES_WANTRETURN | ES_AUTOVSCROLL;
  if (!wrap) style |= WS_HSCROLL | ES_AUTOHSCROLL;
  RECT client{};
  GetClientRect(window, &client);
  const HWND created = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "", style, 0, 0, client.right, client.bottom, window,
                                       nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(created, EM_LIMITTEXT, 0, 0);
  SendMessageA(created, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return created;
}

void load(HWND window) {
  const double start = now();
  const HANDLE file =
      CreateFileA(documentPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return fail(window);
  LARGE_INTEGER size{};
  GetFileSizeEx(file, &size);
  document.assign(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  const BOOL ok = document.empty() || ReadFile(file, document.data(), static_cast<DWORD>(document.size()), &read, nullptr);
  CloseHandle(file);
  if (!ok) return fail(window);
  document.resize(read);
  SetWindowTextA(edit, document.c_str());
  report(window, "loaded", now() - start);
}

void readText(HWND window) {
  const double start = now();
  const int length = GetWindowTextLengthA(edit);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(edit, text.data(), length + 1)));
  report(window, text.size() == document.size() ? "read" : "short", now() - start);
}

void recreate(HWND window, bool wrap) {
  const double start = now();
  const bool hadFocus = GetFocus() == edit;
  DestroyWindow(edit);
  edit = createEdit(window, wrap);
  if (!edit) return fail(window);
  SetWindowTextA(edit, document.c_str());
  if (hadFocus) SetFocus(edit);
  report(window, "recreated", now() - start);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      LOGFONTA description{};
      description.lfCharSet = DEFAULT_CHARSET;
      description.lfQuality = PROOF_QUALITY;
      lstrcpyA(description.lfFaceName, "宋体");
      font = CreateFontIndirectA(&description);
      edit = createEdit(window, false);
      return edit ? 0 : -1;
    }
    case WM_SIZE: MoveWindow(edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE); return 0;
    case WM_SETFOCUS: SetFocus(edit); return 0;
    case kLoad: load(window); return 0;
    case kRead: readText(window); return 0;
    case kRecreate: recreate(window, wParam == 1); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: pellith_edit_reference <document>\n");
    return 2;
  }
  documentPath = argv[1];
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = windowProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = "PellithEditReference";
  RegisterClassA(&windowClass);
  // The same client area as the editor's edit box: 768 x 424.
  RECT frame{0, 0, 768, 424};
  AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  const HWND window =
      CreateWindowExA(0, windowClass.lpszClassName, "ready", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                      frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, windowClass.hInstance, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
