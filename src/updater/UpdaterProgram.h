#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "core/FileStore.h"
#include "ui/HandlerTable.h"
#include "ui/Layer.h"
#include "updater/HttpClient.h"
#include "updater/Updater.h"

namespace updater {

// The updater program put together: the window layer with UpdaterWindow, the
// files of its run directory and the download server at baseUrl, reached
// through http. Built on the UI thread.
class UpdaterProgram {
 public:
  UpdaterProgram(std::function<std::filesystem::path()> runDirectory, std::string baseUrl,
                 std::unique_ptr<HttpClient> http, ui::LayerOptions options = {},
                 FetchLimits limits = {});
  ~UpdaterProgram();

  ui::Layer& layer() { return *layer_; }
  Updater& updater() { return *updater_; }

  // Loads UpdaterWindow as the start-up window and runs until it is closed.
  int Run();

 private:
  ui::HandlerTable handlers_;
  std::unique_ptr<ui::Layer> layer_;
  std::unique_ptr<core::FileStore> files_;
  std::unique_ptr<HttpClient> http_;
  std::unique_ptr<Updater> updater_;
};

}  // namespace updater
