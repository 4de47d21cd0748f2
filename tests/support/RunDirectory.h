#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace testing_support {

// The run directory of a test's program, with its files by name ("RS.vlok",
// "root/root.vlok"). Each access first waits for the files the start writes
// on a thread of its own.
class RunDirectory {
 public:
  const std::filesystem::path& RunDir() const { return runDir_; }
  void Write(std::string_view name, std::string_view bytes);
  std::string Read(std::string_view name) const;
  bool Has(std::string_view name) const;
  void Remove(std::string_view name);

 protected:
  // waitForStartWrites returns once the start's files are written.
  RunDirectory(std::filesystem::path runDir, std::function<void()> waitForStartWrites)
      : runDir_(std::move(runDir)), waitForStartWrites_(std::move(waitForStartWrites)) {}

 private:
  std::filesystem::path runDir_;
  std::function<void()> waitForStartWrites_;
};

}  // namespace testing_support
