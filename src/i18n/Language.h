#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/FileStore.h"

namespace i18n {

// The interface languages, in the order of the language combo box. Last
// names the final one: a new language goes before it and Last follows, so
// that every table below grows with it.
enum class Language { Chinese, English, Japanese, Russian, Last = Russian };

inline constexpr std::size_t kLanguageCount = static_cast<std::size_t>(Language::Last) + 1;

constexpr std::size_t IndexOf(Language language) {
  return static_cast<std::size_t>(language);
}

// One value for each interface language, in the order of Language. It is
// built from exactly kLanguageCount values, so a table that lacks a language
// fails to compile instead of leaving an empty entry.
template <typename T>
class PerLanguage {
 public:
  template <typename... Values>
  constexpr PerLanguage(Values&&... values) requires(sizeof...(Values) == kLanguageCount)
      : values_{T(std::forward<Values>(values))...} {}

  constexpr const T& operator[](Language language) const { return values_[IndexOf(language)]; }
  constexpr const std::array<T, kLanguageCount>& All() const { return values_; }

 private:
  std::array<T, kLanguageCount> values_;
};

// The GBK bytes stored in "language.vlok" for a language.
const std::string& LanguageText(Language language);

// The value of "language.vlok" when it matches one of the languages byte for byte;
// nothing for any other content, an empty or a missing file.
std::optional<Language> MatchLanguage(std::string_view stored);

}  // namespace i18n
