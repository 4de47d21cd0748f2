#include "ui/win32/WinText.h"

#include <windows.h>

namespace ui::win32 {
namespace {

constexpr UINT kGbkCodePage = 936;

std::wstring Widen(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, out.data(), n);
  return out;
}

}  // namespace

std::wstring FromGbk(std::string_view gbk) {
  return Widen(kGbkCodePage, gbk);
}
std::wstring FromUtf8(std::string_view utf8) {
  return Widen(CP_UTF8, utf8);
}
std::wstring FromAnsi(std::string_view ansi) {
  return Widen(CP_ACP, ansi);
}

std::string ToGbk(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(kGbkCodePage, 0, text.data(), size, nullptr, 0, "?", nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(kGbkCodePage, 0, text.data(), size, out.data(), n, "?", nullptr);
  return out;
}

}  // namespace ui::win32
