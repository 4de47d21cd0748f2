#include <cerrno>
#include <string>

#include "app/shared/App.h"
#include "app/shared/SaveReport.h"
#include "companions/Companions.h"
#include "core/Text.h"
#include "draw/Handlers.h"
#include "draw/NameListRegister.h"
#include "i18n/Messages.h"
#include "ui/Catalogue.h"

namespace draw {
namespace {

namespace settings = ui::AdminSettingsWindow;
namespace picker = ui::NameListPickerWindow;

}  // namespace

void OnBrowseNameListClick(app::App& app) {
  static const std::string kPrompt = text::Gbk("namelist.txt");
  app.ui.SetText(settings::编辑框3, app.ui.BrowseForPath(kPrompt));  // "" when cancelled
}

void OnSaveNameListPathClick(app::App& app) {
  const std::string path = app.ui.Text(settings::编辑框3);
  if (!IsRegistrablePath(app, path)) {
    app.ui.ShowMessage(settings::kWindow,
                       i18n::Say(app.language, i18n::msg::kPathNotStorable, {path}),
                       i18n::Say(app.language, i18n::msg::kSaveFailedTitle));
    return;
  }
  app::SaveReport report(app, settings::kWindow);
  errno = 0;
  if (!AppendToRegister(app, path)) report.Failed(kRegisterFile);
  report.Finish();
}

void OnSaveNameListChoiceClick(app::App& app) {
  app::SaveReport report(app, settings::kWindow);
  report.Write(kChoiceFile, ChoiceText(app.ui.Selection(settings::组合框1)));
  report.Finish();
}

void OnPickNameListClick(app::App& app) {
  app.ui.LoadWindow(picker::kWindow, ui::WindowId::MainWindow, /*modal=*/true);
}

void OnNameListPickerCreated(app::App& app) {
  FillFromRegister(app, picker::列表框1);
}

void OnNameListPicked(app::App& app) {
  // The program ends right after, so a failed write goes unsaid; the
  // companion program then finds the previous choice.
  app.files.Write(kChoiceFile, ChoiceText(app.ui.Selection(picker::列表框1)));
  companions::HandOverToCompanion(app);
}

}  // namespace draw
