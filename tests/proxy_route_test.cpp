// How the updater's Windows transport picks a proxy from the browser settings
// and where it follows a redirect: plain decisions, tested on every system.
#include <gtest/gtest.h>

#include "updater/ProxyRoute.h"
#include "updater/RedirectTarget.h"

namespace {

using updater::AutomaticProxyAnswer;
using updater::BrowserProxySettings;
using updater::ChooseProxyRoute;
using updater::ProxyRoute;
using Kind = updater::ProxyRoute::Kind;

TEST(ProxyRoute, AutomaticAnswerThenFixedProxyThenSystemDefault) {
  const BrowserProxySettings fixed{.proxy = L"http=web:80;https=secure:8443", .bypass = L"<local>"};
  // Without settings or a proxy in them, the system's own default.
  EXPECT_EQ(ChooseProxyRoute(std::nullopt, std::nullopt).kind, Kind::SystemDefault);
  EXPECT_EQ(ChooseProxyRoute(BrowserProxySettings{}, std::nullopt).kind, Kind::SystemDefault);
  EXPECT_EQ(
      ChooseProxyRoute(BrowserProxySettings{.proxy = L"http=web:80;ftp=files:21"}, std::nullopt)
          .kind,
      Kind::SystemDefault)
      << "no proxy for https";
  // The fixed proxy for https, with its bypass list.
  EXPECT_EQ(ChooseProxyRoute(fixed, std::nullopt),
            (ProxyRoute{.kind = Kind::Proxy, .proxy = L"secure:8443", .bypass = L"<local>"}));
  // An automatic answer wins over the fixed proxy, a direct one too; a failed
  // automatic configuration (no answer) falls back to the fixed proxy.
  BrowserProxySettings both = fixed;
  both.autoDetect = true;
  EXPECT_EQ(ChooseProxyRoute(both, AutomaticProxyAnswer{.proxy = L"pac:3128"}),
            (ProxyRoute{.kind = Kind::Proxy, .proxy = L"pac:3128"}));
  EXPECT_EQ(ChooseProxyRoute(both, AutomaticProxyAnswer{}).kind, Kind::Direct);
  EXPECT_EQ(ChooseProxyRoute(both, std::nullopt).proxy, L"secure:8443");

  EXPECT_FALSE(updater::WantsAutomaticProxy(fixed));
  EXPECT_TRUE(updater::WantsAutomaticProxy(both));
  EXPECT_TRUE(updater::WantsAutomaticProxy({.autoConfigUrl = L"http://wpad/proxy.pac"}));
}

TEST(ProxyRoute, HttpsProxyOfABrowserList) {
  EXPECT_EQ(updater::HttpsProxyOf(L"proxy:3128"), L"proxy:3128") << "one proxy for every scheme";
  EXPECT_EQ(updater::HttpsProxyOf(L"http=a:80;HTTPS=b:443;ftp=c:21"), L"b:443");
  EXPECT_EQ(updater::HttpsProxyOf(L" http=a:80 ;  all:8080 "), L"all:8080");
  EXPECT_EQ(updater::HttpsProxyOf(L"https=;socks=s:1080"), L"");
  EXPECT_EQ(updater::HttpsProxyOf(L""), L"");
}

TEST(RedirectTarget, ResolvesEveryFormOfLocation) {
  const std::wstring from = L"https://dl.example:8443/releases/assets/2.8.1/kestrin.exe?x=1#top";
  const struct {
    const wchar_t* location;
    const wchar_t* target;
  } cases[] = {
      {L"https://mirror.example/k.exe", L"https://mirror.example/k.exe"},
      {L"http://mirror.example/k.exe", L"http://mirror.example/k.exe"},
      {L"//mirror.example/k.exe#part", L"https://mirror.example/k.exe"},
      {L"/other/k.exe", L"https://dl.example:8443/other/k.exe"},
      {L"k2.exe?y=2", L"https://dl.example:8443/releases/assets/2.8.1/k2.exe?y=2"},
      {L"?y=2", L"https://dl.example:8443/releases/assets/2.8.1/kestrin.exe?y=2"},
      {L" next/k.exe\t", L"https://dl.example:8443/releases/assets/2.8.1/next/k.exe"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(updater::RedirectTarget(from, c.location), c.target) << c.location;
  EXPECT_EQ(updater::RedirectTarget(L"https://host", L"k.exe"), L"https://host/k.exe");
  EXPECT_EQ(updater::RedirectTarget(L"https://host?q", L"k.exe"), L"https://host/k.exe");
}

}  // namespace
