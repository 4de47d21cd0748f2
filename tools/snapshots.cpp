// Renders every window, and every page of the main window in each of the
// four interface languages, to PNG files without a screen:
//   brevant-snapshots OUTPUT_DIR
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/Text.h"
#include "i18n/Captions.h"
#include "i18n/Language.h"
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
    ui::RunOnUiThread([&] {
      layer = ui::CreateLayer(handlers, {.manualTimers = true, .hostedEventLoop = true});
    });
    auto driver = ui::CreateDriver(*layer);
    int failures = 0;
    auto shoot = [&](ui::WindowId id, const std::string& file) {
      if (!driver->Snapshot(id, out / file)) ++failures;
      std::printf("%s\n", (out / file).string().c_str());
    };
    const i18n::PerLanguage<const char*> tags{"zh", "en", "ja", "ru"};
    for (const ui::WindowSpec* decl : ui::AllWindows()) {
      if (decl->id != ui::WindowId::MainWindow) {
        ui::RunOnUiThread([&] { layer->LoadWindow(decl->id, ui::kNoOwner, false); });
        shoot(decl->id, std::string(decl->name) + ".png");
        ui::RunOnUiThread([&] { layer->CloseWindow(decl->id); });
        continue;
      }
      for (std::size_t i = 0; i < i18n::kLanguageCount; ++i) {
        const auto language = static_cast<i18n::Language>(i);
        const char* tag = tags[language];
        ui::RunOnUiThread([&] {
          layer->LoadWindow(decl->id, ui::kNoOwner, false);
          for (const auto& [control, caption] : i18n::CaptionsOf(language))
            layer->SetText(control, caption);
          // The side bar's copy of a running countdown, at its widest.
          layer->SetText(ui::MainWindow::具体倒计时1, text::Gbk("00小时00分钟59秒"));
          layer->SetVisible(ui::MainWindow::具体倒计时1, true);
        });
        for (int page = 0; page < 4; ++page) {
          ui::RunOnUiThread([&] { layer->SetPage(ui::MainWindow::选择, page); });
          shoot(decl->id,
                std::string(decl->name) + "-" + tag + "-page" + std::to_string(page) + ".png");
        }
        ui::RunOnUiThread([&] { layer->CloseWindow(decl->id); });
      }
    }
    driver.reset();
    ui::RunOnUiThread([&] { layer.reset(); });
    return failures == 0 ? 0 : 1;
  });
}
