#include "support/TestProgram.h"

#include <cstdlib>
#include <thread>

#include "app/Program.h"
#include "support/TempDir.h"
#include "ui/Backend.h"

namespace testing_support {

// The claim on the run directory, asked forward by the test.
struct AskedClaim final : platform::ListeningClaim {
  void Ask() { Asked(); }
};

struct TestProgram::Parts {
  app::AppState state;
  std::unique_ptr<platform::Platform> platform;
  AskedClaim claim;
  std::unique_ptr<app::Program> program;
};

namespace {

fs::path MakeTempRoot() {
  return MakeTempDir("brevant-test");
}

}  // namespace

TestProgram::TestProgram()
    : RunDirectory(MakeTempRoot() / "run", [this] { WaitForStartWrites(); }),
      root_(RunDir().parent_path()),
      home_(root_ / "home") {
  fs::create_directories(RunDir());
  fs::create_directories(home_ / "Desktop");
  SetEnv("HOME", home_);
  SetEnv("XDG_DATA_HOME", home_ / ".local/share");
  SetEnv("XDG_CONFIG_HOME", home_ / ".config");
  parts_ = std::make_unique<Parts>();
  ui::RunOnUiThread([this] {
    parts_->platform = platform::CreateSystemPlatform();
    parts_->program = std::make_unique<app::Program>(
        [dir = RunDir()] { return dir; }, clock_, *parts_->platform, parts_->state,
        ui::LayerOptions{.manualTimers = true, .hostedEventLoop = true});
    parts_->program->ComeForwardWhenAsked(parts_->claim);
  });
  driver_ = ui::CreateDriver(parts_->program->layer());
}

TestProgram::~TestProgram() {
  End();
  std::error_code ec;
  fs::remove_all(root_, ec);
}

void TestProgram::End() {
  if (!parts_) return;
  // End the program first so that handlers waiting in modal windows return
  // while the layer still exists, then take it down on the UI thread.
  driver_->Post([this] { parts_->program->layer().EndProgram(0); });
  driver_.reset();
  ui::RunOnUiThread([this] { parts_.reset(); });
}

void TestProgram::WaitForStartWrites() const {
  if (parts_ && parts_->program) parts_->program->WaitForStartWrites();
}

void TestProgram::AskToComeForward() {
  std::thread([this] { parts_->claim.Ask(); }).join();
  driver_->Post([] {});
}

ui::Layer& TestProgram::layer() {
  return parts_->program->layer();
}

app::AppState TestProgram::State() {
  app::AppState copy;
  driver_->Sync([&] { copy = parts_->state; });
  return copy;
}

void TestProgram::Start() {
  driver_->Post([this] { parts_->program->Run(); });
}

void TestProgram::StartPastSplash() {
  Start();
  if (driver_->IsOpen(ui::WindowId::SplashWindow)) driver_->FireTimer(ui::SplashWindow::时钟1);
}

}  // namespace testing_support
