#pragma once

namespace app {
struct App;
}

namespace i18n {

// The language step of RootSettingsWindow's creation: selects the stored
// language in its combo box 组合框1; without a match the selection stays.
void SelectStoredLanguage(app::App& app);

// RootSettingsWindow's 按钮2: stores the language selected in 组合框1; with no
// selection nothing is written. A file that cannot be written is reported.
void OnSaveLanguageClick(app::App& app);

}  // namespace i18n
