// Texts, byte buffers and numbers: the conversions the handlers share.
// A text is GBK bytes without NUL; a byte buffer may hold any bytes.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace pellith {

// The given texts one after the other.
std::string concatText(std::initializer_list<std::string_view> texts);

// The bytes up to, not including, the first NUL byte; taken as they are.
// Taken by value, so a buffer handed over with std::move is cut in place.
std::string bytesToText(std::string bytes);

// Every byte of the text (a text holds no NUL, so nothing is lost).
std::string textToBytes(std::string_view text);

// Decimal value of a text: full-width forms folded to ASCII, leading white
// space skipped, one optional sign, digits up to the first other byte. No
// digit gives 0; the value wraps modulo 2^32 instead of overflowing.
std::int32_t toInteger(std::string_view text);

// Signed decimal form: "-1", "0", "255".
std::string toText(std::int32_t value);

}  // namespace pellith
