#include "updater/RedirectTarget.h"

#include <algorithm>

namespace updater {
namespace {

bool IsAsciiLetter(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

// Whether text starts with a scheme: a letter, then letters, digits, '+',
// '-' or '.', then ':'.
bool HasScheme(std::wstring_view text) {
  if (text.empty() || !IsAsciiLetter(text[0])) return false;
  for (std::size_t i = 1; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L':') return true;
    if (!IsAsciiLetter(c) && !(c >= L'0' && c <= L'9') && c != L'+' && c != L'-' && c != L'.')
      return false;
  }
  return false;
}

}  // namespace

std::wstring RedirectTarget(std::wstring_view from, std::wstring_view location) {
  while (!location.empty() && (location.front() == L' ' || location.front() == L'\t'))
    location.remove_prefix(1);
  while (!location.empty() && (location.back() == L' ' || location.back() == L'\t'))
    location.remove_suffix(1);
  location = location.substr(0, location.find(L'#'));
  from = from.substr(0, from.find(L'#'));
  if (HasScheme(location)) return std::wstring(location);

  const std::size_t schemeEnd = from.find(L"://");
  if (schemeEnd == std::wstring_view::npos) return std::wstring(location);
  const std::size_t pathStart = std::min(from.find_first_of(L"/?", schemeEnd + 3), from.size());
  const std::wstring_view scheme = from.substr(0, schemeEnd + 1);  // "https:"
  const std::wstring_view origin = from.substr(0, pathStart);      // "https://host:port"
  const std::wstring_view withoutQuery = from.substr(0, from.find(L'?', pathStart));

  if (location.starts_with(L"//")) return std::wstring(scheme) + std::wstring(location);
  if (location.starts_with(L"/")) return std::wstring(origin) + std::wstring(location);
  if (location.empty()) return std::wstring(from);
  if (location.starts_with(L"?")) return std::wstring(withoutQuery) + std::wstring(location);
  // Relative to the folder of the answering address.
  std::wstring_view folder = withoutQuery.substr(origin.size());
  folder =
      folder.substr(0, folder.rfind(L'/') == std::wstring_view::npos ? 0 : folder.rfind(L'/') + 1);
  if (folder.empty()) folder = L"/";
  return std::wstring(origin) + std::wstring(folder) + std::wstring(location);
}

}  // namespace updater
