#include "updater/PartFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#include "core/NativeFiles.h"
#include "core/linux/FileWrites.h"

namespace updater {

namespace fs = std::filesystem;

namespace {

// The bits of the file being replaced, or the usual ones for a new file, with
// a run bit beside each read bit.
mode_t ProgramMode(const fs::path& target) {
  struct stat old {};
  mode_t mode = ::stat(target.c_str(), &old) == 0
                    ? (old.st_mode & 07777)
                    : (0666 & ~static_cast<mode_t>(core::native::FileCreationMask()));
  if (mode & S_IRUSR) mode |= S_IXUSR;
  if (mode & S_IRGRP) mode |= S_IXGRP;
  if (mode & S_IROTH) mode |= S_IXOTH;
  return mode;
}

}  // namespace

PartFile::PartFile(fs::path target) : target_(std::move(target)) {
  file_ = core::native::CreateTemporaryFile(target_, part_);
}

PartFile::~PartFile() {
  Discard();
}

bool PartFile::Append(std::string_view bytes) {
  if (Ok() && core::native::WriteAll(static_cast<int>(file_), bytes) != 0) Discard();
  return Ok();
}

bool PartFile::Commit() {
  if (!Ok()) return false;
  const std::intptr_t file = file_;
  file_ = kNoFile;
  bool placed = false;
  if (::fchmod(static_cast<int>(file), ProgramMode(target_)) == 0) {
    placed = core::native::PlaceTemporaryFile(file, part_, target_) == 0;
  } else {
    core::native::DiscardTemporaryFile(file, part_);
  }
  part_.clear();
  return placed;
}

void PartFile::Discard() {
  if (Ok()) core::native::DiscardTemporaryFile(file_, part_);
  file_ = kNoFile;
  part_.clear();
}

}  // namespace updater
