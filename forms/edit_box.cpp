// Writes that the EDIT control cannot take in place (multi-line, scroll bars,
// alignment, hidden selection, case conversion) build a new control from the
// stored properties and put it where the old one was. The stored copy of the
// text is refreshed on every read and write of Text, so a re-creation shows
// the content as of the last of those.
#include "forms/edit_box.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "core/font_metrics.h"
#include "core/gbk.h"
#include "forms/form_window.h"
#include "forms/shell_state.h"

namespace pellith::forms {

namespace {
constexpr const char* defaultFaceName = "宋体";

LOGFONTA logFontFrom(const FontDescription& description) {
  LOGFONTA font{};
  font.lfHeight = description.height;
  font.lfWeight = description.weight;
  font.lfItalic = description.italic;
  font.lfUnderline = description.underline;
  font.lfStrikeOut = description.strikeOut;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = PROOF_QUALITY;
  const std::string face = faceNameOrDefault(description.face ? description.face : "", defaultFaceName);
  std::memcpy(font.lfFaceName, face.c_str(), face.size() + 1);
  return font;
}
}  // namespace

EditBox::EditBox(FormWindow& owner, const FormControl& definition, int id)
    : Control(owner, definition, id),
      storedText_(definition.editBox->text ? definition.editBox->text : ""),
      storedSelStart_(definition.editBox->selStart),
      storedSelLength_(definition.editBox->selLength),
      textColour_(definition.editBox->textColour),
      backColour_(definition.editBox->backColour),
      font_(logFontFrom(definition.editBox->font)),
      border_(definition.editBox->border),
      maxLength_(definition.editBox->maxLength),
      inputMode_(definition.editBox->inputMode),
      passwordChar_(definition.editBox->passwordChar),
      multiLine_(definition.editBox->multiLine),
      scrollBars_(definition.editBox->scrollBars),
      alignment_(definition.editBox->alignment),
      hideSelection_(definition.editBox->hideSelection),
      caseConversion_(definition.editBox->caseConversion) {}

DWORD EditBox::style() const {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (definition_.tabStop) style |= WS_TABSTOP;
  if (!enabled_) style |= WS_DISABLED;
  style |= alignment_ == 1 ? ES_CENTER : alignment_ == 2 ? ES_RIGHT : ES_LEFT;
  if (multiLine_) style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
  if (!multiLine_ || (scrollBars_ & 1)) style |= ES_AUTOHSCROLL;
  if (scrollBars_ & 1) style |= WS_HSCROLL;
  if (scrollBars_ & 2) style |= WS_VSCROLL;
  if (!hideSelection_) style |= ES_NOHIDESEL;
  if (caseConversion_ == 1) style |= ES_LOWERCASE;
  if (caseConversion_ == 2) style |= ES_UPPERCASE;
  if (inputMode_ == 1) style |= ES_READONLY;
  if (inputMode_ == 2) style |= ES_PASSWORD;
  if (border_ == ControlBorder::single) style |= WS_BORDER;
  return style;
}

DWORD EditBox::extendedStyle() const {
  switch (border_) {
    case ControlBorder::sunken: return WS_EX_CLIENTEDGE;
    case ControlBorder::raised: return WS_EX_DLGMODALFRAME;
    case ControlBorder::thinSunken: return WS_EX_STATICEDGE;
    case ControlBorder::sunkenAndRaised: return WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME;
    default: return 0;
  }
}

HWND EditBox::createWindow(HWND parent) {
  HWND edit = CreateWindowExA(extendedStyle(), "EDIT", "", style(), bounds_.left, bounds_.top, bounds_.width,
                              bounds_.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                              GetModuleHandleA(nullptr), nullptr);
  if (!edit) return nullptr;
  // The limit first: the text may be longer than the control's default limit.
  SendMessageA(edit, EM_LIMITTEXT, maxLength_ > 0 ? static_cast<WPARAM>(maxLength_) : 0, 0);
  if (inputMode_ == 2) SendMessageA(edit, EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar_), 0);
  if (!fontHandle_) fontHandle_.reset(CreateFontIndirectA(&font_));
  SendMessageA(edit, WM_SETFONT,
               reinterpret_cast<WPARAM>(fontHandle_ ? fontHandle_.get() : GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  SetWindowTextA(edit, storedText_.c_str());
  adoptHandle(edit);
  applySelection();
  return edit;
}

const std::string& EditBox::text() {
  if (handle_) {
    // Read into the stored copy's own buffer: no second copy of a large document.
    const int length = GetWindowTextLengthA(handle_);
    storedText_.resize(static_cast<std::size_t>(std::max(length, 0)) + 1);
    const int copied = length > 0 ? GetWindowTextA(handle_, storedText_.data(), length + 1) : 0;
    storedText_.resize(static_cast<std::size_t>(std::max(copied, 0)));
    SendMessageA(handle_, EM_SETMODIFY, FALSE, 0);
  }
  return storedText_;
}

const std::string& EditBox::currentText() {
  // Every edit sets the control's modified flag; reads and writes of Text clear it.
  if (handle_ && !SendMessageA(handle_, EM_GETMODIFY, 0, 0)) return storedText_;
  return text();
}

void EditBox::appendText(std::string_view text) {
  if (!handle_) {
    storedText_ += text;
    return;
  }
  // Positions past the end are taken as the end.
  constexpr WPARAM pastTheEnd = 0x7FFFFFFE;
  SendMessageA(handle_, EM_SETSEL, pastTheEnd, pastTheEnd);
  SendMessageA(handle_, EM_SCROLLCARET, 0, 0);
  const std::string terminated(text);
  SendMessageA(handle_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(terminated.c_str()));
  SendMessageA(handle_, EM_SCROLLCARET, 0, 0);
}

bool EditBox::holdsAlready(std::string_view text) {
  if (!handle_ || SendMessageA(handle_, EM_GETMODIFY, 0, 0)) return false;
  if (text.data() != storedText_.data() && text != storedText_) return false;
  SendMessageA(handle_, EM_SETSEL, 0, 0);
  SendMessageA(handle_, EM_SCROLLCARET, 0, 0);
  SendMessageA(handle_, WM_VSCROLL, SB_TOP, 0);
  SendMessageA(handle_, WM_HSCROLL, SB_LEFT, 0);
  return true;
}

void EditBox::load() {
  if (!handle_) return;
  SetWindowTextA(handle_, storedText_.c_str());
  SendMessageA(handle_, EM_SETMODIFY, FALSE, 0);
}

void EditBox::setText(std::string&& text) {
  if (holdsAlready(text)) return;
  // Moved in: a document read from a file becomes the stored copy without another copy.
  storedText_ = std::move(text);
  load();
}

void EditBox::setText(std::string_view text) {
  if (holdsAlready(text)) return;
  storedText_.assign(text);
  load();
}

int EditBox::selStart() {
  if (!handle_) return storedSelStart_;
  DWORD startCharacter = 0;
  DWORD endCharacter = 0;
  SendMessageA(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&startCharacter), reinterpret_cast<LPARAM>(&endCharacter));
  return static_cast<int>(charToByteOffset(currentText(), startCharacter));
}

int EditBox::selLength() {
  if (!handle_) return storedSelLength_;
  DWORD startCharacter = 0;
  DWORD endCharacter = 0;
  SendMessageA(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&startCharacter), reinterpret_cast<LPARAM>(&endCharacter));
  const std::string& content = currentText();
  return static_cast<int>(charToByteOffset(content, endCharacter) - charToByteOffset(content, startCharacter));
}

void EditBox::setSelStart(int start) {
  if (start == -1) {
    storedSelStart_ = static_cast<int>(std::min<std::size_t>(currentText().size(), INT_MAX));
    storedSelLength_ = 0;
  } else {
    storedSelStart_ = std::max(start, 0);
  }
  applySelection();
}

void EditBox::setSelLength(int length) {
  if (length == -1) {
    storedSelStart_ = 0;
    storedSelLength_ = static_cast<int>(std::min<std::size_t>(currentText().size(), INT_MAX));
  } else {
    storedSelLength_ = std::max(length, 0);
  }
  applySelection();
}

void EditBox::applySelection() {
  if (!handle_) return;
  const std::string& content = currentText();
  const std::size_t startByte = std::min<std::size_t>(static_cast<std::size_t>(storedSelStart_), content.size());
  const std::size_t endByte = std::min<std::size_t>(startByte + static_cast<std::size_t>(storedSelLength_), content.size());
  const std::size_t startCharacter = byteToCharOffset(content, startByte);
  const std::size_t endCharacter = startCharacter + byteToCharOffset(std::string_view(content).substr(startByte), endByte - startByte);
  SendMessageA(handle_, EM_SETSEL, startCharacter, static_cast<LPARAM>(endCharacter));
  SendMessageA(handle_, EM_SCROLLCARET, 0, 0);
}

void EditBox::setTextColour(Colour colour) {
  textColour_ = colour;
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void EditBox::setBackColour(Colour colour) {
  backColour_ = colour;
  backBrush_.reset();
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

HBRUSH EditBox::paintColours(HDC dc) {
  SetTextColor(dc, textColour_ == systemDefaultColour ? GetSysColor(COLOR_WINDOWTEXT) : textColour_);
  SetBkColor(dc, backColour_ == systemDefaultColour ? GetSysColor(COLOR_3DFACE) : backColour_);
  return brushFor(backColour_, backBrush_);
}

void EditBox::setFont(const FontRecord& record) {
  LOGFONTA font{};
  font.lfEscapement = record.angle;
  font.lfOrientation = record.angle;
  font.lfWeight = record.bold ? FW_BOLD : FW_DONTCARE;
  font.lfItalic = record.italic ? 1 : 0;
  font.lfUnderline = record.underline ? 1 : 0;
  font.lfStrikeOut = record.strikeout ? 1 : 0;
  font.lfHeight = characterHeightForPoints(record.size, screenDotsPerInch());
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = PROOF_QUALITY;
  const std::string face = faceNameOrDefault(record.name, defaultFaceName);
  std::memcpy(font.lfFaceName, face.c_str(), face.size() + 1);
  applyFont(font);
}

void EditBox::applyFont(const LOGFONTA& description) {
  font_ = description;
  FontHandle created(CreateFontIndirectA(&font_));
  const HGDIOBJ shown = created ? static_cast<HGDIOBJ>(created.get()) : GetStockObject(DEFAULT_GUI_FONT);
  if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(shown), TRUE);
  // The control no longer uses the previous font, so it can go now.
  fontHandle_ = std::move(created);
}

void EditBox::setMaxLength(int length) {
  maxLength_ = length;
  if (handle_) SendMessageA(handle_, EM_LIMITTEXT, length > 0 ? static_cast<WPARAM>(length) : 0, 0);
}

void EditBox::setInputMode(int mode) {
  inputMode_ = mode;
  if (!handle_) return;
  SendMessageA(handle_, EM_SETREADONLY, mode == 1, 0);
  SendMessageA(handle_, EM_SETPASSWORDCHAR, mode == 2 ? static_cast<unsigned char>(passwordChar_) : 0, 0);
  InvalidateRect(handle_, nullptr, TRUE);
}

void EditBox::setBorder(ControlBorder border) {
  border_ = border;
  if (!handle_) return;
  const LONG_PTR keptStyle = GetWindowLongPtrA(handle_, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER);
  SetWindowLongPtrA(handle_, GWL_STYLE, keptStyle | (border == ControlBorder::single ? WS_BORDER : 0));
  SetWindowLongPtrA(handle_, GWL_EXSTYLE, extendedStyle());
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

template <typename Value>
void EditBox::rebuildWith(Value& property, Value value) {
  if (property == value) return;
  property = value;
  recreate();
}

void EditBox::setMultiLine(bool multiLine) { rebuildWith(multiLine_, multiLine); }
void EditBox::setScrollBars(int scrollBars) { rebuildWith(scrollBars_, std::clamp(scrollBars, 0, 3)); }
void EditBox::setAlignment(int alignment) { rebuildWith(alignment_, std::clamp(alignment, 0, 2)); }
void EditBox::setHideSelection(bool hideSelection) { rebuildWith(hideSelection_, hideSelection); }
void EditBox::setCaseConversion(int caseConversion) { rebuildWith(caseConversion_, std::clamp(caseConversion, 0, 2)); }

void EditBox::recreate() {
  const HWND old = handle_;
  if (!old) return;
  EventHold hold;
  const HWND parent = GetParent(old);
  const HWND above = GetWindow(old, GW_HWNDPREV);
  const bool hadFocus = GetFocus() == old;
  const bool wasShown = (GetWindowLongPtrA(old, GWL_STYLE) & WS_VISIBLE) != 0;
  bounds_.width = width();
  bounds_.height = height();
  // The old control goes first, so a large document is never held by two controls at once.
  DestroyWindow(old);
  handle_ = nullptr;
  const HWND fresh = createWindow(parent);
  if (!fresh) return;
  SetWindowPos(fresh, above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (wasShown) ShowWindow(fresh, SW_SHOWNA);
  if (hadFocus) SetFocus(fresh);
  owner_.controlReplaced(old, fresh);
}

bool EditBox::claimsKey(WPARAM virtualKey) const { return virtualKey == VK_RETURN && multiLine_ && inputMode_ != 1; }

}  // namespace pellith::forms
