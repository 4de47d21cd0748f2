#include "app/ShellHandlers.h"
#include "app/shared/App.h"
#include "core/SettingFile.h"
#include "core/Text.h"
#include "ui/Catalogue.h"

namespace shell {
namespace {

constexpr int kScorePage = 0, kDrawPage = 1, kAboutPage = 2, kSettingsPage = 3;

}  // namespace

void OnScoreNavClick(app::App& app) {
  app.ui.SetPage(ui::MainWindow::选择, kScorePage);
}

// The draw needs a headcount and a form of address; an empty file counts as set.
void OnDrawNavClick(app::App& app) {
  app.ui.SetPage(ui::MainWindow::选择, kDrawPage);
  if (!app.files.Exists("RS.vlok") || !app.files.Exists("CH.vlok")) {
    static const std::string kNotSetUp = text::Gbk("您还没有设置人数或称呼，快去设置吧！");
    app.ui.ShowMessage(ui::WindowId::MainWindow, kNotSetUp, "ERROR");
    app.ui.SetText(ui::MainWindow::标签5, kNotSetUp);
    app.ui.SetPage(ui::MainWindow::选择, kSettingsPage);
  }
}

void OnAboutNavClick(app::App& app) {
  app.ui.SetPage(ui::MainWindow::选择, kAboutPage);
}

// Reloading the boxes discards edits that were not saved.
void OnSettingsNavClick(app::App& app) {
  app.ui.SetPage(ui::MainWindow::选择, kSettingsPage);
  app.ui.SetText(ui::MainWindow::编辑框5, core::ReadSetting(app.files, "RS.vlok"));
  app.ui.SetText(ui::MainWindow::编辑框6, core::ReadSetting(app.files, "CH.vlok"));
}

void OnCloseMainClick(app::App& app) {
  app.ui.CloseWindow(ui::WindowId::MainWindow);
}

}  // namespace shell
