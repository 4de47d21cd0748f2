#include "updater/PartFile.h"

#include <windows.h>

#include <random>
#include <string>

namespace updater {

namespace fs = std::filesystem;

namespace {

HANDLE Handle(std::intptr_t file) {
  return reinterpret_cast<HANDLE>(file);
}

}  // namespace

PartFile::PartFile(fs::path target) : target_(std::move(target)) {
  // A new file beside the target: ".name.XXXXXX" with a random end.
  static constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device seed;
  std::mt19937 random(seed());
  std::uniform_int_distribution<int> pick(0, 35);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::wstring name = L"." + target_.filename().native() + L".";
    for (int i = 0; i < 6; ++i) name += kLetters[pick(random)];
    const fs::path part = target_.parent_path() / name;
    const HANDLE file = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      file_ = reinterpret_cast<std::intptr_t>(file);
      part_ = part;
      return;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return;
  }
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
  const HANDLE file = Handle(file_);
  file_ = kNoFile;
  const bool written = FlushFileBuffers(file) != 0;
  const bool closed = CloseHandle(file) != 0;
  // Programs run whatever their attributes; there is no run bit to set.
  const bool placed = written && closed &&
                      MoveFileExW(part_.c_str(), target_.c_str(),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (!placed) DeleteFileW(part_.c_str());
  part_.clear();
  return placed;
}

void PartFile::Discard() {
  if (Ok()) CloseHandle(Handle(file_));
  file_ = kNoFile;
  if (!part_.empty()) DeleteFileW(part_.c_str());
  part_.clear();
}

}  // namespace updater
