#include "core/NativeFiles.h"

#include <windows.h>

#include <cerrno>
#include <random>
#include <string>

#include "core/windows/SystemError.h"

namespace core::native {
namespace {

HANDLE Handle(std::intptr_t file) {
  return reinterpret_cast<HANDLE>(file);
}

// Writes all of bytes; false when the disk refuses them (GetLastError tells).
bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

int LastErrno() {
  return ErrnoFromSystemError(GetLastError());
}

}  // namespace

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  std::FILE* f = _wfopen(path.c_str(), wideMode.c_str());
  return f;
}

unsigned FileCreationMask() {
  return 0;
}  // Windows files have no permission bits

bool MayWrite(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

std::intptr_t CreateTemporaryFile(const std::filesystem::path& target,
                                  std::filesystem::path& made) {
  static constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device seed;
  std::mt19937 random(seed());
  std::uniform_int_distribution<int> pick(0, 35);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::wstring name = L"." + target.filename().native() + L".";
    for (int i = 0; i < 6; ++i) name += kLetters[pick(random)];
    const std::filesystem::path temp = target.parent_path() / name;
    // The open handle is the writer's mark: it shares deletion only, which
    // lets the file be renamed over its target while it is still held, and
    // makes every open that wants the file to itself fail meanwhile.
    const HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE,
                                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      made = temp;
      return reinterpret_cast<std::intptr_t>(file);
    }
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  errno = LastErrno();
  return kNoFile;
}

int PlaceTemporaryFile(std::intptr_t file, const std::filesystem::path& made,
                       const std::filesystem::path& target) {
  // The write-through move returns once the new name is on the disk.
  if (!FlushFileBuffers(Handle(file)) ||
      !MoveFileExW(made.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const int error = LastErrno();
    DiscardTemporaryFile(file, made);
    return error;
  }
  // Let go only now: until the move the file is still being written.
  CloseHandle(Handle(file));
  return 0;
}

void DiscardTemporaryFile(std::intptr_t file, const std::filesystem::path& made) {
  // Deleted while held: the name goes once the handle is closed.
  DeleteFileW(made.c_str());
  CloseHandle(Handle(file));
}

bool RemoveIfAbandoned(const std::filesystem::path& file) {
  // Only an open that shares nothing succeeds when no other handle is open,
  // so a file still held by its writer stays. Links are not followed, and a
  // folder cannot be opened this way at all.
  const HANDLE handle =
      CreateFileW(file.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                  FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  return CloseHandle(handle) != 0;
}

int WriteReplacing(const std::filesystem::path& path,
                   std::initializer_list<std::string_view> parts) {
  std::filesystem::path temp;
  const std::intptr_t file = CreateTemporaryFile(path, temp);
  if (file == kNoFile) return errno;
  for (std::string_view part : parts) {
    if (!WriteAll(Handle(file), part)) {
      const int error = LastErrno();
      DiscardTemporaryFile(file, temp);
      return error;
    }
  }
  return PlaceTemporaryFile(file, temp, path);
}

int WriteInPlace(const std::filesystem::path& path, std::initializer_list<std::string_view> parts) {
  // Others may go on reading it, as the file store's own reads allow.
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LastErrno();
  int error = 0;
  for (std::string_view part : parts) {
    if (!WriteAll(file, part)) {
      error = LastErrno();
      break;
    }
  }
  if (error == 0 && !FlushFileBuffers(file)) error = LastErrno();
  if (!CloseHandle(file) && error == 0) error = LastErrno();
  return error;
}

}  // namespace core::native
