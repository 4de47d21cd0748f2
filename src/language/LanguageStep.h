#pragma once

namespace app {
struct App;
}

// The steps that choose the interface language and apply it: the texts
// themselves are in i18n.
namespace i18n {

// Replaces the 33 captions of MainWindow by the texts of the stored language;
// for "中文" and any other content the design texts stay.
void ApplyLanguageCaptions(app::App& app);

// The language step of RootSettingsWindow's creation: selects the stored
// language in its combo box 组合框1; without a match the selection stays.
void SelectStoredLanguage(app::App& app);

// RootSettingsWindow's 按钮2: stores the language selected in 组合框1; with no
// selection nothing is written. A file that cannot be written is reported.
void OnSaveLanguageClick(app::App& app);

}  // namespace i18n
