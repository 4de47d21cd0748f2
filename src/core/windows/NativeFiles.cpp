#include "core/NativeFiles.h"

#include <windows.h>

#include <cerrno>
#include <random>
#include <string>

#include "core/windows/SystemError.h"

namespace core::native {

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  std::FILE* f = _wfopen(path.c_str(), wideMode.c_str());
  return f;
}

unsigned FileCreationMask() { return 0; }  // Windows files have no permission bits

bool MayWrite(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

int WriteReplacing(const std::filesystem::path& path, std::initializer_list<std::string_view> parts) {
  // A new temporary file beside the target: ".name.XXXXXX" with a random end.
  static constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device seed;
  std::mt19937 random(seed());
  std::uniform_int_distribution<int> pick(0, 35);
  std::wstring temp;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    std::wstring name = L"." + path.filename().native() + L".";
    for (int i = 0; i < 6; ++i) name += kLetters[pick(random)];
    temp = (path.parent_path() / name).native();
    file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file == INVALID_HANDLE_VALUE) return ErrnoFromSystemError(GetLastError());

  int error = 0;
  auto fail = [&error] {
    if (error == 0) error = ErrnoFromSystemError(GetLastError());
    return false;
  };
  bool ok = true;
  for (std::string_view part : parts) {
    const char* p = part.data();
    std::size_t left = part.size();
    while (ok && left > 0) {
      const DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
      DWORD written = 0;
      if (!WriteFile(file, p, chunk, &written, nullptr)) {
        ok = fail();
      } else {
        p += written;
        left -= written;
      }
    }
  }
  if (ok && !FlushFileBuffers(file)) ok = fail();
  if (!CloseHandle(file) && ok) ok = fail();
  if (ok && !MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) ok = fail();
  if (!ok) DeleteFileW(temp.c_str());
  return error;
}

}  // namespace core::native
