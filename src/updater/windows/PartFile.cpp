#include "updater/PartFile.h"

#include <windows.h>

#include <string>

#include "core/NativeFiles.h"

namespace updater {

namespace fs = std::filesystem;

namespace {

HANDLE Handle(std::intptr_t file) {
  return reinterpret_cast<HANDLE>(file);
}

}  // namespace

PartFile::PartFile(fs::path target) : target_(std::move(target)) {
  file_ = core::native::CreateTemporaryFile(target_, part_);
}

PartFile::~PartFile() {
  Discard();
}

bool PartFile::Append(std::string_view bytes) {
  while (Ok() && !bytes.empty()) {
    const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(Handle(file_), bytes.data(), chunk, &written, nullptr) || written == 0) {
      Discard();
      return false;
    }
    bytes.remove_prefix(written);
  }
  return Ok();
}

bool PartFile::Commit() {
  if (!Ok()) return false;
  const std::intptr_t file = file_;
  file_ = kNoFile;
  // Programs run whatever their attributes; there is no run bit to set.
  const bool placed = core::native::PlaceTemporaryFile(file, part_, target_) == 0;
  part_.clear();
  return placed;
}

void PartFile::Discard() {
  if (Ok()) core::native::DiscardTemporaryFile(file_, part_);
  file_ = kNoFile;
  part_.clear();
}

}  // namespace updater
