#include "platform/FontCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#include "core/StaleTemporaryFiles.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0644 & ~mask;
}

// Copies everything from in to out; the number of bytes copied, or -1.
long long CopyAll(int in, int out) {
  char buffer[65536];
  long long total = 0;
  for (;;) {
    ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) return total;
    for (ssize_t done = 0; done < n;) {
      const ssize_t w = ::write(out, buffer + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) return -1;
      done += w;
    }
    total += n;
  }
}

}  // namespace

bool CopyFontIntoFolder(const fs::path& fontFile, const fs::path& folder, std::uintmax_t faceSize) {
  std::error_code ec;
  if (fs::file_size(fontFile, ec) != faceSize || ec) return false;
  const fs::path target = folder / fontFile.filename();
  const fs::file_status existing = fs::symlink_status(target, ec);
  if (fs::exists(existing)) {
    // Whatever else the user keeps under that name is not ours to replace.
    if (!fs::is_regular_file(existing)) return false;
    const std::uintmax_t size = fs::file_size(target, ec);
    if (ec || size == faceSize) return false;
  }

  // What a copy killed part way left behind goes first.
  core::RemoveStaleTemporaryFiles(folder);
  std::string temp = (folder / ("." + fontFile.filename().string() + ".XXXXXX")).string();
  const int out = ::mkostemp(temp.data(), O_CLOEXEC);
  if (out < 0) return false;
  const int in = ::open(fontFile.c_str(), O_RDONLY | O_CLOEXEC);
  bool ok = in >= 0 && CopyAll(in, out) == static_cast<long long>(faceSize);
  if (in >= 0) ::close(in);
  ok = ok && ::fchmod(out, NewFileMode()) == 0 && ::fsync(out) == 0;
  ok = ::close(out) == 0 && ok;
  ok = ok && std::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

}  // namespace platform
