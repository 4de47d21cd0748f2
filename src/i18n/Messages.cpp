#include "i18n/Messages.h"

#include "core/FileStore.h"
#include "core/SettingFile.h"
#include "core/Text.h"

namespace i18n {
namespace {

const char* TextIn(const Message& message, Language language) {
  switch (language) {
    case Language::English:
      return message.english;
    case Language::Japanese:
      return message.japanese;
    case Language::Russian:
      return message.russian;
    case Language::Chinese:
      break;
  }
  return message.chinese;
}

}  // namespace

// The literal pieces are converted on their own, so a "{}" is found in the
// UTF-8 text and never inside a double-byte GBK character.
std::string Say(const Message& message, Language language,
                std::initializer_list<std::string_view> args) {
  const std::string_view utf8 = TextIn(message, language);
  std::string out;
  const std::string_view* arg = args.begin();
  std::size_t from = 0;
  for (std::size_t at = utf8.find("{}"); at != std::string_view::npos; at = utf8.find("{}", from)) {
    out += text::Gbk(utf8.substr(from, at - from));
    if (arg != args.end()) out += *arg++;
    from = at + 2;
  }
  out += text::Gbk(utf8.substr(from));
  return out;
}

Language StoredLanguage(const core::FileStore& files) {
  return MatchLanguage(core::ReadSetting(files, "language.vlok")).value_or(Language::Chinese);
}

std::string Say(const core::FileStore& files, const Message& message,
                std::initializer_list<std::string_view> args) {
  return Say(message, StoredLanguage(files), args);
}

}  // namespace i18n
