#include "app/shell.h"

#include <windows.h>
#include <shellapi.h>

namespace pellith {

void shellOpen(const std::string& path) { ShellExecuteA(nullptr, "open", path.c_str(), nullptr, "", SW_SHOWNORMAL); }

}  // namespace pellith
