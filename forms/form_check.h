// Checks a form's table before it is used to build a window.
#pragma once
#include <string>

#include "forms/form.h"

namespace pellith::forms {

// Empty when the form is sound, otherwise what is wrong with it.
std::string checkForm(const Form& form);

}  // namespace pellith::forms
