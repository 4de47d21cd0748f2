// One copy per run directory on Linux: the copy that runs holds a lock on the
// folder itself (opened for reading, so a read-only folder works too; the
// kernel lets go of it when the process dies) and listens on a socket named
// after the folder. A later start finds the lock taken, knocks on the socket
// and ends.

#include "platform/RunDirectoryClaim.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <thread>

namespace platform {
namespace {

// An abstract socket name, which goes with the process that holds it, made of
// the folder's device and inode: every path to the folder names the same.
struct SocketName {
  sockaddr_un address{};
  socklen_t length = 0;
};

SocketName NameFor(const struct stat& folder) {
  SocketName name;
  name.address.sun_family = AF_UNIX;
  char text[64];
  const int n = std::snprintf(text, sizeof text, "brevant-%llx-%llx",
                              static_cast<unsigned long long>(folder.st_dev),
                              static_cast<unsigned long long>(folder.st_ino));
  std::memcpy(name.address.sun_path + 1, text,
              static_cast<std::size_t>(n));  // sun_path[0] = 0: abstract
  name.length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + n);
  return name;
}

int Connect(const SocketName& name) {
  const int s = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (s >= 0 && ::connect(s, reinterpret_cast<const sockaddr*>(&name.address), name.length) == 0)
    return s;
  if (s >= 0) ::close(s);
  return -1;
}

// Knocks on the socket of the copy that holds the folder. It may have taken
// the lock a moment ago and not be listening yet, so this tries for a while.
void AskForward(const SocketName& name) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  int s;
  while ((s = Connect(name)) < 0 && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (s < 0) return;
  // The copy hangs up once it has taken the request.
  timeval wait{2, 0};
  ::setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
  char byte;
  while (::recv(s, &byte, 1, 0) > 0) {
  }
  ::close(s);
}

class LinuxClaim final : public ListeningClaim {
 public:
  LinuxClaim(int lock, int listener) : lock_(lock), listener_(listener) {
    if (listener_ >= 0) thread_ = std::thread([this] { Listen(); });
  }
  ~LinuxClaim() override {
    if (listener_ >= 0) {
      ::shutdown(listener_, SHUT_RDWR);  // wakes the thread from accept
      thread_.join();
      ::close(listener_);
    }
    if (lock_ >= 0) ::close(lock_);
  }

 private:
  // Each start of the same user that connects asks this copy forward.
  void Listen() {
    for (;;) {
      const int peer = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (peer < 0) {
        if (errno == EINTR || errno == ECONNABORTED) continue;
        return;
      }
      ucred who{};
      socklen_t size = sizeof who;
      if (::getsockopt(peer, SOL_SOCKET, SO_PEERCRED, &who, &size) == 0 && who.uid == ::geteuid())
        Asked();
      ::close(peer);
    }
  }

  int lock_, listener_;
  std::thread thread_;
};

}  // namespace

std::unique_ptr<RunDirectoryClaim> ClaimOnThisSystem(const std::filesystem::path& runDirectory) {
  const int folder = ::open(runDirectory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  struct stat identity {};
  if (folder < 0 || ::fstat(folder, &identity) != 0) {
    if (folder >= 0) ::close(folder);
    return std::make_unique<LinuxClaim>(-1, -1);
  }
  const SocketName name = NameFor(identity);
  const bool locked = ::flock(folder, LOCK_EX | LOCK_NB) == 0;
  if (!locked && errno == EWOULDBLOCK) {
    ::close(folder);
    AskForward(name);
    return nullptr;
  }
  // Where the file system has no locks, the socket's name alone tells.
  int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listener >= 0 &&
      (::bind(listener, reinterpret_cast<const sockaddr*>(&name.address), name.length) != 0 ||
       ::listen(listener, 8) != 0)) {
    const bool taken = errno == EADDRINUSE;
    ::close(listener);
    listener = -1;
    if (taken && !locked) {
      ::close(folder);
      AskForward(name);
      return nullptr;
    }
  }
  if (!locked) ::close(folder);
  return std::make_unique<LinuxClaim>(locked ? folder : -1, listener);
}

}  // namespace platform
