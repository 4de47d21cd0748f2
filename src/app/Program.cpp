#include "app/Program.h"

#include "ui/Catalogue.h"

namespace app {

Program::Program(std::function<fs::path()> runDirectory, Clock& clock, platform::Platform& platform,
                 AppState& state, ui::LayerOptions options)
    : layer_(ui::CreateLayer(handlers_, options)),
      files_(std::make_unique<FileStore>(std::move(runDirectory))),
      app_(std::make_unique<App>(App{*layer_, *files_, clock, platform, state})) {
  BindHandlers(*app_, handlers_);
}

Program::~Program() = default;

int Program::Run() { return layer_->Run(ui::WindowId::MainWindow); }

}  // namespace app
