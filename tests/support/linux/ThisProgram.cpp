#include "support/ThisProgram.h"

namespace testing_support {

std::filesystem::path ThisProgramFile() {
  return std::filesystem::read_symlink("/proc/self/exe");
}

}  // namespace testing_support
