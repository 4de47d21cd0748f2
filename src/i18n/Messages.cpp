#include "i18n/Messages.h"

#include "core/Text.h"
#include "i18n/LanguageSetting.h"

namespace i18n {

// The literal pieces are converted on their own, so a "{}" is found in the
// UTF-8 text and never inside a double-byte GBK character.
std::string Say(const Message& message, Language language,
                std::initializer_list<std::string_view> args) {
  const std::string_view utf8 = message[language];
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

std::string Say(const LanguageSetting& setting, const Message& message,
                std::initializer_list<std::string_view> args) {
  return Say(message, setting.ForMessages(), args);
}

}  // namespace i18n
