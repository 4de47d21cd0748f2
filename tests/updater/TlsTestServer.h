#pragma once

// An HTTPS server on loopback for the updater's tests and benchmark, written
// with OpenSSL. It serves scripted answers: any head, a body sent whole, slowly
// or cut short, and a connection that ends with a TLS close_notify, a bare FIN
// or a reset. Its certificate (for "localhost" and 127.0.0.1) comes from a test
// authority made when the server starts; only clients given CaPem() trust it.
// Each connection carries one answer and then ends.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

class TlsTestServer {
 public:
  enum class Ending { CloseNotify, Fin, Reset };
  struct Answer {
    std::string head;  // status line and header lines with the blank line after them
    std::string body;  // sent `repeat` times in a row
    int64_t repeat = 1;
    int64_t cutAfter = -1;  // body bytes sent before the ending; -1: all of them
    Ending ending = Ending::CloseNotify;
    int pauseMs = 0;  // between pieces of the body: a slow answer
    std::size_t pieceBytes = 16 * 1024;
  };
  struct Request {
    std::string target;  // as sent: "/assets/version.txt"
    std::string head;    // the whole request head
  };

  TlsTestServer();
  ~TlsTestServer();
  TlsTestServer(const TlsTestServer&) = delete;
  TlsTestServer& operator=(const TlsTestServer&) = delete;

  int Port() const;
  std::string Origin() const { return "https://localhost:" + std::to_string(Port()) + "/"; }
  std::string BaseUrl() const { return Origin() + "assets/"; }
  const std::string& CaPem() const;
  // The certificate of a second, unrelated test authority.
  const std::string& OtherCaPem() const;

  // Answers GET /assets/<path> (path as it appears in the request, encoded);
  // anything else gets 404.
  void Serve(std::string_view path, Answer answer);
  // The whole response text, sent at once.
  void ServeRaw(std::string_view path, std::string_view response);
  // 200 with the body and its length.
  void Serve(std::string_view path, std::string_view body);
  void ServeStatus(std::string_view path, int status);
  void ServeRedirect(std::string_view path, const std::string& location);

  // Every request so far, in order of arrival.
  std::vector<Request> Requests() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace testing_support
