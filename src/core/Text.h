#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Rules for the program's texts, which are GBK byte strings.
namespace text {

// A literal of the program, written in UTF-8 in the source, as GBK bytes.
std::string Gbk(std::string_view utf8);

// Full-width ASCII forms become ASCII, the ideographic space a space, 0xA1 0xAB
// "~" and 0xA1 0xEE / 0xA1 0xEF "*"; other double-byte characters are kept.
std::string NarrowFullWidth(std::string_view gbk);

// The longest decimal number at the start (after white space: sign, digits,
// point, exponent), as C atof reads it in the C locale, after narrowing
// full-width forms; 0 when there is none. Hex, inf and nan are no numbers.
double ToNumber(std::string_view gbk);
// ToNumber truncated toward zero, clamped to the 32-bit range.
int32_t ToInt(std::string_view gbk);

// "%d" and "%.13g".
std::string FromInt(int64_t n);
std::string FromDouble(double d);

// Splits at sep, stepping over double-byte characters whole; empty inner
// fields are kept, an empty rest after the last separator is dropped.
std::vector<std::string> Split(std::string_view gbk, std::string_view sep);
inline std::vector<std::string> SplitLines(std::string_view gbk) {
  return Split(gbk, "\r\n");
}

// The text up to its first zero byte.
std::string_view UpToNul(std::string_view bytes);

}  // namespace text
