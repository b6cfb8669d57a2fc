#include "app/run_directory.h"

#include <windows.h>

#include <vector>

#include "core/path_split.h"

namespace pellith {

namespace {
PathParts& programPath() {
  static PathParts path;
  return path;
}
}  // namespace

std::string runDirectory() { return programPath().directory; }

void fixRunDirectory() {
  // Paths can be longer than MAX_PATH; grow until the whole path fits.
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) {
      programPath() = splitPath(std::string_view(buffer.data(), length));
      return;
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace pellith
