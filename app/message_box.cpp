#include "app/message_box.h"

#include <memory>

#include "core/text_conversion.h"

namespace pellith {

int messageBox(const std::string& text, UINT flags, const std::string& title) {
  if (!(flags & MB_SYSTEMMODAL)) flags |= MB_TASKMODAL;
  const int answer = MessageBoxA(nullptr, text.c_str(), title.empty() ? "信息：" : title.c_str(), flags);
  // IDOK..IDNO are 1..7; the program counts its answers from 0.
  return answer >= IDOK && answer <= IDNO ? answer - IDOK : 0;
}

std::string systemErrorText(DWORD error) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
      reinterpret_cast<char*>(&buffer), 0, nullptr);
  const std::unique_ptr<char, decltype(&LocalFree)> owned(buffer, &LocalFree);
  std::string text = length && buffer ? std::string(buffer, length)
                                      : concatText({"错误代码 ", toText(static_cast<std::int32_t>(error))});
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

void reportFailure(const std::string& text) { messageBox(text, MB_OK | MB_ICONWARNING, "Pellith记事本"); }

}  // namespace pellith
