#include "updater/LoopbackSocket.h"

#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testing_support::loopback {

Socket Listen(int& port) {
  // A client that goes away mid-answer must not end the test process.
  ::signal(SIGPIPE, SIG_IGN);
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return kNoSocket;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 || ::listen(fd, 16) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    ::close(fd);
    return kNoSocket;
  }
  port = ntohs(address.sin_port);
  return fd;
}

Socket Accept(Socket listener) {
  const int fd = ::accept(static_cast<int>(listener), nullptr, nullptr);
  return fd < 0 ? kNoSocket : fd;
}

void Shutdown(Socket socket) {
  ::shutdown(static_cast<int>(socket), SHUT_RDWR);
}

void Close(Socket socket) {
  ::close(static_cast<int>(socket));
}

void Reset(Socket socket) {
  const linger abort{1, 0};
  ::setsockopt(static_cast<int>(socket), SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
  ::close(static_cast<int>(socket));
}

}  // namespace testing_support::loopback
