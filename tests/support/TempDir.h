#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace testing_support {

// A new, empty directory under the system's temporary folder, named
// prefix-XXXXXX with a random end; the test ends when none can be made.
std::filesystem::path MakeTempDir(std::string_view prefix);

// Sets or replaces an environment variable of this process.
void SetEnv(const std::string& name, const std::filesystem::path& value);

}  // namespace testing_support
