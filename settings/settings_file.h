// The settings file "plconfig.ini" beside the program: one section, three keys.
#pragma once
#include <string>

namespace pellith {

inline constexpr const char* settingsSection = "Pellith记事本配置文件";
inline constexpr const char* fontNameKey = "记事本字体";
inline constexpr const char* fontSizeKey = "记事本字体大小";
inline constexpr const char* textColourKey = "记事本字体颜色";

// The run directory followed by "\plconfig.ini", built anew for each use.
std::string settingsPath();

// The key's value, or the empty text when the file, section or key is
// missing. Leading bytes 1..32 of each argument are skipped first, and an
// argument left empty reads nothing. Values are cut to 10239 bytes.
std::string readSetting(const std::string& path, const std::string& section, const std::string& key);

// Writes the key's value into the section, creating file and section when needed.
bool writeSetting(const std::string& path, const std::string& section, const std::string& key,
                  const std::string& value);

}  // namespace pellith
