// Saving never truncates the old file before the new bytes are safely on
// disk: they are written to a temporary file in the same folder (so the final
// step is a rename on one volume), flushed, and swapped in with ReplaceFileA,
// which keeps the target's attributes and security, or moved into place when
// there is no target yet.
#include "app/file_io.h"

#include <algorithm>
#include <new>

#include "core/path_split.h"
#include "forms/win32_handles.h"

namespace pellith {

namespace {
struct FileTraits {
  static void release(HANDLE file) { CloseHandle(file); }
};
using FileHandle = forms::OwnedHandle<HANDLE, FileTraits>;

// CreateFile gives INVALID_HANDLE_VALUE, not null, on failure.
FileHandle openFile(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  const HANDLE file = CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  return FileHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

constexpr DWORD largestChunk = 16u << 20;

bool writeAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), largestChunk));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

DWORD failWith(DWORD* error) {
  const DWORD code = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
  if (error) *error = code;
  return code;
}

bool writeInPlace(const std::string& path, std::string_view bytes, DWORD* error) {
  FileHandle file = openFile(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
  if (!file || !writeAll(file.get(), bytes) || !FlushFileBuffers(file.get())) {
    failWith(error);
    return false;
  }
  return true;
}

class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& folder) {
    char name[MAX_PATH] = {};
    if (GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "pel", 0, name)) path_ = name;
  }
  ~TemporaryFile() {
    if (!path_.empty()) DeleteFileA(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const std::string& path() const { return path_; }
  void keep() { path_.clear(); }  // it has become the target

 private:
  std::string path_;
};
}  // namespace

FileReadResult readWholeFile(const std::string& path) {
  FileReadResult result;
  if (path.empty()) return result;
  FileHandle file = openFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size)) {
    result.error = GetLastError();
    return result;
  }
  if (static_cast<unsigned long long>(size.QuadPart) > largestDocumentBytes) {
    result.tooLarge = true;
    return result;
  }
  try {
    result.bytes.resize(static_cast<std::size_t>(size.QuadPart));
  } catch (const std::bad_alloc&) {
    result.tooLarge = true;
    return result;
  }
  std::size_t filled = 0;
  while (filled < result.bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(result.bytes.size() - filled, largestChunk));
    DWORD read = 0;
    if (!ReadFile(file.get(), result.bytes.data() + filled, chunk, &read, nullptr)) {
      result.error = GetLastError();
      result.bytes.clear();
      return result;
    }
    if (read == 0) break;  // the file became shorter: keep what arrived
    filled += read;
  }
  result.bytes.resize(filled);
  return result;
}

std::string readFile(const std::string& path) {
  FileReadResult result = readWholeFile(path);
  return result.failed() ? std::string() : std::move(result.bytes);
}

bool writeFile(const std::string& path, std::string_view bytes, DWORD* error) {
  if (error) *error = ERROR_SUCCESS;
  if (path.empty()) {
    if (error) *error = ERROR_INVALID_NAME;
    return false;
  }
  const DWORD attributes = GetFileAttributesA(path.c_str());
  const bool targetExists = attributes != INVALID_FILE_ATTRIBUTES;
  if (targetExists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    // A read-only file stays as it is; the system would otherwise replace it.
    if (error) *error = ERROR_ACCESS_DENIED;
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  if (!targetExists && GetLastError() != ERROR_FILE_NOT_FOUND) {
    failWith(error);  // no such folder, a bad name, no access to the folder
    return false;
  }

  TemporaryFile temporary(splitPath(path).directory);
  if (temporary.path().empty()) return writeInPlace(path, bytes, error);
  {
    FileHandle file = openFile(temporary.path(), GENERIC_WRITE, 0, TRUNCATE_EXISTING);
    if (!file || !writeAll(file.get(), bytes) || !FlushFileBuffers(file.get())) {
      failWith(error);
      return false;
    }
  }
  const bool replaced =
      targetExists
          ? ReplaceFileA(path.c_str(), temporary.path().c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                         nullptr)
          : MoveFileExA(temporary.path().c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH);
  if (!replaced) {
    failWith(error);
    return false;
  }
  temporary.keep();
  // Wine's ReplaceFileA renames without carrying the attributes over.
  if (targetExists && GetFileAttributesA(path.c_str()) != attributes) SetFileAttributesA(path.c_str(), attributes);
  return true;
}

}  // namespace pellith
