// Whole-file reading and the safe save, on real files under Wine.
#include "app/file_io.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

namespace pellith {
namespace {

using namespace std::string_literals;

class FileIo : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "pellith-file-io-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
  }
  void TearDown() override {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = folder + "\\" + found.cFileName;
        SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(name.c_str());
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
  }
  std::string path(const char* name) const { return folder + "\\" + name; }
  void create(const std::string& file, const std::string& bytes) const {
    const HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(handle);
  }
  int filesInFolder() const {
    int count = 0;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
  }
  std::string folder;
};

TEST_F(FileIo, ReadsEveryByteOrSaysWhyNot) {
  const std::string utf16 = "\xFF\xFEh\0i\0"s;
  create(path("utf16.txt"), utf16);
  create(path("empty.txt"), "");
  EXPECT_EQ(readWholeFile(path("utf16.txt")).bytes, utf16);
  const FileReadResult empty = readWholeFile(path("empty.txt"));
  EXPECT_FALSE(empty.failed());
  EXPECT_EQ(empty.bytes, "");
  const FileReadResult missing = readWholeFile(path("missing.txt"));
  EXPECT_TRUE(missing.failed());
  EXPECT_EQ(missing.error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(readWholeFile("").failed());
  EXPECT_EQ(readFile(path("missing.txt")), "");
  EXPECT_EQ(readFile(""), "");
}

TEST_F(FileIo, AFileHeldOpenForWritingIsAFailureNotAnEmptyFile) {
  create(path("held.txt"), "precious");
  const HANDLE writer = CreateFileA(path("held.txt").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  const FileReadResult held = readWholeFile(path("held.txt"));
  CloseHandle(writer);
  EXPECT_TRUE(held.failed());
  EXPECT_EQ(held.error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
}

TEST_F(FileIo, SavesExactlyTheBytesOverAnOldFileAndLeavesNoTemporaryFile) {
  create(path("doc.txt"), std::string(5000, 'o'));
  const std::string text = "\xD6\xD0\xCE\xC4\r\nline\r\n";
  DWORD error = 1;
  ASSERT_TRUE(writeFile(path("doc.txt"), text, &error));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(readFile(path("doc.txt")), text);
  ASSERT_TRUE(writeFile(path("new.txt"), ""));
  EXPECT_TRUE(GetFileAttributesA(path("new.txt").c_str()) != INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(readWholeFile(path("new.txt")).failed());
  EXPECT_EQ(filesInFolder(), 2);
}

TEST_F(FileIo, AReadOnlyTargetStaysAsItWas) {
  create(path("locked.txt"), "old bytes");
  SetFileAttributesA(path("locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  DWORD error = ERROR_SUCCESS;
  EXPECT_FALSE(writeFile(path("locked.txt"), "new", &error));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(readFile(path("locked.txt")), "old bytes");
  EXPECT_EQ(filesInFolder(), 1);
}

TEST_F(FileIo, AMissingFolderOrEmptyPathWritesNothing) {
  DWORD error = ERROR_SUCCESS;
  EXPECT_FALSE(writeFile(folder + "\\no-such-folder\\x.txt", "x", &error));
  EXPECT_NE(error, static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_FALSE(writeFile("", "x"));
  EXPECT_EQ(filesInFolder(), 0);
}

TEST_F(FileIo, KeepsTheAttributesOfTheReplacedFile) {
  create(path("hidden.txt"), "old");
  SetFileAttributesA(path("hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(writeFile(path("hidden.txt"), "new"));
  EXPECT_EQ(readFile(path("hidden.txt")), "new");
  EXPECT_TRUE(GetFileAttributesA(path("hidden.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

}  // namespace
}  // namespace pellith
