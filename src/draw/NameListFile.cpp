#include "draw/NameListFile.h"

#include <algorithm>

#include "core/Text.h"
#include "core/Gbk.h"

namespace draw {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool HasNonAscii(std::string_view bytes) {
  return std::any_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Teachers save lists from editors that end lines in a lone LF; such a line
// end counts like CR LF. LF never occurs inside a GBK double-byte character.
std::string WithCrLfLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

}  // namespace

bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    int extra = 0;
    uint32_t cp = 0;
    if (b >= 0xC2 && b <= 0xDF) {
      extra = 1;
      cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      extra = 2;
      cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      extra = 3;
      cp = b & 0x07;
    } else {
      return false;
    }
    if (i + extra >= s.size()) return false;  // cut short
    for (int j = 1; j <= extra; ++j) {
      const auto c = static_cast<unsigned char>(s[i + j]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    if ((extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000)) return false;  // overlong
    if (cp >= 0xD800 && cp <= 0xDFFF) return false;                                // surrogate
    if (cp > 0x10FFFF) return false;
    i += extra + 1;
  }
  return true;
}

std::vector<std::string> NamesOfFile(std::string_view bytes) {
  std::string gbk;
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    gbk = core::Utf8ToGbk(bytes.substr(kUtf8Bom.size()));
  } else if (HasNonAscii(bytes) && IsValidUtf8(bytes)) {
    gbk = core::Utf8ToGbk(bytes);
  } else {
    gbk = bytes;
  }
  return text::SplitLines(WithCrLfLineEnds(gbk));
}

}  // namespace draw
