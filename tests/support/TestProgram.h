#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "app/shared/AppState.h"
#include "support/FakeClock.h"
#include "support/RunDirectory.h"
#include "support/TextLiterals.h"
#include "ui/Catalogue.h"
#include "ui/Driver.h"
#include "ui/Layer.h"

namespace testing_support {

namespace fs = std::filesystem;

// The whole program in a fresh temporary run directory, with a fake clock,
// timers that tick only when the test fires them, and HOME and the XDG
// folders pointing into a temporary directory. Tests act through ui().
class TestProgram : public RunDirectory {
 public:
  TestProgram();
  ~TestProgram();
  TestProgram(const TestProgram&) = delete;
  TestProgram& operator=(const TestProgram&) = delete;

  const fs::path& Home() const { return home_; }

  FakeClock& Clock() { return clock_; }
  ui::Driver& ui() { return *driver_; }
  // The window layer itself; use it only on the UI thread (inside ui().Post or ui().Sync).
  ui::Layer& layer();
  // A copy of the program-wide state, taken on the UI thread.
  app::AppState State();

  // Loads MainWindow as the program start does; the start work runs and waits
  // in the splash window unless the splash is skipped.
  void Start();
  // Start(), then the splash timer fires (when the splash is open) so that the
  // start work runs to its end.
  void StartPastSplash();
  // Returns once the files the start writes on a thread of its own are written.
  void WaitForStartWrites() const;
  // A later start from the same folder gives way to this one, as it does from
  // a thread of its own; returns once the UI thread is idle again.
  void AskToComeForward();
  // Ends the program and takes it down at once, as the destructor does; the
  // run directory stays for the test to look at.
  void End();

 private:
  struct Parts;
  fs::path root_, home_;
  FakeClock clock_;
  std::unique_ptr<Parts> parts_;
  std::unique_ptr<ui::Driver> driver_;
};

}  // namespace testing_support
