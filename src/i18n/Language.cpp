#include "i18n/Language.h"

#include "core/Text.h"

namespace i18n {
namespace {

const PerLanguage<std::string>& Texts() {
  static const PerLanguage<std::string> texts{text::Gbk("中文"), text::Gbk("English"),
                                              text::Gbk("日本语"), text::Gbk("Русский")};
  return texts;
}

}  // namespace

const std::string& LanguageText(Language language) {
  return Texts()[language];
}

std::optional<Language> MatchLanguage(std::string_view stored) {
  for (std::size_t i = 0; i < kLanguageCount; ++i) {
    if (stored == Texts().All()[i]) return static_cast<Language>(i);
  }
  return std::nullopt;
}

}  // namespace i18n
