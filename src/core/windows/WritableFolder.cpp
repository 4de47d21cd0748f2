#include "core/WritableFolder.h"

#include <windows.h>

#include <random>
#include <string>

namespace core {

bool CanCreateFilesIn(const std::filesystem::path& folder) {
  // Named like the file store's temporary files; the system removes the file
  // when its handle closes, also when the process is killed.
  static constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device seed;
  std::mt19937 random(seed());
  std::uniform_int_distribution<int> pick(0, 35);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::wstring name = L".language.vlok.";
    for (int i = 0; i < 6; ++i) name += kLetters[pick(random)];
    HANDLE file = CreateFileW(
        (folder / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      return true;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  return false;
}

}  // namespace core
