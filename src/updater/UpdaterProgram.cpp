#include "updater/UpdaterProgram.h"

#include "ui/Catalogue.h"

namespace updater {

UpdaterProgram::UpdaterProgram(std::function<std::filesystem::path()> runDirectory,
                               std::string baseUrl, std::unique_ptr<HttpClient> http,
                               ui::LayerOptions options, FetchLimits limits)
    : layer_(ui::CreateLayer(handlers_, options)),
      files_(std::make_unique<core::FileStore>(std::move(runDirectory))),
      http_(std::move(http)),
      updater_(std::make_unique<Updater>(*layer_, *files_, *http_, std::move(baseUrl), limits)) {
  updater_->Bind(handlers_);
}

// The handlers and the updater go first, then the client drops the requests still running,
// so no result arrives at a handler that is gone.
UpdaterProgram::~UpdaterProgram() {
  handlers_.Bind(ui::Handler::OnCheckClick, nullptr);
  handlers_.Bind(ui::Handler::OnUpdateClick, nullptr);
  updater_.reset();
  http_.reset();
}

int UpdaterProgram::Run() {
  return layer_->Run(ui::WindowId::UpdaterWindow);
}

}  // namespace updater
