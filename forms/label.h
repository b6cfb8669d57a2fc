// A static text with its own font and colours.
#pragma once
#include <string>

#include "forms/control.h"

namespace pellith::forms {

class Label final : public Control {
 public:
  Label(FormWindow& owner, const FormControl& definition, int id);

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);
  HBRUSH paintColours(HDC dc) override;

 private:
  HWND createWindow(HWND parent) override;

  std::string caption_;
  FontHandle font_;
  BrushHandle backBrush_;
};

}  // namespace pellith::forms
