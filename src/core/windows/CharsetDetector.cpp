// IsConfidentlyUtf8 for Windows, which has no charset detection library: the
// same judgement from the system's converters. Well-formed UTF-8 whose every
// character has a GBK form is sure when it holds more than three non-ASCII
// characters; with fewer, its non-ASCII characters must be Chinese.
#include "core/CharsetDetector.h"

#include <windows.h>

#include <climits>
#include <string>

namespace core {
namespace {

constexpr UINT kGbk = 936;
constexpr int kSureAbove = 3;  // non-ASCII characters

bool IsHan(char32_t c) {
  return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3FFFF) || c == 0x3007;
}

// Punctuation and spaces that go with any script.
bool IsCommon(char32_t c) {
  return c == 0x00B7 || (c >= 0x2000 && c <= 0x206F) || (c >= 0x3000 && c <= 0x303F) ||
         (c >= 0xFF01 && c <= 0xFF20) || (c >= 0xFF3B && c <= 0xFF40) ||
         (c >= 0xFF5B && c <= 0xFF65);
}

}  // namespace

bool IsConfidentlyUtf8(std::string_view bytes) {
  if (bytes.empty() || bytes.size() > INT_MAX / 2) return false;
  const int size = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (n <= 0) return false;  // malformed
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), n);
  BOOL usedDefault = FALSE;
  if (WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(), n, nullptr, 0, nullptr,
                          &usedDefault) <= 0 ||
      usedDefault) {
    return false;
  }
  int nonAscii = 0;
  bool han = false, foreign = false;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    char32_t c = wide[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size())
      c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
    if (c < 0x80) continue;
    ++nonAscii;
    han = han || IsHan(c);
    foreign = foreign || (!IsHan(c) && !IsCommon(c));
  }
  return nonAscii > kSureAbove || (han && !foreign);
}

}  // namespace core
