// In-memory dialog templates, laid out in dialog units of their own font.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace pellith::forms {

inline constexpr WORD buttonClass = 0x0080;
inline constexpr WORD editClass = 0x0081;
inline constexpr WORD staticClass = 0x0082;

// Builds a DLGTEMPLATE with its items. Texts are GBK and become UTF-16 here,
// the one place dialogs need them so.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, short width, short height, const std::string& caption, WORD pointSize,
                 const std::string& face);
  void add(DWORD style, short x, short y, short width, short height, WORD id, WORD systemClass,
           const std::string& caption);
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(buffer_.data()); }

 private:
  void words(std::initializer_list<WORD> values);
  void doubleWord(DWORD value);
  void text(const std::string& value);
  void alignToDoubleWord();

  std::vector<WORD> buffer_;
};

// 宋体 when the system has it, otherwise the face of the default GUI font.
std::string dialogFaceName();

}  // namespace pellith::forms
