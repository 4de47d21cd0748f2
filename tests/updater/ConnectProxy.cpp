#include "updater/ConnectProxy.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "updater/LoopbackSocket.h"

namespace testing_support {
namespace {

namespace net = loopback;

bool SendAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

int ConnectToLoopback(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return -1;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Copies bytes both ways until either side closes.
void Relay(int a, int b) {
  pollfd fds[2] = {{a, POLLIN, 0}, {b, POLLIN, 0}};
  char buffer[16 * 1024];
  for (;;) {
    if (::poll(fds, 2, 60000) <= 0) return;
    for (int i = 0; i < 2; ++i) {
      if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      const ssize_t n = ::recv(fds[i].fd, buffer, sizeof buffer, 0);
      if (n <= 0 || !SendAll(fds[1 - i].fd, std::string_view(buffer, static_cast<std::size_t>(n))))
        return;
    }
  }
}

}  // namespace

struct ConnectProxy::Impl {
  std::filesystem::path log;
  std::mutex logLock;
  int port = 0, deadPort = 0;
  net::Socket listener = net::kNoSocket;
  int dead = -1;
  std::atomic<bool> stopping{false};
  std::thread acceptor;
  std::mutex workersLock;
  std::vector<std::thread> workers;

  void Log(const std::string& line) {
    std::lock_guard lock(logLock);
    std::ofstream(log, std::ios::app | std::ios::binary) << line << "\n";
  }

  void Serve(int client) {
    std::string head;
    char c;
    while (head.size() < 8192 && head.find("\r\n\r\n") == std::string::npos &&
           ::recv(client, &c, 1, 0) == 1) {
      head += c;
    }
    const std::string line = head.substr(0, head.find("\r\n"));
    Log(line);
    const std::string connect = "CONNECT ", pac = "GET /proxy.pac ";
    if (line.starts_with(connect)) {
      // "CONNECT localhost:PORT HTTP/1.1": only loopback is tunnelled.
      const std::string target =
          line.substr(connect.size(), line.find(' ', connect.size()) - connect.size());
      const std::size_t colon = target.rfind(':');
      const std::string host = target.substr(0, colon);
      const int to = colon == std::string::npos
                         ? -1
                         : ConnectToLoopback(std::atoi(target.c_str() + colon + 1));
      if ((host != "localhost" && host != "127.0.0.1") || to < 0) {
        if (to >= 0) ::close(to);
        SendAll(client,
                "HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
      } else {
        SendAll(client, "HTTP/1.1 200 Connection established\r\n\r\n");
        Relay(client, to);
        ::close(to);
      }
    } else if (line.starts_with(pac)) {
      const std::string script =
          "function FindProxyForURL(url, host) { return \"PROXY 127.0.0.1:" + std::to_string(port) +
          "\"; }\n";
      SendAll(
          client,
          "HTTP/1.1 200 OK\r\nContent-Type: application/x-ns-proxy-autoconfig\r\nContent-Length: " +
              std::to_string(script.size()) + "\r\nConnection: close\r\n\r\n" + script);
    } else {
      SendAll(client, "HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    }
    net::Close(client);
  }
};

ConnectProxy::ConnectProxy(std::filesystem::path log) : impl_(std::make_unique<Impl>()) {
  impl_->log = std::move(log);
  impl_->listener = net::Listen(impl_->port);
  impl_->dead = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (impl_->dead >= 0 && ::bind(impl_->dead, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
      ::getsockname(impl_->dead, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
    impl_->deadPort = ntohs(address.sin_port);
  }
  impl_->acceptor = std::thread([impl = impl_.get()] {
    for (;;) {
      const net::Socket client = net::Accept(impl->listener);
      if (client == net::kNoSocket || impl->stopping) {
        if (client != net::kNoSocket) net::Close(client);
        return;
      }
      std::lock_guard lock(impl->workersLock);
      impl->workers.emplace_back([impl, client] { impl->Serve(static_cast<int>(client)); });
    }
  });
}

ConnectProxy::~ConnectProxy() {
  impl_->stopping = true;
  net::Shutdown(impl_->listener);
  impl_->acceptor.join();
  net::Close(impl_->listener);
  // Tunnels still open end when their peers go; the process is ending.
  for (std::thread& worker : impl_->workers) worker.detach();
  if (impl_->dead >= 0) ::close(impl_->dead);
}

int ConnectProxy::Port() const {
  return impl_->port;
}
int ConnectProxy::DeadPort() const {
  return impl_->deadPort;
}

}  // namespace testing_support
