// Texts handed to the system's file dialogs.
#pragma once
#include <string>
#include <string_view>

namespace pellith {

// The system's list of description and pattern pairs from "desc|pattern|...":
// trailing white space removed, "||" appended unless present, every "|" a
// NUL. Empty when nothing is left. A "|" that is the second byte of a GBK
// character is part of that character, not a separator.
std::string fileTypeList(std::string_view filter);

// The extension the system appends to a typed name without one: "*.txt"
// and ".txt" give "txt".
std::string defaultExtensionForDialog(std::string_view extension);

}  // namespace pellith
