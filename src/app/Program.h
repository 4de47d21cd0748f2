#pragma once

#include <functional>
#include <memory>

#include "app/shared/App.h"

namespace app {

// The whole program put together: the window layer, the files of the run
// directory and the handlers, over services that tests may replace.
class Program {
 public:
  Program(std::function<fs::path()> runDirectory, Clock& clock, platform::Platform& platform,
          AppState& state, ui::LayerOptions options = {});
  ~Program();

  App& app() { return *app_; }
  ui::Layer& layer() { return *layer_; }

  // Loads MainWindow as the start-up window and runs until the program ends.
  int Run();
  // Brings the program's window to the front each time a later start gives
  // way to it, as long as the program lives.
  void ComeForwardWhenAsked(platform::RunDirectoryClaim& claim);
  // Returns once the files the start writes are written (at once before the
  // start has begun them). From any thread.
  void WaitForStartWrites() { startWrites_.Wait(); }

 private:
  BackgroundWork startWrites_;
  ui::HandlerTable handlers_;
  std::unique_ptr<ui::Layer> layer_;
  std::unique_ptr<FileStore> files_;
  std::unique_ptr<App> app_;
  platform::RunDirectoryClaim* claim_ = nullptr;
};

}  // namespace app
