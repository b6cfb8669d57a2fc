// Reads and writes go through the system's private-profile functions, which
// keep other sections, keys and comments of the file as they are.
#include "settings/settings_file.h"

#include <windows.h>

#include "app/run_directory.h"
#include "core/text_conversion.h"

namespace pellith {

namespace {
constexpr DWORD valueBufferSize = 10240;

std::string withoutLeadingBlanks(const std::string& text) {
  std::size_t at = 0;
  while (at < text.size() && static_cast<unsigned char>(text[at]) >= 1 && static_cast<unsigned char>(text[at]) <= 32)
    ++at;
  return text.substr(at);
}
}  // namespace

std::string settingsPath() { return concatText({runDirectory(), "\\plconfig.ini"}); }

std::string readSetting(const std::string& path, const std::string& section, const std::string& key) {
  const std::string file = withoutLeadingBlanks(path);
  const std::string sectionName = withoutLeadingBlanks(section);
  const std::string keyName = withoutLeadingBlanks(key);
  if (file.empty() || sectionName.empty() || keyName.empty()) return {};
  std::string value(valueBufferSize, '\0');
  const DWORD length = GetPrivateProfileStringA(sectionName.c_str(), keyName.c_str(), "", value.data(),
                                                valueBufferSize, file.c_str());
  value.resize(std::min<DWORD>(length, valueBufferSize - 1));
  return value;
}

bool writeSetting(const std::string& path, const std::string& section, const std::string& key,
                  const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
}

}  // namespace pellith
