#include "support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace testing_support {

std::filesystem::path MakeTempDir(std::string_view prefix) {
  namespace fs = std::filesystem;
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device seed;
  std::mt19937 random(seed());
  std::uniform_int_distribution<int> pick(0, sizeof kLetters - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name(prefix);
    name += '-';
    for (int i = 0; i < 6; ++i) name += kLetters[pick(random)];
    const fs::path dir = fs::temp_directory_path() / name;
    std::error_code ec;
    // create_directory is false, without error, when the name is taken.
    if (fs::create_directory(dir, ec)) return dir;
  }
  std::abort();
}

std::string ReadBytes(const std::filesystem::path& file) {
  if (!std::filesystem::is_regular_file(file)) return {};
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void SetEnv(const std::string& name, const std::filesystem::path& value) {
#ifdef _WIN32
  _wputenv_s(std::filesystem::path(name).c_str(), value.c_str());
#else
  setenv(name.c_str(), value.c_str(), 1);
#endif
}

}  // namespace testing_support
