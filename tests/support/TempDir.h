#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace testing_support {

// A new, empty directory under the system's temporary folder, named
// prefix-XXXXXX with a random end; the test ends when none can be made.
std::filesystem::path MakeTempDir(std::string_view prefix);

// The bytes of a file; "" when there is no such file.
std::string ReadBytes(const std::filesystem::path& file);
// Writes the file whole, making its folders first.
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);

// Sets or replaces an environment variable of this process.
void SetEnv(const std::string& name, const std::filesystem::path& value);

}  // namespace testing_support
