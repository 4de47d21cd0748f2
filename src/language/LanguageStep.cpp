#include "language/LanguageStep.h"

#include "app/shared/App.h"
#include "app/shared/SaveReport.h"
#include "i18n/Captions.h"
#include "i18n/Language.h"
#include "ui/Catalogue.h"

namespace i18n {
namespace {

constexpr Language kComboOrder[] = {Language::Chinese, Language::English, Language::Japanese,
                                    Language::Russian};

void ApplyTable(app::App& app, Language language) {
  for (const auto& [control, caption] : CaptionsOf(language)) app.ui.SetText(control, caption);
}

bool StoredLanguageIs(app::App& app, Language language) {
  return app.language.Text() == LanguageText(language);
}

}  // namespace

// The file is read anew for each comparison; at most one table matches.
void ApplyLanguageCaptions(app::App& app) {
  if (StoredLanguageIs(app, Language::English)) ApplyTable(app, Language::English);
  if (StoredLanguageIs(app, Language::Japanese)) ApplyTable(app, Language::Japanese);
  if (StoredLanguageIs(app, Language::Russian)) ApplyTable(app, Language::Russian);
}

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
