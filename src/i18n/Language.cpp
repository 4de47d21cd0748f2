#include "i18n/Language.h"

#include <array>

#include "core/Text.h"

namespace i18n {
namespace {

const std::array<std::string, 4>& Texts() {
  static const std::array<std::string, 4> texts = {text::Gbk("中文"), text::Gbk("English"), text::Gbk("日本语"),
                                                   text::Gbk("Русский")};
  return texts;
}

}  // namespace

const std::string& LanguageText(Language language) { return Texts()[static_cast<std::size_t>(language)]; }

std::optional<Language> MatchLanguage(std::string_view stored) {
  for (std::size_t i = 0; i < Texts().size(); ++i) {
    if (stored == Texts()[i]) return static_cast<Language>(i);
  }
  return std::nullopt;
}

}  // namespace i18n
