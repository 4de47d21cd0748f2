#pragma once

#include <string>

namespace app {
struct App;
}

namespace i18n {

// The product line of the About page: "VLOK Software-Brevant V" and the
// program's version (GBK).
std::string ProductLine();

// Start work: a missing "language.vlok" is created with "中文"; an existing
// one is never rewritten. Failures are silent.
void CreateLanguageFileIfMissing(app::App& app);

// Replaces the 33 captions of MainWindow by the texts of the stored language;
// for "中文" and any other content the design texts stay.
void ApplyLanguageCaptions(app::App& app);

}  // namespace i18n
