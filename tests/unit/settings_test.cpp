// The settings file through the system's private-profile functions, and the
// values the editor reads back from it.
#include "settings/settings_file.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "core/text_conversion.h"

namespace pellith {
namespace {

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    path = std::string(temp) + "pellith-settings-" + std::to_string(GetCurrentProcessId()) + ".ini";
    DeleteFileA(path.c_str());
  }
  void TearDown() override { DeleteFileA(path.c_str()); }
  void writeRaw(const std::string& bytes) const {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  std::string readRaw() const {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string bytes(65536, '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
  }
  std::string path;
};

TEST_F(SettingsFile, WritesTheSectionAndKeysInOrderWithCrLf) {
  ASSERT_TRUE(writeSetting(path, settingsSection, fontNameKey, "黑体"));
  ASSERT_TRUE(writeSetting(path, settingsSection, fontSizeKey, toText(14)));
  ASSERT_TRUE(writeSetting(path, settingsSection, textColourKey, toText(16711680)));
  EXPECT_EQ(readRaw(), "[Pellith记事本配置文件]\r\n记事本字体=黑体\r\n记事本字体大小=14\r\n记事本字体颜色=16711680\r\n");
  ASSERT_TRUE(writeSetting(path, settingsSection, fontSizeKey, "9"));  // replaced in place
  EXPECT_EQ(readRaw(), "[Pellith记事本配置文件]\r\n记事本字体=黑体\r\n记事本字体大小=9\r\n记事本字体颜色=16711680\r\n");
}

TEST_F(SettingsFile, ReadsValuesAsTheEditorConvertsThem) {
  writeRaw("; kept\r\n[other]\r\nx=1\r\n[Pellith记事本配置文件]\r\n记事本字体大小= 16 \r\n记事本字体颜色=-1\r\n"
           "记事本字体=\xA3\xB1\xA3\xB6\r\n");
  EXPECT_EQ(toInteger(readSetting(path, settingsSection, fontSizeKey)), 16);
  EXPECT_EQ(static_cast<std::uint32_t>(toInteger(readSetting(path, settingsSection, textColourKey))), 0xFFFFFFFFu);
  EXPECT_EQ(toInteger(readSetting(path, settingsSection, fontNameKey)), 16);  // full-width digits
  EXPECT_EQ(readSetting(path, settingsSection, "missing"), "");
  EXPECT_EQ(readSetting(path, "  \t" + std::string(settingsSection), fontSizeKey), "16");  // leading blanks skipped
  EXPECT_EQ(readSetting(path, " ", fontSizeKey), "");
  EXPECT_EQ(readSetting(path + ".none", settingsSection, fontSizeKey), "");
  writeSetting(path, settingsSection, fontSizeKey, "0x10");
  EXPECT_EQ(toInteger(readSetting(path, settingsSection, fontSizeKey)), 0);
  writeSetting(path, settingsSection, fontSizeKey, "-5");
  EXPECT_EQ(toInteger(readSetting(path, settingsSection, fontSizeKey)), -5);
  EXPECT_NE(readRaw().find("; kept\r\n[other]\r\nx=1\r\n"), std::string::npos);
}

TEST_F(SettingsFile, CutsALongValueTo10239Bytes) {
  writeRaw("[Pellith记事本配置文件]\r\n记事本字体=" + std::string(20000, 'f') + "\r\n");
  EXPECT_EQ(readSetting(path, settingsSection, fontNameKey), std::string(10239, 'f'));
}

}  // namespace
}  // namespace pellith
