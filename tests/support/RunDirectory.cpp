#include "support/RunDirectory.h"

#include "support/TempDir.h"

namespace testing_support {

namespace fs = std::filesystem;

void RunDirectory::Write(std::string_view name, std::string_view bytes) {
  waitForStartWrites_();
  WriteBytes(runDir_ / fs::path(name), bytes);
}

std::string RunDirectory::Read(std::string_view name) const {
  waitForStartWrites_();
  return ReadBytes(runDir_ / fs::path(name));
}

bool RunDirectory::Has(std::string_view name) const {
  waitForStartWrites_();
  return fs::exists(runDir_ / fs::path(name));
}

void RunDirectory::Remove(std::string_view name) {
  waitForStartWrites_();
  fs::remove(runDir_ / fs::path(name));
}

}  // namespace testing_support
