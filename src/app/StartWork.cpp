#include "admin/LoadAdminPassword.h"
#include "app/Fonts.h"
#include "app/ShellHandlers.h"
#include "app/shared/App.h"
#include "companions/Companions.h"
#include "core/Gbk.h"
#include "core/StaleTemporaryFiles.h"
#include "core/WritableFolder.h"
#include "i18n/Captions.h"
#include "i18n/Messages.h"
#include "language/LanguageStep.h"
#include "scores/Scores.h"
#include "ui/Catalogue.h"
#include "ui/FontFaces.h"

namespace shell {
namespace {

// A folder that takes no new file keeps no settings and no scores: the
// teacher hears of it once, when the rest of the start has run and just
// before the main window appears. The splash has closed by then, so the box
// never waits beneath it, and without an owner it stands above every window.
void TellIfTheFolderCannotBeWritten(app::App& app) {
  const std::filesystem::path folder = app.files.RunDirectory();
  if (core::CanCreateFilesIn(folder)) return;
  const std::u8string utf8 = folder.u8string();
  const std::string shown =
      core::Utf8ToGbk({reinterpret_cast<const char*>(utf8.data()), utf8.size()});
  app.ui.ShowMessage(ui::kNoOwner, i18n::Say(app.language, i18n::msg::kFolderNotWritable, {shown}),
                     i18n::Say(app.language, i18n::msg::kFolderNotWritableTitle));
}

}  // namespace

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
  app.language.CreateIfMissing();
  i18n::ApplyLanguageCaptions(app);
  // The desktop shortcut, the downloader and the font files are written at
  // every start, but no window waits for them: the windows draw with the
  // faces registered as the program started. They are written on a thread of
  // their own while the main window appears; whoever runs the downloader, and
  // the end of the program, wait. The faces go to "wk.ttf", "wkL.ttf" and
  // "wkB.ttf", in this order. They begin once the main window has been
  // drawn: the shortcut loads much of the system, which the first frame
  // would wait for.
  app.startWrites.Hold();
  app.startWrites.Start([&app, faces = ui::EmbeddedFontFaces(app.files.RunDirectory())] {
    companions::CreateDesktopShortcut(app);
    companions::WriteDownloader(app);
    WriteAndInstallFont(app, faces.regular);
    WriteAndInstallFont(app, faces.light);
    WriteAndInstallFont(app, faces.bold);
  });
  app.ui.Post([&app] { app.startWrites.Release(); });
  scores::LoadGroupScores(app);
  TellIfTheFolderCannotBeWritten(app);
  app.started = true;
}

// The main window appears once the start work is done; until then the splash
// is the window to bring forward, if it is still open.
void OnAskedToComeForward(app::App& app) {
  if (app.ui.IsOpen(ui::WindowId::SplashWindow)) {
    app.ui.LoadWindow(ui::WindowId::SplashWindow, ui::kNoOwner, true);
  } else if (app.started) {
    app.ui.LoadWindow(ui::WindowId::MainWindow, ui::kNoOwner, false);
  }
}

}  // namespace shell
