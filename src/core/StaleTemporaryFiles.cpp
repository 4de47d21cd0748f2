#include "core/StaleTemporaryFiles.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <system_error>

#include "core/NativeFiles.h"

namespace core {
namespace {

// The files the program writes whole in its run directory.
constexpr std::array<std::string_view, 21> kWrittenFiles = {"wk.ttf",
                                                            "wkL.ttf",
                                                            "wkB.ttf",
                                                            "downloader.exe",
                                                            "kestrin.exe",
                                                            "language.vlok",
                                                            "1.vlok",
                                                            "2.vlok",
                                                            "3.vlok",
                                                            "4.vlok",
                                                            "RS.vlok",
                                                            "CH.vlok",
                                                            "admin_pwd.vlok",
                                                            "fake_end.vlok",
                                                            "ynreward.vlok",
                                                            "flash_screen.vlok",
                                                            "1e.vlok",
                                                            "2e.vlok",
                                                            "namelist_to_use.vlok",
                                                            "namelist_record.vlok",
                                                            "version.txt"};

bool IsTemplateCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// ".<name>.XXXXXX" for one of the written files.
bool IsOwnTemporaryName(std::string_view name) {
  constexpr std::size_t kSuffix = 7;  // ".XXXXXX"
  if (name.size() < 1 + kSuffix + 1 || name.front() != '.') return false;
  const std::string_view suffix = name.substr(name.size() - kSuffix);
  if (suffix.front() != '.' || !std::all_of(suffix.begin() + 1, suffix.end(), IsTemplateCharacter))
    return false;
  const std::string_view target = name.substr(1, name.size() - 1 - kSuffix);
  return std::find(kWrittenFiles.begin(), kWrittenFiles.end(), target) != kWrittenFiles.end();
}

}  // namespace

int RemoveStaleTemporaryFiles(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return 0;
  int removed = 0;
  for (const fs::directory_entry& entry : it) {
    if (!IsOwnTemporaryName(entry.path().filename().string())) continue;
    // A symbolic link is no file of ours, whatever its name.
    if (!entry.is_regular_file(ec) || entry.is_symlink(ec)) continue;
    if (native::RemoveIfAbandoned(entry.path())) ++removed;
  }
  return removed;
}

}  // namespace core
