// Renders every window, and every page of the main window, to PNG files
// without a screen, as the catalogue declares them:
//   brevant-snapshots OUTPUT_DIR
#include <cstdio>
#include <filesystem>
#include <string>

#include "ui/Backend.h"
#include "ui/Catalogue.h"

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  const fs::path out = argc > 1 ? fs::path(argv[1]) : fs::path("snapshots");
  fs::create_directories(out);
  return ui::RunWithUiThread(argc, argv, ui::EmbeddedFontFaces(), [&] {
    // No handler is bound, so the windows show their catalogue state.
    ui::HandlerTable handlers;
    std::unique_ptr<ui::Layer> layer;
    ui::RunOnUiThread([&] { layer = ui::CreateLayer(handlers, {.manualTimers = true, .hostedEventLoop = true}); });
    auto driver = ui::CreateDriver(*layer);
    int failures = 0;
    auto shoot = [&](ui::WindowId id, const std::string& file) {
      if (!driver->Snapshot(id, out / file)) ++failures;
      std::printf("%s\n", (out / file).c_str());
    };
    for (const ui::WindowSpec* decl : ui::AllWindows()) {
      ui::RunOnUiThread([&] { layer->LoadWindow(decl->id, ui::kNoOwner, false); });
      if (decl->id == ui::WindowId::MainWindow) {
        for (int page = 0; page < 4; ++page) {
          ui::RunOnUiThread([&] { layer->SetPage(ui::MainWindow::选择, page); });
          shoot(decl->id, std::string(decl->name) + "-page" + std::to_string(page) + ".png");
        }
      } else {
        shoot(decl->id, std::string(decl->name) + ".png");
      }
      ui::RunOnUiThread([&] { layer->CloseWindow(decl->id); });
    }
    driver.reset();
    ui::RunOnUiThread([&] { layer.reset(); });
    return failures == 0 ? 0 : 1;
  });
}
