#include "app/Program.h"

#include "app/Handlers.h"
#include "app/ShellHandlers.h"
#include "ui/Catalogue.h"

namespace app {

Program::Program(std::function<fs::path()> runDirectory, Clock& clock, platform::Platform& platform,
                 AppState& state, ui::LayerOptions options)
    : layer_(ui::CreateLayer(handlers_, options)),
      files_(std::make_unique<FileStore>(std::move(runDirectory))),
      app_(std::make_unique<App>(App{*layer_, *files_, clock, platform, state, startWrites_})) {
  BindHandlers(*app_, handlers_);
}

// The program ends with the files of its start whole; their writing uses the
// window layer and the file store, so it ends before they go. No request to
// come forward reaches the layer once it is going.
Program::~Program() {
  if (claim_) claim_->WhenAskedToComeForward({});
  startWrites_.Wait();
}

int Program::Run() {
  return layer_->Run(ui::WindowId::MainWindow);
}

void Program::ComeForwardWhenAsked(platform::RunDirectoryClaim& claim) {
  claim_ = &claim;
  claim.WhenAskedToComeForward(
      [this] { layer_->Post([this] { shell::OnAskedToComeForward(*app_); }); });
}

}  // namespace app
