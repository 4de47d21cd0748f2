#include <string>

#include "admin/Handlers.h"
#include "app/shared/App.h"
#include "app/shared/SaveReport.h"
#include "language/LanguageStep.h"
#include "ui/Catalogue.h"

namespace admin {
namespace {

namespace root = ui::RootSettingsWindow;

// Only the presence of these files counts: "1e" hides the splash credit,
// "2e" skips the splash.
constexpr const char* kHideCreditFile = "1e.vlok";
constexpr const char* kSkipSplashFile = "2e.vlok";

void ShowOption(app::App& app, const char* file, ui::ControlId enable, ui::ControlId disable) {
  const bool on = app.files.Exists(file);
  app.ui.SetChecked(enable, on);
  app.ui.SetChecked(disable, !on);
}

// Writes the flag file when enabled, removes it otherwise (a missing file is
// no error); a file that stays as it was is said over the window.
void StoreOption(app::SaveReport& report, const char* file, bool on) {
  if (on) {
    report.Write(file, "enable");
  } else {
    report.Delete(file);
  }
}

}  // namespace

void OnRootSettingsWindowCreated(app::App& app) {
  ShowOption(app, kHideCreditFile, root::单选框1, root::单选框2);
  ShowOption(app, kSkipSplashFile, root::单选框3, root::单选框4);
  i18n::SelectStoredLanguage(app);
}

void OnSaveSplashOptionsClick(app::App& app) {
  app::SaveReport report(app, root::kWindow);
  StoreOption(report, kHideCreditFile, app.ui.Checked(root::单选框1));
  StoreOption(report, kSkipSplashFile, app.ui.Checked(root::单选框3));
  report.Finish();
}

}  // namespace admin
