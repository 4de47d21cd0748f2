#pragma once

#include <optional>
#include <string>

#include "core/FileStore.h"
#include "i18n/Language.h"

namespace i18n {

// The language setting as every part of the program reads it. "language.vlok"
// rules whenever it exists: its text up to the first zero byte, matched byte
// for byte. When the start could not create the missing file (a folder the
// program cannot write), the run goes on with the text it would have written,
// "中文", while the disk stays as it is.
class LanguageSetting {
 public:
  explicit LanguageSetting(core::FileStore& files) : files_(files) {}

  // Start work: a missing file is created with "中文"; an existing one is
  // never rewritten. A file that cannot be created is not reported.
  void CreateIfMissing();

  // The setting's text, read now.
  std::string Text() const;
  // The language of that text; nothing for any other text.
  std::optional<Language> Match() const { return MatchLanguage(Text()); }
  // The language the program's own messages speak: Chinese for any other text.
  Language ForMessages() const { return Match().value_or(Language::Chinese); }

 private:
  core::FileStore& files_;
  bool notCreated_ = false;  // the start could not create the missing file
};

}  // namespace i18n
