#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/FileStore.h"

namespace i18n {

// The interface languages, in the order of the language combo box.
enum class Language { Chinese, English, Japanese, Russian };

// The GBK bytes stored in "language.vlok" for a language.
const std::string& LanguageText(Language language);

// The value of "language.vlok" when it matches one of the four byte for byte;
// nothing for any other content, an empty or a missing file.
std::optional<Language> MatchLanguage(std::string_view stored);

}  // namespace i18n
