#include "core/WritableFolder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace core {

bool CanCreateFilesIn(const std::filesystem::path& folder) {
  // A file without a name in the folder: it needs the same permission as a
  // named one and goes with its descriptor.
  const int unnamed = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (unnamed >= 0) {
    ::close(unnamed);
    return true;
  }
  // Folders on file systems without unnamed files (a FAT stick, a network
  // share) get a named one, named like the file store's temporary files so
  // that one left by a killed start is removed by a later one.
  if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return false;
  std::string name = (folder / ".language.vlok.XXXXXX").string();
  const int named = ::mkstemp(name.data());
  if (named < 0) return false;
  ::close(named);
  ::unlink(name.c_str());
  return true;
}

}  // namespace core
