#include "support/ProgramCopy.h"

#include <windows.h>

#include <string>

#include "support/ThisProgram.h"

namespace testing_support {

namespace fs = std::filesystem;

namespace {

HANDLE Handle(std::uintptr_t process) {
  return reinterpret_cast<HANDLE>(process);
}

}  // namespace

RunningProgram::~RunningProgram() {
  if (!process_) return;
  Kill();
  CloseHandle(Handle(process_));
}

unsigned long RunningProgram::Id() const {
  return process_ ? GetProcessId(Handle(process_)) : 0;
}

std::optional<int> RunningProgram::Exit(std::chrono::milliseconds limit) {
  if (!process_ || exitCode_) return exitCode_;
  if (WaitForSingleObject(Handle(process_), static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0)
    return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(Handle(process_), &code);
  exitCode_ = static_cast<int>(code);
  return exitCode_;
}

void RunningProgram::Kill() {
  if (!process_ || exitCode_) return;
  TerminateProcess(Handle(process_), 137);
  Exit(std::chrono::seconds(10));
}

ProgramCopy::ProgramCopy(fs::path folder)
    : folder_(std::move(folder)), program_(folder_ / "brevant.exe") {
  fs::create_directories(folder_);
  fs::copy_file(ThisProgramFile().parent_path().parent_path() / "brevant.exe", program_);
}

RunningProgram ProgramCopy::Start() const {
  std::wstring commandLine = L"\"" + program_.native() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder_.c_str(), &startup, &process)) {
    return RunningProgram();
  }
  CloseHandle(process.hThread);
  return RunningProgram(reinterpret_cast<std::uintptr_t>(process.hProcess));
}

}  // namespace testing_support
