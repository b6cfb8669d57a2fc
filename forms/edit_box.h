// The edit box: an EDIT control whose properties follow the form's rules.
// Positions are byte offsets into the ANSI text; the control itself counts
// characters, and the conversion happens only here.
#pragma once
#include <string>
#include <string_view>

#include "core/font_record.h"
#include "forms/control.h"

namespace pellith::forms {

class EditBox final : public Control {
 public:
  EditBox(FormWindow& owner, const FormControl& definition, int id);

  // The content, read from the control into the stored copy. The reference
  // stays valid until the next read or write of the text.
  const std::string& text();
  // The stored copy while the control is unchanged since Text was last read
  // or written, otherwise a fresh read. Unlike a read, it keeps bytes the
  // control itself cannot hold (text that is not valid GBK, from a UTF-8 or
  // UTF-16 file) for as long as nobody edits them.
  const std::string& currentText();
  // Replaces the whole content; the caret goes to the start. Writing back the
  // content the control already holds (say, the stored copy itself) only
  // moves the caret and the view to the start: the text is not loaded again.
  void setText(std::string&& text);
  void setText(std::string_view text);
  void setText(const char* text) { setText(std::string_view(text)); }
  // Adds text after the last byte, as a change that cannot be undone; the
  // caret ends after it and is scrolled into view.
  void appendText(std::string_view text);

  int selStart();
  int selLength();
  void setSelStart(int start);
  void setSelLength(int length);

  Colour textColour() const { return textColour_; }
  void setTextColour(Colour colour);
  Colour backColour() const { return backColour_; }
  void setBackColour(Colour colour);

  // The description the font was made from.
  const LOGFONTA& font() const { return font_; }
  void setFont(const FontRecord& record);

  int maxLength() const { return maxLength_; }
  void setMaxLength(int length);
  int inputMode() const { return inputMode_; }
  void setInputMode(int mode);
  ControlBorder border() const { return border_; }
  void setBorder(ControlBorder border);

  // Properties the control cannot change in place: a new value re-creates it.
  bool multiLine() const { return multiLine_; }
  void setMultiLine(bool multiLine);
  int scrollBars() const { return scrollBars_; }
  void setScrollBars(int scrollBars);
  int alignment() const { return alignment_; }
  void setAlignment(int alignment);
  bool hideSelection() const { return hideSelection_; }
  void setHideSelection(bool hideSelection);
  int caseConversion() const { return caseConversion_; }
  void setCaseConversion(int caseConversion);

  bool claimsKey(WPARAM virtualKey) const override;
  HBRUSH paintColours(HDC dc) override;

 private:
  HWND createWindow(HWND parent) override;
  DWORD style() const;
  DWORD extendedStyle() const;
  void applyFont(const LOGFONTA& description);
  void applySelection();

  void recreate();
  bool holdsAlready(std::string_view text);
  void load();
  template <typename Value>
  void rebuildWith(Value& property, Value value);

  std::string storedText_;
  int storedSelStart_;
  int storedSelLength_;
  Colour textColour_;
  Colour backColour_;
  LOGFONTA font_{};
  FontHandle fontHandle_;
  BrushHandle backBrush_;
  ControlBorder border_;
  int maxLength_;
  int inputMode_;
  char passwordChar_;
  bool multiLine_;
  int scrollBars_;
  int alignment_;
  bool hideSelection_;
  int caseConversion_;
};

}  // namespace pellith::forms
