#include "admin/LoadAdminPassword.h"
#include "app/App.h"
#include "app/Fonts.h"
#include "app/ShellHandlers.h"
#include "companions/Companions.h"
#include "core/StaleTemporaryFiles.h"
#include "i18n/Captions.h"
#include "scores/Scores.h"
#include "ui/Catalogue.h"
#include "ui/FontFaces.h"

namespace shell {

// The start work, in this order. No step depends on the success of an earlier
// one and none reports a failure.
void OnMainWindowCreated(app::App& app) {
  // Temporary files of writes that a killed earlier start left behind.
  core::RemoveStaleTemporaryFiles(app.files.RunDirectory());
  app.ui.SetText(ui::MainWindow::透明标签13, i18n::ProductLine());
  LoadDrawSetup(app);
  admin::LoadAdminPassword(app);
  // Returns when the splash has closed.
  app.ui.LoadWindow(ui::WindowId::SplashWindow, ui::kNoOwner, true);
  i18n::CreateLanguageFileIfMissing(app);
  i18n::ApplyLanguageCaptions(app);
  // The desktop shortcut, the downloader and the font files are written at
  // every start, but no window waits for them: the windows draw with the
  // faces registered as the program started. They are written on a thread of
  // their own while the main window appears; whoever runs the downloader, and
  // the end of the program, wait. The faces go to "wk.ttf", "wkL.ttf" and
  // "wkB.ttf", in this order.
  app.startWrites.Start([&app, faces = ui::EmbeddedFontFaces(app.files.RunDirectory())] {
    companions::CreateDesktopShortcut(app);
    companions::WriteDownloader(app);
    WriteAndInstallFont(app, faces.regular);
    WriteAndInstallFont(app, faces.light);
    WriteAndInstallFont(app, faces.bold);
  });
  scores::LoadGroupScores(app);
}

}  // namespace shell
