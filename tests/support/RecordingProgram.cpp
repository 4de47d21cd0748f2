#include "support/RecordingProgram.h"

#include <system_error>

#include "app/Handlers.h"
#include "app/shared/App.h"
#include "companions/EmbeddedDownloader.h"
#include "support/TempDir.h"
#include "ui/Catalogue.h"
#include "ui/Resources.h"

namespace testing_support {
namespace {

// The system's services inside the test's folders: fonts are installed into
// a folder of the test's own, and launchers and started programs go nowhere.
class TestFolderPlatform final : public platform::Platform {
 public:
  explicit TestFolderPlatform(fs::path root) : root_(std::move(root)) {}
  fs::path ProgramDirectory() override { return root_ / "run"; }
  fs::path FontFolder() override { return root_ / "fonts"; }
  fs::path DesktopFolder() override { return root_ / "desktop"; }
  bool CreateShortcut(const fs::path&, const std::string&, const fs::path&) override {
    return true;
  }
  bool RunProgram(const fs::path&) override { return true; }
  std::unique_ptr<platform::RunDirectoryClaim> ClaimRunDirectory(const fs::path&) override {
    return std::make_unique<platform::ListeningClaim>();
  }

 private:
  fs::path root_;
};

// The files every start writes, made once per process and linked (or, where
// links cannot be made, copied) into each test's folders.
class StartFiles {
 public:
  StartFiles() : folder_(MakeTempDir("brevant-start-files")) {
    for (const auto& [name, bytes] : Files()) WriteBytes(folder_ / name, bytes);
  }
  ~StartFiles() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  void PlaceInto(const fs::path& folder, bool fontsOnly) const {
    for (const auto& [name, bytes] : Files()) {
      if (fontsOnly && !name.ends_with(".ttf")) continue;
      std::error_code ec;
      fs::create_hard_link(folder_ / name, folder / name, ec);
      if (ec) fs::copy_file(folder_ / name, folder / name, ec);
    }
  }

 private:
  static std::vector<std::pair<std::string, std::string_view>> Files() {
    return {{"wk.ttf", ui::RegularFontFace()},
            {"wkL.ttf", ui::LightFontFace()},
            {"wkB.ttf", ui::BoldFontFace()},
            {"downloader.exe", companions::EmbeddedDownloader()}};
  }
  fs::path folder_;
};

}  // namespace

// Put together as app::Program puts the program together, on the recording layer.
struct RecordingProgram::Parts {
  explicit Parts(const fs::path& root, const fs::path& runDir, FakeClock& clock)
      : platform(root), files([runDir] { return runDir; }), app{layer,    files, clock,
                                                                platform, state, startWrites} {
    app::BindHandlers(app, handlers);
  }
  app::AppState state;
  ui::HandlerTable handlers;
  RecordingLayer layer{handlers};
  TestFolderPlatform platform;
  core::FileStore files;
  app::BackgroundWork startWrites;
  app::App app;
};

RecordingProgram::RecordingProgram()
    : RunDirectory(MakeTempDir("brevant-test") / "run", [this] { WaitForStartWrites(); }),
      root_(RunDir().parent_path()) {
  static const StartFiles startFiles;
  fs::create_directories(RunDir());
  fs::create_directories(root_ / "fonts");
  fs::create_directories(root_ / "desktop");
  startFiles.PlaceInto(RunDir(), false);
  startFiles.PlaceInto(root_ / "fonts", true);
  parts_ = std::make_unique<Parts>(root_, RunDir(), clock_);
}

RecordingProgram::~RecordingProgram() {
  End();
  std::error_code ec;
  fs::remove_all(root_, ec);
}

void RecordingProgram::End() {
  if (!parts_) return;
  // Handlers waiting in modal windows return while the layer still runs;
  // the start's files are whole before the file store goes.
  parts_->layer.Do([this] { parts_->layer.EndProgram(0); });
  parts_->startWrites.Wait();
  parts_->layer.Stop();
  parts_.reset();
}

RecordingLayer& RecordingProgram::layer() {
  return parts_->layer;
}

void RecordingProgram::WaitForStartWrites() const {
  if (parts_) parts_->startWrites.Wait();
}

app::AppState RecordingProgram::State() {
  return layer().Get([this] { return parts_->state; });
}

void RecordingProgram::Start() {
  layer().Do([this] { parts_->layer.Run(ui::WindowId::MainWindow); });
}

void RecordingProgram::StartPastSplash() {
  Start();
  if (IsOpen(ui::WindowId::SplashWindow)) FireTimer(ui::SplashWindow::时钟1);
}

}  // namespace testing_support
