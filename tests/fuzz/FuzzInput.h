#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

// Helpers shared by the fuzz targets.
namespace fuzz {

// Splits the input into parts at a separator line that no seed needs
// elsewhere, so one input can carry several files or answers.
inline std::string_view TakePart(std::string_view& input) {
  static constexpr std::string_view kSeparator = "\n--8<--\n";
  const std::size_t at = input.find(kSeparator);
  std::string_view part = input.substr(0, at);
  input = at == std::string_view::npos ? std::string_view() : input.substr(at + kSeparator.size());
  return part;
}

// A folder of this process's own under the system's temporary folder, made
// once and reused by every input.
inline const std::filesystem::path& ScratchFolder() {
  static const std::filesystem::path folder = [] {
    // Memory-backed when there is such a folder: every input writes files.
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string pattern = (base / "brevant-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    return std::filesystem::path(pattern);
  }();
  return folder;
}

// Fails the run: a property that must hold did not.
#define FUZZ_CHECK(condition) \
  do {                        \
    if (!(condition)) {       \
      __builtin_trap();       \
    }                         \
  } while (0)

}  // namespace fuzz
