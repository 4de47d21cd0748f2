#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace updater {

// A program file written piece by piece beside its target and put in place
// only by Commit: until then the target keeps its old content, and a part
// file that is never committed is removed. A start of the main program leaves
// it alone while it is being written and removes it once its writer is gone. The new file keeps the
// permission bits of the file it replaces, and may be run by whoever may read it.
class PartFile {
 public:
  explicit PartFile(std::filesystem::path target);
  ~PartFile();
  PartFile(const PartFile&) = delete;
  PartFile& operator=(const PartFile&) = delete;

  // False once anything failed; nothing more is written then.
  bool Ok() const { return file_ != kNoFile; }
  bool Append(std::string_view bytes);
  // Flushes the bytes to the disk and renames the part file over the target.
  bool Commit();

 private:
  void Discard();

  std::filesystem::path target_;
  std::filesystem::path part_;
  // The system's handle of the open part file, held while it is written
  // (see core::native::CreateTemporaryFile).
  static constexpr std::intptr_t kNoFile = -1;
  std::intptr_t file_ = kNoFile;
};

}  // namespace updater
