#include "app/ShellHandlers.h"
#include "app/shared/App.h"
#include "core/SettingFile.h"
#include "ui/Catalogue.h"
#include "ui/image/PictureLimits.h"

namespace shell {

void OnSplashWindowCreated(app::App& app) {
  if (app.files.Exists("flash_screen.vlok")) {
    // A path naming no readable file gives empty bytes and so an empty
    // picture; so does a file too large for any picture the program shows,
    // which is not read.
    const auto picture =
        core::FileStore::PathFromText(core::ReadSetting(app.files, "flash_screen.vlok"));
    app.ui.SetPicture(ui::SplashWindow::图片框1,
                      app.files.ReadWholeFileUpTo(picture, ui::kMaxPictureFileBytes));
  }
  if (app.files.Exists("1e.vlok")) app.ui.SetVisible(ui::SplashWindow::透明标签1, false);
  if (app.files.Exists("2e.vlok")) app.ui.CloseWindow(ui::WindowId::SplashWindow);
}

void OnSplashTimerTick(app::App& app) {
  app.ui.CloseWindow(ui::WindowId::SplashWindow);
}

void OnSplashPictureMouseDown(app::App&) {}

}  // namespace shell
