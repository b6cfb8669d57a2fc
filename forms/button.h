// A push button; pressing it raises the clicked event bound in the form.
#pragma once
#include <string>

#include "forms/control.h"

namespace pellith::forms {

class Button final : public Control {
 public:
  Button(FormWindow& owner, const FormControl& definition, int id);

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);
  void notify(WORD notification) override;

 private:
  HWND createWindow(HWND parent) override;

  std::string caption_;
};

}  // namespace pellith::forms
