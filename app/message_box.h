// The program's message boxes and the system's wording of an error.
#pragma once
#include <windows.h>

#include <string>

namespace pellith {

// Shows a message box without owner, task-modal unless the flags ask for a
// system-modal one; a missing title gives "信息：". Returns 0 OK, 1 Cancel,
// 2 Abort, 3 Retry, 4 Ignore, 5 Yes, 6 No.
int messageBox(const std::string& text, UINT flags, const std::string& title);

// The system's description of a Win32 error code, without a trailing line break.
std::string systemErrorText(DWORD error);

// A failure the user must know of (data not read or not written): one OK
// button, a warning icon, titled with the program's name.
void reportFailure(const std::string& text);

}  // namespace pellith
