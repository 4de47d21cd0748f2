#include "draw/NameListFile.h"

#include <algorithm>

#include "core/CharsetDetector.h"
#include "core/Gbk.h"
#include "core/Text.h"

namespace draw {
namespace {

// The UTF-16 text after a byte-order mark, up to its first zero character; an
// odd last byte is dropped.
std::u16string Utf16Text(std::string_view bytes, bool bigEndian) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    const auto unit =
        static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
    if (unit == 0) break;
    text += unit;
  }
  return text;
}

std::string AsGbk(std::string_view bytes) {
  const core::DetectedCharset detected = core::DetectCharset(bytes);
  bytes.remove_prefix(detected.byteOrderMarkSize);
  switch (detected.charset) {
    case core::Charset::Utf16Le:
      return core::Utf16ToGbk(Utf16Text(bytes, /*bigEndian=*/false));
    case core::Charset::Utf16Be:
      return core::Utf16ToGbk(Utf16Text(bytes, /*bigEndian=*/true));
    case core::Charset::Utf8:
      return core::Utf8ToGbk(bytes);
    case core::Charset::Gbk:
      break;
  }
  return std::string(bytes);
}

// Splits at LF, dropping a CR just before it. Teachers save lists from
// editors that end lines in a lone LF, which counts like CR LF. LF never
// occurs inside a GBK double-byte character.
std::vector<std::string> SplitAtLineEnds(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    if (end < text.size() && line.ends_with('\r')) line.remove_suffix(1);
    lines.emplace_back(line);
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return lines;
}

}  // namespace

std::vector<std::string> NamesOfFile(std::string_view bytes) {
  // Nearly every UTF-16 character holds a zero byte; that text ends at its
  // first zero character instead.
  const auto marked = core::FromByteOrderMark(bytes);
  const bool utf16 = marked && marked->charset != core::Charset::Utf8;
  return SplitAtLineEnds(AsGbk(utf16 ? bytes : text::UpToNul(bytes)));
}

std::vector<std::string> RegisterLines(std::string_view bytes, std::size_t maxLines) {
  std::vector<std::string> lines;
  while (!bytes.empty() && lines.size() < maxLines) {
    const std::size_t end =
        std::min(bytes.find_first_of(std::string_view("\n\0\x1A", 3)), bytes.size());
    std::string_view line = bytes.substr(0, end);
    if (end < bytes.size() && bytes[end] == '\n' && line.ends_with('\r')) line.remove_suffix(1);
    lines.emplace_back(line);
    bytes.remove_prefix(std::min(end + 1, bytes.size()));
  }
  return lines;
}

}  // namespace draw
