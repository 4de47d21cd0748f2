#include "support/ProgramCopy.h"

#include <fstream>

namespace testing_support {

void ProgramCopy::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream(folder_ / name, std::ios::binary) << bytes;
}

}  // namespace testing_support
