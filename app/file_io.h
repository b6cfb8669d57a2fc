// Whole-file reading and writing.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace pellith {

struct FileReadResult {
  std::string bytes;
  DWORD error = ERROR_SUCCESS;  // why the file could not be read
  bool tooLarge = false;        // larger than memory or the edit box can take
  bool failed() const { return error != ERROR_SUCCESS || tooLarge; }
};

// The largest document the editor opens: the edit box keeps it twice, as
// UTF-16 in the control and as bytes in the stored copy.
inline constexpr unsigned long long largestDocumentBytes = 0x3FFFFFFF;

// Reads the whole file, letting others read but not write it meanwhile, and
// says why when it cannot. A 0-byte file is read successfully as empty.
FileReadResult readWholeFile(const std::string& path);

// The whole file, or the empty buffer for an empty path or any failure.
std::string readFile(const std::string& path);

// Gives the file exactly `bytes`. The bytes go to a new file beside the
// target, which is flushed and then put in the target's place in one step,
// so a failure at any point leaves the old file whole. Where no file can be
// made beside the target, the target is written in place. On failure the
// error is stored in `error` when given and the result is false.
bool writeFile(const std::string& path, std::string_view bytes, DWORD* error = nullptr);

}  // namespace pellith
