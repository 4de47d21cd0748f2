#include "app/Text.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "ui/Gbk.h"

namespace text {

std::string Gbk(std::string_view utf8) { return ui::Utf8ToGbk(utf8); }

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

double ToNumber(std::string_view gbk) {
  // strtod on a copy: it needs a terminating zero and stops at the first byte
  // that cannot continue a number, exactly as atof does. The program never
  // changes the C locale, so the decimal point is ".".
  const std::string narrow = NarrowFullWidth(UpToNul(gbk));
  return std::strtod(narrow.c_str(), nullptr);
}

int32_t ToInt(std::string_view gbk) {
  const double d = std::trunc(ToNumber(gbk));
  if (std::isnan(d)) return 0;
  if (d >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  if (d <= static_cast<double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(d);
}

std::string FromInt(int64_t n) { return std::to_string(n); }

std::string FromDouble(double d) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.13g", d);
  return buf;
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
