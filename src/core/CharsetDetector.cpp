#include "core/CharsetDetector.h"

#include <algorithm>

namespace core {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

}  // namespace

std::optional<DetectedCharset> FromByteOrderMark(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) return DetectedCharset{Charset::Utf8, kUtf8Bom.size()};
  if (bytes.starts_with(kUtf16LeBom)) return DetectedCharset{Charset::Utf16Le, kUtf16LeBom.size()};
  if (bytes.starts_with(kUtf16BeBom)) return DetectedCharset{Charset::Utf16Be, kUtf16BeBom.size()};
  return std::nullopt;
}

DetectedCharset DetectCharset(std::string_view bytes) {
  if (const auto marked = FromByteOrderMark(bytes)) return *marked;
  // ASCII reads the same in both, and GBK keeps it byte for byte.
  const bool ascii = std::none_of(bytes.begin(), bytes.end(),
                                  [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  if (ascii || !IsConfidentlyUtf8(bytes)) return {Charset::Gbk, 0};
  return {Charset::Utf8, 0};
}

}  // namespace core
