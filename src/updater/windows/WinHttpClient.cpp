// HTTPS GET on WinHTTP: peers are verified against the system's authorities,
// TLS 1.2 is asked for where the system offers less by default, redirects are
// followed only to https addresses and only a few times, the body is asked
// for unencoded and handed on as it comes, and a transfer that stalls is given
// up. Each address, a redirect's too, goes through the proxy that the user's
// browser settings choose for it. Each request runs on a thread of its own;
// its head, its pieces of body and its end are carried back to the thread that
// asked, through a message-only window.

#include <windows.h>
// (after windows.h, whose types they use)
#include <wincrypt.h>
#include <winhttp.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "updater/HttpClient.h"
#include "updater/ProxyRoute.h"
#include "updater/RedirectTarget.h"

namespace updater {
namespace {

constexpr UINT kRunHere = WM_APP + 7;  // lParam: a heap std::function<void()>* to run and delete

LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kRunHere) {
    auto* fn = reinterpret_cast<std::function<void()>*>(lp);
    (*fn)();
    delete fn;
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND CreateReceiver() {
  static const ATOM atom = [] {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = ReceiverProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"BrevantHttpReceiver";
    return RegisterClassExW(&cls);
  }();
  return CreateWindowExW(0, MAKEINTATOM(atom), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

std::wstring Widen(const std::string& ascii) {
  return std::wstring(ascii.begin(), ascii.end());
}

struct InternetClose {
  void operator()(HINTERNET h) const { WinHttpCloseHandle(h); }
};
using Internet = std::unique_ptr<void, InternetClose>;

// What the requests of one client share with it.
struct Shared {
  HWND receiver = nullptr;
  std::atomic<bool> dropped{false};
  // Automatic proxy configuration that failed once is not asked again: on a
  // network without it, each try can cost seconds.
  std::atomic<bool> automaticProxyFailed{false};
  // Runs fn on the asking thread unless the client has gone.
  void Report(std::function<void()> fn) {
    if (dropped) return;
    auto* heap = new std::function<void()>(std::move(fn));
    if (!PostMessageW(receiver, kRunHere, 0, reinterpret_cast<LPARAM>(heap))) delete heap;
  }
};

DWORD QueryNumber(HINTERNET request, DWORD what) {
  DWORD value = 0, size = sizeof value;
  if (!WinHttpQueryHeaders(request, what | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                           &value, &size, WINHTTP_NO_HEADER_INDEX)) {
    return 0;
  }
  return value;
}

// A header's raw value, "" when the answer has none.
std::wstring QueryWide(HINTERNET request, DWORD what) {
  DWORD size = 0;
  WinHttpQueryHeaders(request, what, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER, &size,
                      WINHTTP_NO_HEADER_INDEX);
  if (size == 0) return {};
  std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
  if (!WinHttpQueryHeaders(request, what, WINHTTP_HEADER_NAME_BY_INDEX, value.data(), &size,
                           WINHTTP_NO_HEADER_INDEX)) {
    return {};
  }
  value.resize(size / sizeof(wchar_t));
  return value;
}

std::string QueryText(HINTERNET request, DWORD what) {
  std::string out;
  for (wchar_t c : QueryWide(request, what)) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

// A string that WinHTTP allocated for the caller, freed once copied.
std::wstring TakeGlobal(LPWSTR text) {
  if (!text) return {};
  std::wstring copy = text;
  GlobalFree(text);
  return copy;
}

// The current user's browser proxy settings; none when the system cannot
// tell them (a service account, say).
std::optional<BrowserProxySettings> ReadBrowserProxySettings() {
  WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config{};
  if (!WinHttpGetIEProxyConfigForCurrentUser(&config)) return std::nullopt;
  BrowserProxySettings settings;
  settings.autoDetect = config.fAutoDetect;
  settings.autoConfigUrl = TakeGlobal(config.lpszAutoConfigUrl);
  settings.proxy = TakeGlobal(config.lpszProxy);
  settings.bypass = TakeGlobal(config.lpszProxyBypass);
  return settings;
}

// What automatic proxy configuration, detected on the network or from the
// settings' script, says for url; none when it fails.
std::optional<AutomaticProxyAnswer> AskAutomaticProxy(HINTERNET session, const std::wstring& url,
                                                      const BrowserProxySettings& settings) {
  WINHTTP_AUTOPROXY_OPTIONS options{};
  if (settings.autoDetect) {
    options.dwFlags |= WINHTTP_AUTOPROXY_AUTO_DETECT;
    options.dwAutoDetectFlags = WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
  }
  if (!settings.autoConfigUrl.empty()) {
    options.dwFlags |= WINHTTP_AUTOPROXY_CONFIG_URL;
    options.lpszAutoConfigUrl = settings.autoConfigUrl.c_str();
  }
  WINHTTP_PROXY_INFO info{};
  BOOL found = WinHttpGetProxyForUrl(session, url.c_str(), &options, &info);
  if (!found && GetLastError() == ERROR_WINHTTP_LOGIN_FAILURE) {
    // A script behind a server that asks who is there: the user's own logon.
    options.fAutoLogonIfChallenged = TRUE;
    found = WinHttpGetProxyForUrl(session, url.c_str(), &options, &info);
  }
  if (!found) return std::nullopt;
  AutomaticProxyAnswer answer{TakeGlobal(info.lpszProxy), TakeGlobal(info.lpszProxyBypass)};
  if (info.dwAccessType != WINHTTP_ACCESS_TYPE_NAMED_PROXY) answer = {};
  return answer;
}

// The route for url: the automatic configuration's answer when the settings
// ask for one (asked through session), else the settings' fixed proxy.
ProxyRoute RouteFor(const std::wstring& url, const std::optional<BrowserProxySettings>& settings,
                    HINTERNET session, Shared& shared) {
  std::optional<AutomaticProxyAnswer> automatic;
  if (settings && WantsAutomaticProxy(*settings) && !shared.automaticProxyFailed) {
    automatic = AskAutomaticProxy(session, url, *settings);
    if (!automatic) shared.automaticProxyFailed = true;
  }
  return ChooseProxyRoute(settings, automatic);
}

// A session whose requests take the given route, with the client's time
// limit. Windows 7 offers TLS 1.0 at most unless asked for more; a system
// that refuses the option keeps its own choice.
Internet OpenSession(const ProxyRoute& route, const HttpOptions& options) {
  DWORD access = WINHTTP_ACCESS_TYPE_DEFAULT_PROXY;
  const wchar_t* proxy = WINHTTP_NO_PROXY_NAME;
  const wchar_t* bypass = WINHTTP_NO_PROXY_BYPASS;
  if (route.kind == ProxyRoute::Kind::Direct) access = WINHTTP_ACCESS_TYPE_NO_PROXY;
  if (route.kind == ProxyRoute::Kind::Proxy) {
    access = WINHTTP_ACCESS_TYPE_NAMED_PROXY;
    proxy = route.proxy.c_str();
    if (!route.bypass.empty()) bypass = route.bypass.c_str();
  }
  Internet session{WinHttpOpen(L"Brevant", access, proxy, bypass, 0)};
  if (!session) return session;
  const int timeout = options.transferTimeoutMs;
  WinHttpSetTimeouts(session.get(), timeout, timeout, timeout, timeout);
  DWORD protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2 | WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_1 |
                    WINHTTP_FLAG_SECURE_PROTOCOL_TLS1;
  WinHttpSetOption(session.get(), WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof protocols);
  return session;
}

struct CertificateFree {
  void operator()(PCCERT_CONTEXT cert) const { CertFreeCertificateContext(cert); }
};
using Certificate = std::unique_ptr<const CERT_CONTEXT, CertificateFree>;

// The certificates of a PEM text.
std::vector<Certificate> ParsePem(const std::string& pem) {
  std::vector<Certificate> certificates;
  const std::string begin = "-----BEGIN CERTIFICATE-----", end = "-----END CERTIFICATE-----";
  for (std::size_t at = pem.find(begin); at != std::string::npos; at = pem.find(begin, at + 1)) {
    const std::size_t stop = pem.find(end, at);
    if (stop == std::string::npos) break;
    const std::string block = pem.substr(at, stop + end.size() - at);
    DWORD size = 0;
    if (!CryptStringToBinaryA(block.c_str(), static_cast<DWORD>(block.size()),
                              CRYPT_STRING_BASE64HEADER, nullptr, &size, nullptr, nullptr)) {
      continue;
    }
    std::vector<BYTE> der(size);
    if (!CryptStringToBinaryA(block.c_str(), static_cast<DWORD>(block.size()),
                              CRYPT_STRING_BASE64HEADER, der.data(), &size, nullptr, nullptr)) {
      continue;
    }
    if (PCCERT_CONTEXT cert = CertCreateCertificateContext(X509_ASN_ENCODING, der.data(), size)) {
      certificates.emplace_back(cert);
    }
  }
  return certificates;
}

// Whether the peer's certificate is current and was signed by one of the
// given authorities (same name, signature checked with its key). The host
// name is WinHTTP's own check, which stays on.
bool IssuedByOneOf(HINTERNET request, const std::vector<Certificate>& authorities) {
  PCCERT_CONTEXT peer = nullptr;
  DWORD size = sizeof peer;
  if (!WinHttpQueryOption(request, WINHTTP_OPTION_SERVER_CERT_CONTEXT, &peer, &size) || !peer)
    return false;
  const Certificate held(peer);
  if (CertVerifyTimeValidity(nullptr, peer->pCertInfo) != 0) return false;
  for (const Certificate& authority : authorities) {
    if (CertCompareCertificateName(X509_ASN_ENCODING, &peer->pCertInfo->Issuer,
                                   &authority->pCertInfo->Subject) &&
        CryptVerifyCertificateSignatureEx(0, X509_ASN_ENCODING, CRYPT_VERIFY_CERT_SIGN_SUBJECT_CERT,
                                          const_cast<CERT_CONTEXT*>(peer),
                                          CRYPT_VERIFY_CERT_SIGN_ISSUER_CERT,
                                          const_cast<CERT_CONTEXT*>(authority.get()), 0, nullptr)) {
      return true;
    }
  }
  return false;
}

// One request, from the asking thread's side: after head or data has said
// stop, nothing but the end is delivered, and the end exactly once.
struct Request {
  HttpClient::Receiver receiver;
  std::atomic<bool> stopped{false};
  bool ended = false;

  void Head(const ResponseHead& head) {
    if (stopped || ended) return;
    if (receiver.head && !receiver.head(head)) stopped = true;
  }
  void Data(const std::string& bytes) {
    if (stopped || ended) return;
    if (receiver.data && !receiver.data(bytes)) stopped = true;
  }
  void End(bool transferOk, const std::string& error) {
    if (ended) return;
    ended = true;
    if (receiver.end)
      receiver.end(transferOk && !stopped, stopped && error.empty() ? "stopped" : error);
  }
};

bool IsRedirect(DWORD status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// Runs on a thread of its own; every report goes back through shared.
void Fetch(const std::string& url, const HttpOptions& options, Shared& shared,
           const std::shared_ptr<Request>& request) {
  auto end = [&](bool ok, std::string error) {
    shared.Report([request, ok, error] { request->End(ok, error); });
  };
  // The system's default route, for the automatic proxy configuration's own
  // requests (its script).
  const Internet base = OpenSession({}, options);
  if (!base) {
    end(false, "the network is not available");
    return;
  }
  const std::optional<BrowserProxySettings> proxySettings = ReadBrowserProxySettings();
  // Extra authorities (tests only: the program passes none): WinHTTP may
  // accept a root it does not know, and the peer is then checked against
  // those authorities alone, before anything of the answer is handed on.
  const std::vector<Certificate> authorities = ParsePem(options.extraCaCertificatesPem);

  // Redirects are followed here, not by WinHTTP, so that each address stays
  // on https and takes its own route: a session per address, as a request
  // handle's own proxy is not honoured everywhere.
  Internet session, connection, http;
  std::wstring at = Widen(url);
  for (int hop = 0;; ++hop) {
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    wchar_t host[256] = {};
    std::vector<wchar_t> path(at.size() + 1), extra(at.size() + 1);
    parts.lpszHostName = host;
    parts.dwHostNameLength = 256;
    parts.lpszUrlPath = path.data();
    parts.dwUrlPathLength = static_cast<DWORD>(path.size());
    parts.lpszExtraInfo = extra.data();
    parts.dwExtraInfoLength = static_cast<DWORD>(extra.size());
    if (!WinHttpCrackUrl(at.c_str(), 0, 0, &parts) || parts.nScheme != INTERNET_SCHEME_HTTPS ||
        host[0] == 0) {
      end(false, hop == 0 ? "only https addresses are fetched" : "a redirect left https");
      return;
    }
    http.reset();
    connection.reset();
    session = OpenSession(RouteFor(at, proxySettings, base.get(), shared), options);
    if (session) connection.reset(WinHttpConnect(session.get(), host, parts.nPort, 0));
    const std::wstring target = std::wstring(path.data()) + extra.data();
    http.reset(connection ? WinHttpOpenRequest(connection.get(), L"GET", target.c_str(), nullptr,
                                               WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                               WINHTTP_FLAG_SECURE)
                          : nullptr);
    if (!http) {
      end(false, "the request could not be made");
      return;
    }
    DWORD noRedirects = WINHTTP_DISABLE_REDIRECTS;
    WinHttpSetOption(http.get(), WINHTTP_OPTION_DISABLE_FEATURE, &noRedirects, sizeof noRedirects);
    if (!authorities.empty()) {
      DWORD flags = SECURITY_FLAG_IGNORE_UNKNOWN_CA;
      WinHttpSetOption(http.get(), WINHTTP_OPTION_SECURITY_FLAGS, &flags, sizeof flags);
    }
    // The body as it is stored, undecoded.
    const wchar_t headers[] = L"Accept-Encoding: identity\r\nCache-Control: no-cache\r\n";
    if (!WinHttpSendRequest(http.get(), headers, static_cast<DWORD>(-1L), WINHTTP_NO_REQUEST_DATA,
                            0, 0, 0) ||
        !WinHttpReceiveResponse(http.get(), nullptr)) {
      end(false, "the server could not be reached securely (error " +
                     std::to_string(GetLastError()) + ")");
      return;
    }
    if (!authorities.empty() && !IssuedByOneOf(http.get(), authorities)) {
      end(false, "the server's certificate is not from a trusted authority");
      return;
    }
    const DWORD status = QueryNumber(http.get(), WINHTTP_QUERY_STATUS_CODE);
    const std::wstring location =
        IsRedirect(status) ? QueryWide(http.get(), WINHTTP_QUERY_LOCATION) : L"";
    if (location.empty()) break;
    if (hop == options.maxRedirects) {
      end(false, "too many redirects");
      return;
    }
    at = RedirectTarget(at, location);
  }

  ResponseHead head;
  head.status = static_cast<int>(QueryNumber(http.get(), WINHTTP_QUERY_STATUS_CODE));
  head.contentLength = QueryText(http.get(), WINHTTP_QUERY_CONTENT_LENGTH);
  head.transferEncoding = QueryText(http.get(), WINHTTP_QUERY_TRANSFER_ENCODING);
  head.contentEncoding = QueryText(http.get(), WINHTTP_QUERY_CONTENT_ENCODING);
  shared.Report([request, head] { request->Head(head); });
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    if (shared.dropped || request->stopped) {
      end(false, "stopped");
      return;
    }
    DWORD got = 0;
    if (!WinHttpReadData(http.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got)) {
      end(false, "the transfer broke off (error " + std::to_string(GetLastError()) + ")");
      return;
    }
    if (got == 0) break;
    std::string piece(buffer.data(), got);
    shared.Report([request, piece = std::move(piece)] { request->Data(piece); });
  }
  // WinHTTP takes chunked bodies apart itself and, at least under Wine, ends
  // one cut between chunks as if it had ended with its last chunk, so such an
  // end proves nothing: a chunked body is never reported whole here.
  if (head.transferEncoding.find_first_of("cC") != std::string::npos) {
    end(false, "the end of a chunked answer cannot be confirmed");
    return;
  }
  end(true, "");
}

class WinHttpClient final : public HttpClient {
 public:
  explicit WinHttpClient(const HttpOptions& options) : options_(options) {
    shared_->receiver = CreateReceiver();
  }

  ~WinHttpClient() override {
    // Requests still running are dropped without a report.
    shared_->dropped = true;
    for (std::thread& t : workers_) t.detach();
    MSG msg;
    // Reports already on their way are thrown away with the window.
    while (PeekMessageW(&msg, shared_->receiver, kRunHere, kRunHere, PM_REMOVE)) {
      delete reinterpret_cast<std::function<void()>*>(msg.lParam);
    }
    DestroyWindow(shared_->receiver);
  }

  void Get(const std::string& url, Receiver receiver) override {
    auto request = std::make_shared<Request>();
    request->receiver = std::move(receiver);
    workers_.emplace_back([shared = shared_, options = options_, url, request] {
      Fetch(url, options, *shared, request);
    });
  }

 private:
  HttpOptions options_;
  std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
  std::vector<std::thread> workers_;
};

}  // namespace

std::unique_ptr<HttpClient> CreateHttpClient(const HttpOptions& options) {
  return std::make_unique<WinHttpClient>(options);
}

}  // namespace updater
