#include "updater/ProxyRoute.h"

namespace updater {
namespace {

bool IsSeparator(wchar_t c) {
  return c == L';' || c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    wchar_t c = text[i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

}  // namespace

bool WantsAutomaticProxy(const BrowserProxySettings& settings) {
  return settings.autoDetect || !settings.autoConfigUrl.empty();
}

ProxyRoute ChooseProxyRoute(const std::optional<BrowserProxySettings>& settings,
                            const std::optional<AutomaticProxyAnswer>& automatic) {
  if (!settings) return {};
  if (automatic) {
    if (automatic->proxy.empty()) return {.kind = ProxyRoute::Kind::Direct};
    return {
        .kind = ProxyRoute::Kind::Proxy, .proxy = automatic->proxy, .bypass = automatic->bypass};
  }
  std::wstring proxy = HttpsProxyOf(settings->proxy);
  if (proxy.empty()) return {};
  return {.kind = ProxyRoute::Kind::Proxy, .proxy = std::move(proxy), .bypass = settings->bypass};
}

std::wstring HttpsProxyOf(std::wstring_view list) {
  std::wstring_view forEveryScheme;
  std::size_t at = 0;
  while (at < list.size()) {
    while (at < list.size() && IsSeparator(list[at])) ++at;
    std::size_t stop = at;
    while (stop < list.size() && !IsSeparator(list[stop])) ++stop;
    const std::wstring_view entry = list.substr(at, stop - at);
    at = stop;
    if (entry.empty()) continue;
    const std::size_t equals = entry.find(L'=');
    if (equals == std::wstring_view::npos) {
      if (forEveryScheme.empty()) forEveryScheme = entry;
    } else if (StartsWithNoCase(entry, L"https=")) {
      if (equals + 1 < entry.size()) return std::wstring(entry.substr(equals + 1));
    }
  }
  return std::wstring(forEveryScheme);
}

}  // namespace updater
