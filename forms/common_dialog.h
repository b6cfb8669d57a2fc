// Components without a window: the common dialogs and the printer. They hold
// the properties that showing a dialog or starting a print job works from.
#pragma once
#include <string>

#include "forms/control.h"

namespace pellith::forms {

class Component : public Control {
 public:
  using Control::Control;
  bool create(HWND, HWND) override { return true; }

 private:
  HWND createWindow(HWND) override { return nullptr; }
};

class CommonDialog final : public Component {
 public:
  CommonDialog(FormWindow& owner, const FormControl& definition, int id);

  int dialogType() const { return dialogType_; }
  void setDialogType(int type);  // clamped to 0..3

  std::string title;
  std::string fileName;
  std::string filter;
  int initialFilter;
  std::string initialDirectory;
  std::string defaultExtension;
  bool createPrompt;
  bool fileMustExist;
  bool overwritePrompt;
  bool pathMustExist;
  bool noChangeDirectory;
  Colour colour;
  int bold;
  int italic;
  int strikeOut;
  int underline;
  std::string fontName;

  int fontSize() const { return fontSize_; }
  void setFontSize(int size);  // a negative size is stored as 0

 private:
  int dialogType_;
  int fontSize_;
};

}  // namespace pellith::forms
