#include "platform/FontCopy.h"

#include <cstdio>
#include <string>
#include <system_error>

#include "core/FileStore.h"
#include "core/NativeFiles.h"
#include "core/StaleTemporaryFiles.h"

namespace platform {

namespace fs = std::filesystem;

bool CopyFontIntoFolder(const fs::path& fontFile, const fs::path& folder, std::uintmax_t faceSize) {
  // What a copy killed part way left behind goes first, whatever this copy
  // then does: once the faces are in place, no later copy runs to clean up.
  core::RemoveStaleTemporaryFiles(folder);
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
  const std::string face = core::FileStore::ReadFileBytes(fontFile);
  if (face.size() != faceSize) return false;
  // Written to a temporary file in the folder and renamed over the target
  // only when complete.
  return core::native::WriteReplacing(target, {face}) == 0;
}

}  // namespace platform
