#pragma once

// A small web proxy on loopback for the Windows transport's proxy tests: it
// tunnels CONNECT requests to ports of 127.0.0.1 (the TLS test server's) and
// answers GET /proxy.pac with a configuration script that names itself. Every
// request line is appended to a log file before the proxy answers it.

#include <filesystem>
#include <memory>
#include <string>

namespace testing_support {

class ConnectProxy {
 public:
  explicit ConnectProxy(std::filesystem::path log);
  ~ConnectProxy();
  ConnectProxy(const ConnectProxy&) = delete;
  ConnectProxy& operator=(const ConnectProxy&) = delete;

  int Port() const;
  // A loopback port where nothing answers: bound, never listening, so each
  // connection is refused at once, as by a proxy that is down.
  int DeadPort() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace testing_support
