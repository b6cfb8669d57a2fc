// Stands in for the program registered to open a document type in the tests'
// Wine prefix: appends the document it was asked to open, as one GBK line, to a
// record file.   pellith_open_recorder <record file> <document>
#include <windows.h>

#include <shellapi.h>

// A window program, so that starting it opens no console.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments || count != 3) return 2;
  char line[4 * MAX_PATH] = {};
  const int length = WideCharToMultiByte(936, 0, arguments[2], -1, line, sizeof line - 1, nullptr, nullptr);
  if (length <= 0) return 3;
  line[length - 1] = '\n';
  const HANDLE record = CreateFileW(arguments[1], FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (record == INVALID_HANDLE_VALUE) return 4;
  DWORD written = 0;
  const BOOL done = WriteFile(record, line, static_cast<DWORD>(length), &written, nullptr);
  CloseHandle(record);
  return done ? 0 : 5;
}
