#include "i18n/LanguageSetting.h"

#include "core/SettingFile.h"

namespace i18n {
namespace {

constexpr const char* kFile = "language.vlok";

}  // namespace

void LanguageSetting::CreateIfMissing() {
  if (files_.Exists(kFile)) return;
  notCreated_ = !files_.Write(kFile, LanguageText(Language::Chinese));
}

std::string LanguageSetting::Text() const {
  if (files_.Exists(kFile)) return core::ReadSetting(files_, kFile);
  return notCreated_ ? LanguageText(Language::Chinese) : std::string();
}

}  // namespace i18n
