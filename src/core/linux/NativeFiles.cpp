#include "core/NativeFiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

namespace core::native {

// Read, not set and restored: setting the mask to learn it would let a file
// made meanwhile by another thread get every permission bit.
unsigned FileCreationMask() {
  if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
    char line[256];
    unsigned mask = 0;
    bool found = false;
    while (!found && std::fgets(line, sizeof line, status)) found = std::sscanf(line, "Umask: %o", &mask) == 1;
    std::fclose(status);
    if (found) return mask;
  }
  return 022;
}

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) { return std::fopen(path.c_str(), mode); }

bool MayWrite(const std::filesystem::path& path) { return ::access(path.c_str(), W_OK) == 0; }

int WriteReplacing(const std::filesystem::path& path, std::initializer_list<std::string_view> parts) {
  namespace fs = std::filesystem;
  int error = 0;
  auto fail = [&error](int cause) {
    if (error == 0) error = cause;
    return false;
  };
  std::string pattern = (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return errno;
  bool ok = true;
  for (std::string_view part : parts) {
    const char* p = part.data();
    std::size_t left = part.size();
    while (ok && left > 0) {
      const ssize_t n = ::write(fd, p, left);
      if (n < 0) {
        ok = fail(errno);
      } else {
        p += n;
        left -= static_cast<std::size_t>(n);
      }
    }
  }
  // Keep the permission bits of a file being replaced (a program file keeps
  // its run bit); a new file gets the usual bits.
  std::error_code ec;
  const auto old = fs::status(path, ec);
  const mode_t mode = fs::exists(old) ? static_cast<mode_t>(old.permissions() & fs::perms::mask)
                                      : static_cast<mode_t>(0666 & ~FileCreationMask());
  if (ok && ::fchmod(fd, mode) != 0) ok = fail(errno);
  if (ok && ::fsync(fd) != 0) ok = fail(errno);
  if (::close(fd) != 0 && ok) ok = fail(errno);
  if (ok && std::rename(pattern.c_str(), path.c_str()) != 0) ok = fail(errno);
  if (!ok) ::unlink(pattern.c_str());
  return error;
}

}  // namespace core::native
