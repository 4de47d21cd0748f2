#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace updater {

// What the server said about the body it is about to send, as received: the
// status of the final answer (after redirects) and the raw values of the
// headers that frame the body ("" when absent). Judging them is not the
// transport's business (see BodyCheck).
struct ResponseHead {
  int status = 0;
  std::string contentLength;
  std::string transferEncoding;
  std::string contentEncoding;
};

// Asynchronous HTTPS GET, the transport only. Get returns at once; the
// receiver's calls come later on the thread that called Get (the UI thread):
// head once, then data for each piece of the body as it arrives, then end
// exactly once. head or data returning false stops the transfer; end follows
// with transferOk false. Requests still running when the client is destroyed
// are dropped without calling end.
//
// Every implementation:
// - fetches https addresses only, verifies the peer, follows a few redirects
//   and only to https addresses, and gives up a transfer that stalls;
// - asks for the body as it is stored ("Accept-Encoding: identity") and
//   hands on the bytes undecoded;
// - reports transferOk true only when the body ended by its own framing
//   without a transport error: a chunked body only after its last chunk.
class HttpClient {
 public:
  struct Receiver {
    std::function<bool(const ResponseHead&)> head;
    std::function<bool(std::string_view)> data;
    std::function<void(bool transferOk, std::string error)> end;
  };

  virtual ~HttpClient() = default;
  // url is already percent-encoded.
  virtual void Get(const std::string& url, Receiver receiver) = 0;
};

struct HttpOptions {
  // PEM certificates trusted besides the system's authorities; the program
  // passes none, tests pass their own test authority.
  std::string extraCaCertificatesPem;
  // A transfer that receives nothing for this long is given up.
  int transferTimeoutMs = 30000;
  int maxRedirects = 5;
};

// The implementation on the platform's network library.
std::unique_ptr<HttpClient> CreateHttpClient(const HttpOptions& options = {});

}  // namespace updater
