#include "core/Text.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "core/Gbk.h"

namespace text {

std::string Gbk(std::string_view utf8) {
  return core::Utf8ToGbk(utf8);
}

std::string NarrowFullWidth(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    if (lead < 0x80 || i + 1 >= s.size()) {
      out += s[i];
      continue;
    }
    const auto trail = static_cast<unsigned char>(s[i + 1]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      out += static_cast<char>(trail - 0x80);
    } else if (lead == 0xA1 && trail == 0xA1) {
      out += ' ';
    } else if (lead == 0xA1 && trail == 0xAB) {
      out += '~';
    } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
      out += '*';
    } else {
      out += s[i];
      out += s[i + 1];
    }
    ++i;
  }
  return out;
}

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// The length of the decimal number at the start of s: sign, digits, a point
// with digits, and an exponent only when digits follow it; 0 when there is none.
std::size_t DecimalLength(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  const std::size_t mantissa = i;
  while (i < s.size() && IsDigit(s[i])) ++i;
  bool digits = i > mantissa;
  if (i < s.size() && s[i] == '.') {
    std::size_t j = i + 1;
    while (j < s.size() && IsDigit(s[j])) ++j;
    if (digits || j > i + 1) {
      digits = true;
      i = j;
    }
  }
  if (!digits) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    const std::size_t exponent = j;
    while (j < s.size() && IsDigit(s[j])) ++j;
    if (j > exponent) i = j;
  }
  return i;
}

}  // namespace

double ToNumber(std::string_view gbk) {
  // Read like atof, but always with "." as the decimal point whatever the
  // system's number format, and only decimal numbers (no hex, inf or nan).
  const std::string narrow = NarrowFullWidth(UpToNul(gbk));
  std::string_view s = narrow;
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  const std::string number(s.substr(0, DecimalLength(s)));
  if (number.empty()) return 0;
#ifdef _WIN32
  static const _locale_t c = _create_locale(LC_ALL, "C");
  return _strtod_l(number.c_str(), nullptr, c);
#else
  static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
  return strtod_l(number.c_str(), nullptr, c);
#endif
}

int32_t ToInt(std::string_view gbk) {
  const double d = std::trunc(ToNumber(gbk));
  if (std::isnan(d)) return 0;
  if (d >= static_cast<double>(std::numeric_limits<int32_t>::max()))
    return std::numeric_limits<int32_t>::max();
  if (d <= static_cast<double>(std::numeric_limits<int32_t>::min()))
    return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(d);
}

std::string FromInt(int64_t n) {
  return std::to_string(n);
}

std::string FromDouble(double d) {
  // "%.13g", with "." as the decimal point whatever the system's number format.
  char buf[64];
  const auto [end, error] = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::general, 13);
  if (error != std::errc()) return "0";
  return std::string(buf, end);
}

std::vector<std::string> Split(std::string_view s, std::string_view sep) {
  std::vector<std::string> fields;
  if (s.empty() || sep.empty()) return fields;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < s.size()) {
    if (s.compare(i, sep.size(), sep) == 0) {
      fields.emplace_back(s.substr(start, i - start));
      i += sep.size();
      start = i;
    } else if (static_cast<unsigned char>(s[i]) >= 0x80) {
      i += 2;  // a double-byte character is never split
    } else {
      ++i;
    }
  }
  if (start < s.size()) fields.emplace_back(s.substr(start));
  return fields;
}

std::string_view UpToNul(std::string_view bytes) {
  const auto nul = bytes.find('\0');
  return nul == std::string_view::npos ? bytes : bytes.substr(0, nul);
}

}  // namespace text
