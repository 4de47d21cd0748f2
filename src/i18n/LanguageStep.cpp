#include "i18n/LanguageStep.h"

#include "app/shared/App.h"
#include "app/shared/SaveReport.h"
#include "i18n/Language.h"
#include "ui/Catalogue.h"

namespace i18n {
namespace {

constexpr Language kComboOrder[] = {Language::Chinese, Language::English, Language::Japanese,
                                    Language::Russian};

}  // namespace

// The file is read anew before each comparison, as the stored value may be
// any text.
void SelectStoredLanguage(app::App& app) {
  for (int position = 0; position < 4; ++position) {
    if (app.language.Text() == LanguageText(kComboOrder[position])) {
      app.ui.SetSelection(ui::RootSettingsWindow::组合框1, position);
    }
  }
}

void OnSaveLanguageClick(app::App& app) {
  const int selection = app.ui.Selection(ui::RootSettingsWindow::组合框1);
  if (selection < 0 || selection > 3) return;
  app::SaveReport save(app, ui::WindowId::RootSettingsWindow);
  save.Write("language.vlok", LanguageText(kComboOrder[selection]));
  save.Finish();
}

}  // namespace i18n
