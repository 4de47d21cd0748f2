// HTTPS GET on WinHTTP: peers are verified against the system's authorities,
// redirects are followed only to https addresses and only a few times, the
// body is asked for unencoded, and a transfer that stalls is given up. Each
// request runs on a thread of its own; its progress and result are carried
// back to the thread that asked, through a message-only window.

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

HttpResponse Fetch(const std::string& url, const HttpOptions& options, Shared& shared,
                   const HttpClient::Progress& progress) {
  HttpResponse response;
  const std::wstring wide = Widen(url);
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof parts;
  wchar_t host[256] = {};
  std::vector<wchar_t> path(wide.size() + 1);
  parts.lpszHostName = host;
  parts.dwHostNameLength = 256;
  parts.lpszUrlPath = path.data();
  parts.dwUrlPathLength = static_cast<DWORD>(path.size());
  std::vector<wchar_t> extra(wide.size() + 1);
  parts.lpszExtraInfo = extra.data();
  parts.dwExtraInfoLength = static_cast<DWORD>(extra.size());
  if (!WinHttpCrackUrl(wide.c_str(), 0, 0, &parts) || parts.nScheme != INTERNET_SCHEME_HTTPS || host[0] == 0) {
    response.error = "only https addresses are fetched";
    return response;
  }
  Handle session{WinHttpOpen(L"Brevant", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                             WINHTTP_NO_PROXY_BYPASS, 0)};
  if (!session.h) {
    response.error = "the network is not available";
    return response;
  }
  const int timeout = options.transferTimeoutMs;
  WinHttpSetTimeouts(session.h, timeout, timeout, timeout, timeout);
  // Redirects stay on https, a few times at most.
  DWORD policy = WINHTTP_OPTION_REDIRECT_POLICY_DISALLOW_HTTPS_TO_HTTP;
  WinHttpSetOption(session.h, WINHTTP_OPTION_REDIRECT_POLICY, &policy, sizeof policy);
  DWORD redirects = static_cast<DWORD>(options.maxRedirects);
  WinHttpSetOption(session.h, WINHTTP_OPTION_MAX_HTTP_AUTOMATIC_REDIRECTS, &redirects, sizeof redirects);
  DWORD secure = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2;
  WinHttpSetOption(session.h, WINHTTP_OPTION_SECURE_PROTOCOLS, &secure, sizeof secure);

  Handle connection{WinHttpConnect(session.h, host, parts.nPort, 0)};
  const std::wstring target = std::wstring(path.data()) + extra.data();
  Handle request{connection.h ? WinHttpOpenRequest(connection.h, L"GET", target.c_str(), nullptr, WINHTTP_NO_REFERER,
                                                   WINHTTP_DEFAULT_ACCEPT_TYPES, WINHTTP_FLAG_SECURE)
                              : nullptr};
  if (!request.h) {
    response.error = "the request could not be made";
    return response;
  }
  const wchar_t headers[] = L"Accept-Encoding: identity\r\nCache-Control: no-cache\r\n";
  if (!WinHttpSendRequest(request.h, headers, static_cast<DWORD>(-1L), WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
      !WinHttpReceiveResponse(request.h, nullptr)) {
    response.error = "the server could not be reached securely (error " + std::to_string(GetLastError()) + ")";
    return response;
  }
  const DWORD status = QueryNumber(request.h, WINHTTP_QUERY_STATUS_CODE);
  if (status < 200 || status > 299) {
    response.error = "HTTP status " + std::to_string(status);
    return response;
  }
  wchar_t encoding[64] = {};
  DWORD encodingSize = sizeof encoding;
  if (WinHttpQueryHeaders(request.h, WINHTTP_QUERY_CONTENT_ENCODING, WINHTTP_HEADER_NAME_BY_INDEX, encoding,
                          &encodingSize, WINHTTP_NO_HEADER_INDEX) &&
      lstrcmpiW(encoding, L"identity") != 0) {
    response.error = "the body came encoded";
    return response;
  }
  wchar_t lengthText[32] = {};
  DWORD lengthSize = sizeof lengthText;
  int64_t total = -1;
  if (WinHttpQueryHeaders(request.h, WINHTTP_QUERY_CONTENT_LENGTH, WINHTTP_HEADER_NAME_BY_INDEX, lengthText,
                          &lengthSize, WINHTTP_NO_HEADER_INDEX)) {
    total = _wcstoi64(lengthText, nullptr, 10);
  }
  if (total > options.maxBodyBytes) {
    response.error = "the body is larger than allowed";
    return response;
  }
  std::string body;
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    if (shared.dropped) return response;
    DWORD got = 0;
    if (!WinHttpReadData(request.h, buffer.data(), static_cast<DWORD>(buffer.size()), &got)) {
      response.error = "the transfer broke off";
      return response;
    }
    if (got == 0) break;
    if (static_cast<int64_t>(body.size() + got) > options.maxBodyBytes) {
      response.error = "the body is larger than allowed";
      return response;
    }
    body.append(buffer.data(), got);
    if (progress) {
      const int64_t received = static_cast<int64_t>(body.size());
      shared.Report([progress, received, total] { progress(received, total); });
    }
  }
  if (total >= 0 && total != static_cast<int64_t>(body.size())) {
    response.error = "the body is shorter than its announced length";
    return response;
  }
  response.ok = true;
  response.body = std::move(body);
  return response;
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

  void Get(const std::string& url, Progress progress, Done done) override {
    workers_.emplace_back([shared = shared_, options = options_, url, progress = std::move(progress),
                           done = std::move(done)]() mutable {
      HttpResponse response = Fetch(url, options, *shared, progress);
      shared->Report([done = std::move(done), response = std::move(response)]() mutable { done(std::move(response)); });
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
