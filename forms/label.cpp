#include "forms/label.h"

namespace pellith::forms {

Label::Label(FormWindow& owner, const FormControl& definition, int id)
    : Control(owner, definition, id), caption_(definition.label->caption ? definition.label->caption : "") {}

HWND Label::createWindow(HWND parent) {
  const LabelSettings& settings = *definition_.label;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (!enabled_) style |= WS_DISABLED;
  if (settings.horizontalAlignment == 1) {
    style |= SS_CENTER;
  } else if (settings.horizontalAlignment == 2) {
    style |= SS_RIGHT;
  } else {
    style |= settings.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP;
  }
  if (settings.verticalAlignment == 1) style |= SS_CENTERIMAGE;
  if (settings.border == ControlBorder::single) style |= WS_BORDER;
  const DWORD extended = settings.border == ControlBorder::none || settings.border == ControlBorder::single
                             ? 0
                             : WS_EX_STATICEDGE;
  HWND label = CreateWindowExA(extended, "STATIC", caption_.c_str(), style, bounds_.left, bounds_.top,
                               bounds_.width, bounds_.height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleA(nullptr),
                               nullptr);
  if (!label) return nullptr;
  LOGFONTA description{};
  description.lfHeight = settings.font.height;
  description.lfWeight = settings.font.weight;
  description.lfItalic = settings.font.italic;
  description.lfUnderline = settings.font.underline;
  description.lfStrikeOut = settings.font.strikeOut;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfQuality = PROOF_QUALITY;
  lstrcpynA(description.lfFaceName, settings.font.face ? settings.font.face : "", LF_FACESIZE);
  font_.reset(CreateFontIndirectA(&description));
  SendMessageA(label, WM_SETFONT,
               reinterpret_cast<WPARAM>(font_ ? font_.get() : GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return label;
}

void Label::setCaption(std::string caption) {
  caption_ = std::move(caption);
  if (handle_) SetWindowTextA(handle_, caption_.c_str());
}

HBRUSH Label::paintColours(HDC dc) {
  const LabelSettings& settings = *definition_.label;
  SetTextColor(dc, settings.textColour == systemDefaultColour ? GetSysColor(COLOR_BTNTEXT) : settings.textColour);
  SetBkMode(dc, TRANSPARENT);
  return brushFor(settings.backColour, backBrush_);
}

}  // namespace pellith::forms
