#include "core/NativeFiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#include "core/linux/FileWrites.h"

namespace core::native {
namespace {

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A rename is kept after a power cut only once the folder that holds the
// names has reached the disk too.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Renames the temporary file, whose bytes are on the disk, over target;
// on failure it goes and target is as it was.
int RenameIntoPlace(std::intptr_t file, const std::filesystem::path& made,
                    const std::filesystem::path& target) {
  if (std::rename(made.c_str(), target.c_str()) != 0) {
    const int error = errno;
    DiscardTemporaryFile(file, made);
    return error;
  }
  // The new content is in place from here on, whatever follows. A folder
  // that cannot be flushed only leaves the name to the file system's own
  // timing, as before the flush was asked for.
  SyncFolder(target.parent_path());
  // Let go only now: until the rename the file is still being written.
  ::close(static_cast<int>(file));
  return 0;
}

}  // namespace

int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

int WriteAllAndSync(int fd, std::initializer_list<std::string_view> parts) {
  for (std::string_view part : parts) {
    if (const int error = WriteAll(fd, part)) return error;
  }
  return ::fsync(fd) == 0 ? 0 : errno;
}

// Read, not set and restored: setting the mask to learn it would let a file
// made meanwhile by another thread get every permission bit.
unsigned FileCreationMask() {
  if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
    char line[256];
    unsigned mask = 0;
    bool found = false;
    while (!found && std::fgets(line, sizeof line, status))
      found = std::sscanf(line, "Umask: %o", &mask) == 1;
    std::fclose(status);
    if (found) return mask;
  }
  return 022;
}

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

bool MayWrite(const std::filesystem::path& path) {
  return ::access(path.c_str(), W_OK) == 0;
}

std::intptr_t CreateTemporaryFile(const std::filesystem::path& target,
                                  std::filesystem::path& made) {
  const std::string pattern =
      (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = pattern;
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return kNoFile;
    // The lock is the writer's mark. A start that looked at the file in the
    // moment before it was taken may have removed it: then it is made anew.
    // Where the file system has no locks, no start can take the file either.
    int locked;
    do {
      locked = ::flock(fd, LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    struct stat opened = {};
    struct stat named = {};
    if (locked != 0 || (::fstat(fd, &opened) == 0 && ::stat(name.c_str(), &named) == 0 &&
                        SameFile(opened, named))) {
      made = name;
      return fd;
    }
    ::close(fd);
  }
  errno = EEXIST;
  return kNoFile;
}

int PlaceTemporaryFile(std::intptr_t file, const std::filesystem::path& made,
                       const std::filesystem::path& target) {
  if (::fsync(static_cast<int>(file)) != 0) {
    const int error = errno;
    DiscardTemporaryFile(file, made);
    return error;
  }
  return RenameIntoPlace(file, made, target);
}

void DiscardTemporaryFile(std::intptr_t file, const std::filesystem::path& made) {
  ::unlink(made.c_str());
  ::close(static_cast<int>(file));
}

bool RemoveIfAbandoned(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat opened = {};
  struct stat named = {};
  // Held by its writer: left alone. Taken here, it stays taken while the
  // file goes, so no writer can start on it meanwhile; and it must still be
  // the file of that name, not one made since under the same name.
  const bool abandoned = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
                         ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
                         ::lstat(file.c_str(), &named) == 0 && SameFile(opened, named);
  const bool removed = abandoned && ::unlink(file.c_str()) == 0;
  ::close(fd);
  return removed;
}

int WriteReplacing(const std::filesystem::path& path, std::initializer_list<std::string_view> parts,
                   mode_t mode) {
  std::filesystem::path temp;
  const std::intptr_t file = CreateTemporaryFile(path, temp);
  if (file == kNoFile) return errno;
  // The bits are set before the bytes go out, so that one flush takes both.
  int error = ::fchmod(static_cast<int>(file), mode) == 0 ? 0 : errno;
  if (error == 0) error = WriteAllAndSync(static_cast<int>(file), parts);
  if (error != 0) {
    DiscardTemporaryFile(file, temp);
    return error;
  }
  return RenameIntoPlace(file, temp, path);
}

// Keep the permission bits of a file being replaced (a program file keeps its
// run bit); a new file gets the usual bits.
int WriteReplacing(const std::filesystem::path& path,
                   std::initializer_list<std::string_view> parts) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const auto old = fs::status(path, ec);
  const mode_t mode = fs::exists(old) ? static_cast<mode_t>(old.permissions() & fs::perms::mask)
                                      : static_cast<mode_t>(0666 & ~FileCreationMask());
  return WriteReplacing(path, parts, mode);
}

int WriteInPlace(const std::filesystem::path& path, std::initializer_list<std::string_view> parts) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return errno;
  int error = WriteAllAndSync(fd, parts);
  if (::close(fd) != 0 && error == 0) error = errno;
  return error;
}

}  // namespace core::native
