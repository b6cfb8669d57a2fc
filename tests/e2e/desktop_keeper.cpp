// Keeps Wine's virtual desktop open while the tests run. Wine closes the
// desktop a moment after its last window goes; a program starting just then
// dies with an X error. A hidden window here keeps it open until the test run
// ends this process.
#include <windows.h>

int main() {
  const HWND keeper = CreateWindowExA(0, "STATIC", "Pellith test desktop keeper", WS_POPUP, 0, 0, 1, 1, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!keeper) return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
