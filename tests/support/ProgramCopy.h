#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace testing_support {

// A started copy of the program; killed when the object goes, if it still runs.
class RunningProgram {
 public:
  explicit RunningProgram(std::uintptr_t process = 0) : process_(process) {}
  RunningProgram(RunningProgram&& other) noexcept : process_(other.process_) { other.process_ = 0; }
  RunningProgram& operator=(RunningProgram&&) = delete;
  ~RunningProgram();

  bool Started() const { return process_ != 0; }
  unsigned long Id() const;  // the system's process id
  // The exit code once the program has ended, waiting for it at most limit.
  std::optional<int> Exit(std::chrono::milliseconds limit);
  // Ends it at once, as the task manager or kill -9 does.
  void Kill();

 private:
  std::uintptr_t process_;  // a pid on Linux, a process handle on Windows
  std::optional<int> exitCode_;
};

// The built program file put into a folder of its own, as a teacher copies
// it; Start() runs it as a double click does, alone and without arguments.
class ProgramCopy {
 public:
  explicit ProgramCopy(std::filesystem::path folder);
  const std::filesystem::path& Folder() const { return folder_; }
  // Writes a file of the run directory, such as "2e.vlok" to skip the splash.
  void Write(const std::string& name, const std::string& bytes) const;
  RunningProgram Start() const;

 private:
  std::filesystem::path folder_, program_;
};

}  // namespace testing_support
