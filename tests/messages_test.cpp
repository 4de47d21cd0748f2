// The program's own messages in the four interface languages.
#include "i18n/Messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "core/Gbk.h"

namespace {

using i18n::Language;

constexpr Language kLanguages[] = {Language::Chinese, Language::English, Language::Japanese,
                                   Language::Russian};

std::size_t Placeholders(std::string_view utf8) {
  std::size_t n = 0;
  for (auto at = utf8.find("{}"); at != std::string_view::npos; at = utf8.find("{}", at + 2)) ++n;
  return n;
}

// Every message reads back unchanged from GBK in every language (no character
// is lost to "?"), and takes the same number of arguments in all of them.
TEST(MessagesTest, EveryMessageSurvivesGbkInEveryLanguage) {
  for (const i18n::Message* message : i18n::msg::kAllMessages) {
    const std::size_t args = Placeholders(message->chinese);
    for (Language language : kLanguages) {
      const std::string gbk = i18n::Say(*message, language);
      const std::string back = core::GbkToUtf8(gbk);
      std::string expected = language == Language::Chinese    ? message->chinese
                             : language == Language::English  ? message->english
                             : language == Language::Japanese ? message->japanese
                                                              : message->russian;
      EXPECT_EQ(Placeholders(expected), args) << message->chinese;
      expected.erase(std::remove(expected.begin(), expected.end(), '{'), expected.end());
      expected.erase(std::remove(expected.begin(), expected.end(), '}'), expected.end());
      EXPECT_EQ(back, expected) << "language " << static_cast<int>(language);
      // No "?" beyond those the text itself shows.
      EXPECT_EQ(std::count(gbk.begin(), gbk.end(), '?'), std::count(expected.begin(), expected.end(), '?')) << back;
    }
  }
}

// Arguments are GBK and go in whole, in order, even when their bytes look like
// "{}"; a missing argument leaves its place empty.
TEST(MessagesTest, ArgumentsGoInWholeAndInOrder) {
  const i18n::Message twoPlaces{"文件{}：{}", "file {}: {}", "ファイル{}：{}", "файл {}: {}"};
  const std::string name = core::Utf8ToGbk("名单{}.txt");
  EXPECT_EQ(i18n::Say(twoPlaces, Language::English, {name, "x"}), "file " + name + ": x");
  EXPECT_EQ(core::GbkToUtf8(i18n::Say(twoPlaces, Language::Chinese, {name, "x"})),
            "文件名单{}.txt：x");
  EXPECT_EQ(i18n::Say(twoPlaces, Language::English, {name}), "file " + name + ": ");
}

}  // namespace
