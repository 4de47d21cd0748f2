#include "updater/PartFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#include "core/NativeFiles.h"

namespace updater {

namespace fs = std::filesystem;

namespace {

// The bits of the file being replaced, or the usual ones for a new file, with
// a run bit beside each read bit.
mode_t ProgramMode(const fs::path& target) {
  struct stat old {};
  mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : (0666 & ~static_cast<mode_t>(core::native::FileCreationMask()));
  if (mode & S_IRUSR) mode |= S_IXUSR;
  if (mode & S_IRGRP) mode |= S_IXGRP;
  if (mode & S_IROTH) mode |= S_IXOTH;
  return mode;
}

}  // namespace

PartFile::PartFile(fs::path target) : target_(std::move(target)) {
  std::string pattern =
      (target_.parent_path() / ("." + target_.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return;
  file_ = fd;
  part_ = pattern;
}

PartFile::~PartFile() {
  Discard();
}

bool PartFile::Append(std::string_view bytes) {
  while (Ok() && !bytes.empty()) {
    const ssize_t n = ::write(static_cast<int>(file_), bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      Discard();
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return Ok();
}

bool PartFile::Commit() {
  if (!Ok()) return false;
  const int fd = static_cast<int>(file_);
  file_ = kNoFile;
  const bool written = ::fchmod(fd, ProgramMode(target_)) == 0 && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || std::rename(part_.c_str(), target_.c_str()) != 0) {
    ::unlink(part_.c_str());
    part_.clear();
    return false;
  }
  part_.clear();
  return true;
}

void PartFile::Discard() {
  if (Ok()) ::close(static_cast<int>(file_));
  file_ = kNoFile;
  if (!part_.empty()) ::unlink(part_.c_str());
  part_.clear();
}

}  // namespace updater
