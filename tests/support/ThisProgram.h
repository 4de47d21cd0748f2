#pragma once

#include <filesystem>

namespace testing_support {

// The file of the running test program.
std::filesystem::path ThisProgramFile();

}  // namespace testing_support
