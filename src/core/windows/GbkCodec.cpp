#include <windows.h>

#include <string>

#include "core/Gbk.h"
#include "core/GbkBytes.h"

namespace core {
namespace {

constexpr UINT kGbk = 936;

std::wstring WideFrom(UINT codePage, DWORD flags, std::string_view bytes) {
  std::wstring wide;
  if (bytes.empty()) return wide;
  const int size = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
  if (n <= 0) return wide;
  wide.resize(static_cast<std::size_t>(n));
  MultiByteToWideChar(codePage, flags, bytes.data(), size, wide.data(), n);
  return wide;
}

std::string BytesFrom(UINT codePage, DWORD flags, std::wstring_view wide, BOOL* usedDefault) {
  std::string bytes;
  if (wide.empty()) return bytes;
  const int size = static_cast<int>(wide.size());
  const int n =
      WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, usedDefault);
  if (n <= 0) return bytes;
  bytes.resize(static_cast<std::size_t>(n));
  WideCharToMultiByte(codePage, flags, wide.data(), size, bytes.data(), n, nullptr, usedDefault);
  return bytes;
}

// A character without a GBK form becomes "?" and leaves the rest of the
// text intact; no look-alike ("best fit") character stands in for it. The
// text goes through the code page whole; only when the system reports such a
// character is it done again one character (or surrogate pair) at a time.
std::string ToGbk(std::wstring_view wide) {
  BOOL usedDefault = FALSE;
  std::string whole = BytesFrom(kGbk, WC_NO_BEST_FIT_CHARS, wide, &usedDefault);
  if (!usedDefault) return whole;
  std::string out;
  out.reserve(wide.size() * 2);
  for (std::size_t i = 0; i < wide.size();) {
    const bool pair = wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size() &&
                      wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF;
    const std::size_t len = pair ? 2 : 1;
    const std::wstring_view piece = wide.substr(i, len);
    i += len;
    if (len == 1 && piece[0] < 0x80) {
      out += static_cast<char>(piece[0]);
      continue;
    }
    BOOL pieceUsedDefault = FALSE;
    const std::string bytes = BytesFrom(kGbk, WC_NO_BEST_FIT_CHARS, piece, &pieceUsedDefault);
    if (pieceUsedDefault || bytes.empty() || bytes == "?" ||
        bytes.find('\x1a') != std::string::npos) {
      out += '?';
    } else {
      out += bytes;
    }
  }
  return out;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  // Well-formed runs go through the code page whole; a malformed lead byte is
  // decoded here, so that the result does not depend on how the system's
  // converter treats it.
  std::wstring wide;
  wide.reserve(gbk.size());
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < gbk.size();) {
    const std::size_t length = GbkCharLength(gbk.substr(i));
    if (length > 0) {
      i += length;
      continue;
    }
    wide += WideFrom(kGbk, 0, gbk.substr(runStart, i - runStart));
    wide += L'\xFFFD';
    runStart = ++i;
  }
  wide += WideFrom(kGbk, 0, gbk.substr(runStart));
  return BytesFrom(CP_UTF8, 0, wide, nullptr);
}

std::string Utf8ToGbk(std::string_view utf8) {
  std::wstring wide = WideFrom(CP_UTF8, 0, utf8);
  // A byte-order mark that starts the text only marks it as UTF-8.
  if (!wide.empty() && wide[0] == 0xFEFF) wide.erase(0, 1);
  return ToGbk(wide);
}

std::string Utf16ToGbk(std::u16string_view utf16) {
  return ToGbk(std::wstring_view(reinterpret_cast<const wchar_t*>(utf16.data()), utf16.size()));
}

}  // namespace core
