#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace updater {

// The proxy settings of the user's browser, as Windows keeps them for the
// current user.
struct BrowserProxySettings {
  bool autoDetect = false;     // "automatically detect settings"
  std::wstring autoConfigUrl;  // the address of an automatic configuration script
  std::wstring proxy;          // "host:port", or per scheme: "http=host:port;https=host:port"
  std::wstring bypass;         // the addresses reached directly: "<local>;*.school.example"
};

// What the automatic configuration (detected or from the script) answered
// for one address.
struct AutomaticProxyAnswer {
  std::wstring proxy;  // empty: go direct
  std::wstring bypass;
};

// How one request reaches its server.
struct ProxyRoute {
  enum class Kind {
    SystemDefault,  // the system's own setting for programs (direct unless an administrator set
                    // one)
    Direct,
    Proxy,
  };
  Kind kind = Kind::SystemDefault;
  std::wstring proxy;   // Proxy: the proxy list as the system takes it
  std::wstring bypass;  // Proxy: the addresses that still go direct
  friend bool operator==(const ProxyRoute&, const ProxyRoute&) = default;
};

// Whether the settings ask for automatic configuration, which is then asked
// for each address before ChooseProxyRoute.
bool WantsAutomaticProxy(const BrowserProxySettings& settings);

// The route of an https request. settings: none when the system could not
// tell them; automatic: the automatic configuration's answer for the
// request's address, none when it was not asked or failed. An answer wins;
// without one the browser's fixed proxy for https is used, and without that
// the system's default.
ProxyRoute ChooseProxyRoute(const std::optional<BrowserProxySettings>& settings,
                            const std::optional<AutomaticProxyAnswer>& automatic);

// The proxy that a browser's proxy list names for https addresses: the
// "https=" entry, else an entry for every scheme; "" when the list names
// proxies for other schemes only.
std::wstring HttpsProxyOf(std::wstring_view list);

}  // namespace updater
