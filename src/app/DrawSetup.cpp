#include "app/ShellHandlers.h"
#include "app/shared/App.h"
#include "app/shared/SaveReport.h"
#include "core/SettingFile.h"
#include "ui/Catalogue.h"

namespace shell {

void LoadDrawSetup(app::App& app) {
  app.ui.SetText(ui::MainWindow::编辑框5, core::ReadSetting(app.files, "RS.vlok"));
  app.ui.SetText(ui::MainWindow::编辑框6, core::ReadSetting(app.files, "CH.vlok"));
  if (app.files.Exists("CH.vlok"))
    app.state.formOfAddress = core::ReadSetting(app.files, "CH.vlok");
}

// The form of address in AppState keeps its start value until the next start.
void OnSaveDrawSetupClick(app::App& app) {
  app::SaveReport save(app, ui::WindowId::MainWindow);
  save.Write("RS.vlok", app.ui.Text(ui::MainWindow::编辑框5));
  save.Write("CH.vlok", app.ui.Text(ui::MainWindow::编辑框6));
  save.Finish();
}

}  // namespace shell
