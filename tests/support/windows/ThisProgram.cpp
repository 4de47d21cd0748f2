#include "support/ThisProgram.h"

#include <windows.h>

#include <string>

namespace testing_support {

std::filesystem::path ThisProgramFile() {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (n < name.size()) return std::filesystem::path(name.substr(0, n));
    name.resize(name.size() * 2);  // cut short: try a longer buffer
  }
}

}  // namespace testing_support
