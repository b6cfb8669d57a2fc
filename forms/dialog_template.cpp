#include "forms/dialog_template.h"

#include <cstring>

#include "forms/win32_handles.h"

namespace pellith::forms {

namespace {
constexpr const char* preferredFace = "宋体";
constexpr std::size_t itemCountIndex = 4;  // after the style and extended style

int CALLBACK noteFaceFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}
}  // namespace

std::string dialogFaceName() {
  ScreenDeviceContext screen;
  LOGFONTA wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  std::strcpy(wanted.lfFaceName, preferredFace);
  bool found = false;
  EnumFontFamiliesExA(screen.get(), &wanted, noteFaceFound, reinterpret_cast<LPARAM>(&found), 0);
  if (found) return preferredFace;
  LOGFONTA fallback{};
  GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof fallback, &fallback);
  return fallback.lfFaceName;
}

DialogTemplate::DialogTemplate(DWORD style, short width, short height, const std::string& caption,
                               WORD pointSize, const std::string& face) {
  doubleWord(style | DS_SETFONT);
  doubleWord(0);
  words({0, 0, 0, static_cast<WORD>(width), static_cast<WORD>(height)});  // items, x, y, size
  words({0, 0});  // no menu, the standard dialog class
  text(caption);
  words({pointSize});
  text(face);
}

void DialogTemplate::add(DWORD style, short x, short y, short width, short height, WORD id, WORD systemClass,
                         const std::string& caption) {
  alignToDoubleWord();
  doubleWord(style | WS_CHILD | WS_VISIBLE);
  doubleWord(0);
  words({static_cast<WORD>(x), static_cast<WORD>(y), static_cast<WORD>(width), static_cast<WORD>(height), id});
  words({0xFFFF, systemClass});
  text(caption);
  words({0});  // no creation data
  ++buffer_[itemCountIndex];
}

void DialogTemplate::words(std::initializer_list<WORD> values) {
  for (WORD value : values) buffer_.push_back(value);
}

void DialogTemplate::doubleWord(DWORD value) { words({LOWORD(value), HIWORD(value)}); }

void DialogTemplate::text(const std::string& value) {
  if (!value.empty()) {
    const int length = MultiByteToWideChar(CP_ACP, 0, value.data(), static_cast<int>(value.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, value.data(), static_cast<int>(value.size()), wide.data(), length);
    for (wchar_t character : wide) buffer_.push_back(static_cast<WORD>(character));
  }
  buffer_.push_back(0);
}

void DialogTemplate::alignToDoubleWord() {
  if (buffer_.size() % 2) buffer_.push_back(0);
}

}  // namespace pellith::forms
