#include "language/LanguageStep.h"

#include <cstddef>
#include <string_view>

#include "app/shared/App.h"
#include "app/shared/SaveReport.h"
#include "i18n/Captions.h"
#include "i18n/Language.h"
#include "ui/Catalogue.h"

namespace i18n {
namespace {

constexpr std::size_t ItemCount(const char* items) {
  std::size_t count = 1;
  for (; *items; ++items) count += *items == '\n';
  return count;
}

constexpr std::size_t LanguageComboItems() {
  for (const ui::ControlSpec& control : ui::catalogue::kRootSettingsWindowControls) {
    if (std::string_view(control.name) == "组合框1") return ItemCount(control.items);
  }
  return 0;
}

// The combo box lists the languages in the order of Language, so a position
// in it is a language's index.
static_assert(LanguageComboItems() == kLanguageCount);

void ApplyTable(app::App& app, Language language) {
  for (const auto& [control, caption] : CaptionsOf(language)) app.ui.SetText(control, caption);
}

bool StoredLanguageIs(app::App& app, Language language) {
  return app.language.Text() == LanguageText(language);
}

}  // namespace

// The file is read anew for each comparison; at most one table matches.
void ApplyLanguageCaptions(app::App& app) {
  for (std::size_t i = IndexOf(Language::Chinese) + 1; i < kLanguageCount; ++i) {
    const auto language = static_cast<Language>(i);
    if (StoredLanguageIs(app, language)) ApplyTable(app, language);
  }
}

// The file is read anew before each comparison, as the stored value may be
// any text.
void SelectStoredLanguage(app::App& app) {
  for (std::size_t position = 0; position < kLanguageCount; ++position) {
    if (app.language.Text() == LanguageText(static_cast<Language>(position))) {
      app.ui.SetSelection(ui::RootSettingsWindow::组合框1, static_cast<int>(position));
    }
  }
}

void OnSaveLanguageClick(app::App& app) {
  const int selection = app.ui.Selection(ui::RootSettingsWindow::组合框1);
  if (selection < 0 || static_cast<std::size_t>(selection) >= kLanguageCount) return;
  app::SaveReport save(app, ui::WindowId::RootSettingsWindow);
  save.Write("language.vlok", LanguageText(static_cast<Language>(selection)));
  save.Finish();
}

}  // namespace i18n
