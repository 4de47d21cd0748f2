#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace updater {

// The outcome of one GET. ok only when the server answered with a 2xx status
// and the whole body arrived; error says why not (for tests; the program shows
// no details).
struct HttpResponse {
  bool ok = false;
  std::string body;
  std::string error;
};

// Asynchronous HTTPS GET. Get returns at once; progress and then done are
// called later on the thread that called Get (the UI thread), done exactly
// once. Requests still running when the client is destroyed are dropped
// without calling done.
class HttpClient {
 public:
  using Progress = std::function<void(int64_t received, int64_t total)>;  // total < 0 when unknown
  using Done = std::function<void(HttpResponse)>;

  virtual ~HttpClient() = default;
  // url is already percent-encoded. Any scheme but https fails.
  virtual void Get(const std::string& url, Progress progress, Done done) = 0;
};

struct HttpOptions {
  // PEM certificates trusted besides the system's authorities; the program
  // passes none, tests pass their own test authority.
  std::string extraCaCertificatesPem;
  // A transfer that receives nothing for this long is given up.
  int transferTimeoutMs = 30000;
  int maxRedirects = 5;
  int64_t maxBodyBytes = int64_t{512} << 20;
};

// The implementation on the platform's network library.
std::unique_ptr<HttpClient> CreateHttpClient(const HttpOptions& options = {});

}  // namespace updater
