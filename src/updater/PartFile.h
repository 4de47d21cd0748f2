#pragma once

#include <filesystem>
#include <string_view>

namespace updater {

// A program file written piece by piece beside its target and put in place
// only by Commit: until then the target keeps its old content, and a part
// file that is never committed is removed. The new file keeps the permission
// bits of the file it replaces, and may be run by whoever may read it.
class PartFile {
 public:
  explicit PartFile(std::filesystem::path target);
  ~PartFile();
  PartFile(const PartFile&) = delete;
  PartFile& operator=(const PartFile&) = delete;

  // False once anything failed; nothing more is written then.
  bool Ok() const { return fd_ >= 0; }
  bool Append(std::string_view bytes);
  // Flushes the bytes to the disk and renames the part file over the target.
  bool Commit();

 private:
  void Discard();

  std::filesystem::path target_;
  std::filesystem::path part_;
  int fd_ = -1;
};

}  // namespace updater
