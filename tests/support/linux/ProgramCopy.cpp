#include "support/ProgramCopy.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "support/ThisProgram.h"

extern char** environ;

namespace testing_support {

namespace fs = std::filesystem;

RunningProgram::~RunningProgram() {
  Kill();
}

unsigned long RunningProgram::Id() const {
  return static_cast<unsigned long>(process_);
}

std::optional<int> RunningProgram::Exit(std::chrono::milliseconds limit) {
  const auto until = std::chrono::steady_clock::now() + limit;
  while (process_ && !exitCode_) {
    int status = 0;
    const pid_t done = ::waitpid(static_cast<pid_t>(process_), &status, WNOHANG);
    if (done == static_cast<pid_t>(process_)) {
      exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    } else if (done < 0 || std::chrono::steady_clock::now() >= until) {
      break;
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  return exitCode_;
}

void RunningProgram::Kill() {
  if (!process_ || exitCode_) return;
  ::kill(static_cast<pid_t>(process_), SIGKILL);
  Exit(std::chrono::seconds(10));
}

ProgramCopy::ProgramCopy(fs::path folder)
    : folder_(std::move(folder)), program_(folder_ / "brevant") {
  fs::create_directories(folder_);
  // A second name of the built file where the disk allows one: the folder
  // counts, not the file.
  std::error_code linked;
  fs::create_hard_link(ThisProgramFile().parent_path().parent_path() / "brevant", program_, linked);
  if (linked) fs::copy_file(ThisProgramFile().parent_path().parent_path() / "brevant", program_);
}

RunningProgram ProgramCopy::Start() const {
  const std::string path = program_.string();
  char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
  pid_t pid = 0;
  if (::posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) != 0) pid = 0;
  return RunningProgram(static_cast<std::uintptr_t>(pid));
}

}  // namespace testing_support
