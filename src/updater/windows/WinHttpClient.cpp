// HTTPS GET on WinHTTP: peers are verified against the system's authorities,
// redirects are followed only to https addresses and only a few times, the
// body is asked for unencoded and handed on as it comes, and a transfer that
// stalls is given up. Each request runs on a thread of its own; its head, its
// pieces of body and its end are carried back to the thread that asked,
// through a message-only window.

#include <windows.h>
#include <winhttp.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "updater/HttpClient.h"

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
  return CreateWindowExW(0, MAKEINTATOM(atom), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
}

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

struct Handle {
  HINTERNET h = nullptr;
  ~Handle() {
    if (h) WinHttpCloseHandle(h);
  }
};

// What the requests of one client share with it.
struct Shared {
  HWND receiver = nullptr;
  std::atomic<bool> dropped{false};
  // Runs fn on the asking thread unless the client has gone.
  void Report(std::function<void()> fn) {
    if (dropped) return;
    auto* heap = new std::function<void()>(std::move(fn));
    if (!PostMessageW(receiver, kRunHere, 0, reinterpret_cast<LPARAM>(heap))) delete heap;
  }
};

DWORD QueryNumber(HINTERNET request, DWORD what) {
  DWORD value = 0, size = sizeof value;
  if (!WinHttpQueryHeaders(request, what | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX, &value, &size,
                           WINHTTP_NO_HEADER_INDEX)) {
    return 0;
  }
  return value;
}

// A header's raw value, "" when the answer has none.
std::string QueryText(HINTERNET request, DWORD what) {
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
  std::string out;
  for (wchar_t c : value) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
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
    if (receiver.end) receiver.end(transferOk && !stopped, stopped && error.empty() ? "stopped" : error);
  }
};

// Runs on a thread of its own; every report goes back through shared.
void Fetch(const std::string& url, const HttpOptions& options, Shared& shared,
           const std::shared_ptr<Request>& request) {
  auto end = [&](bool ok, std::string error) {
    shared.Report([request, ok, error] { request->End(ok, error); });
  };
  const std::wstring wide = Widen(url);
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof parts;
  wchar_t host[256] = {};
  std::vector<wchar_t> path(wide.size() + 1), extra(wide.size() + 1);
  parts.lpszHostName = host;
  parts.dwHostNameLength = 256;
  parts.lpszUrlPath = path.data();
  parts.dwUrlPathLength = static_cast<DWORD>(path.size());
  parts.lpszExtraInfo = extra.data();
  parts.dwExtraInfoLength = static_cast<DWORD>(extra.size());
  if (!WinHttpCrackUrl(wide.c_str(), 0, 0, &parts) || parts.nScheme != INTERNET_SCHEME_HTTPS || host[0] == 0) {
    end(false, "only https addresses are fetched");
    return;
  }
  Handle session{WinHttpOpen(L"Brevant", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                             WINHTTP_NO_PROXY_BYPASS, 0)};
  if (!session.h) {
    end(false, "the network is not available");
    return;
  }
  const int timeout = options.transferTimeoutMs;
  WinHttpSetTimeouts(session.h, timeout, timeout, timeout, timeout);
  // Redirects stay on https, a few times at most.
  DWORD policy = WINHTTP_OPTION_REDIRECT_POLICY_DISALLOW_HTTPS_TO_HTTP;
  WinHttpSetOption(session.h, WINHTTP_OPTION_REDIRECT_POLICY, &policy, sizeof policy);
  DWORD redirects = static_cast<DWORD>(options.maxRedirects);
  WinHttpSetOption(session.h, WINHTTP_OPTION_MAX_HTTP_AUTOMATIC_REDIRECTS, &redirects, sizeof redirects);

  Handle connection{WinHttpConnect(session.h, host, parts.nPort, 0)};
  const std::wstring target = std::wstring(path.data()) + extra.data();
  Handle http{connection.h ? WinHttpOpenRequest(connection.h, L"GET", target.c_str(), nullptr, WINHTTP_NO_REFERER,
                                                WINHTTP_DEFAULT_ACCEPT_TYPES, WINHTTP_FLAG_SECURE)
                           : nullptr};
  if (!http.h) {
    end(false, "the request could not be made");
    return;
  }
  // The body as it is stored, undecoded.
  const wchar_t headers[] = L"Accept-Encoding: identity\r\nCache-Control: no-cache\r\n";
  if (!WinHttpSendRequest(http.h, headers, static_cast<DWORD>(-1L), WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
      !WinHttpReceiveResponse(http.h, nullptr)) {
    end(false, "the server could not be reached securely (error " + std::to_string(GetLastError()) + ")");
    return;
  }
  ResponseHead head;
  head.status = static_cast<int>(QueryNumber(http.h, WINHTTP_QUERY_STATUS_CODE));
  head.contentLength = QueryText(http.h, WINHTTP_QUERY_CONTENT_LENGTH);
  head.transferEncoding = QueryText(http.h, WINHTTP_QUERY_TRANSFER_ENCODING);
  head.contentEncoding = QueryText(http.h, WINHTTP_QUERY_CONTENT_ENCODING);
  shared.Report([request, head] { request->Head(head); });
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    if (shared.dropped || request->stopped) {
      end(false, "stopped");
      return;
    }
    DWORD got = 0;
    if (!WinHttpReadData(http.h, buffer.data(), static_cast<DWORD>(buffer.size()), &got)) {
      end(false, "the transfer broke off (error " + std::to_string(GetLastError()) + ")");
      return;
    }
    if (got == 0) break;
    std::string piece(buffer.data(), got);
    shared.Report([request, piece = std::move(piece)] { request->Data(piece); });
  }
  end(true, "");
}

class WinHttpClient final : public HttpClient {
 public:
  explicit WinHttpClient(const HttpOptions& options) : options_(options) { shared_->receiver = CreateReceiver(); }

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
    workers_.emplace_back([shared = shared_, options = options_, url, request] { Fetch(url, options, *shared, request); });
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
