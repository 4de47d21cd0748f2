// The program's own messages in the four interface languages.
#include "i18n/Messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

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

// Each language gets its own text, known word for word here; every message
// reads back from GBK as one of its four texts in each language, each text
// once (no character is lost to "?"), and takes the same number of arguments
// in all of them.
TEST(MessagesTest, EveryMessageSurvivesGbkInEveryLanguage) {
  const char* const saveFailed[] = {"保存失败", "Save failed", "保存に失敗しました",
                                    "Ошибка сохранения"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(core::GbkToUtf8(i18n::Say(i18n::msg::kSaveFailedTitle, kLanguages[i])),
              saveFailed[i]);
  }
  auto withoutPlaces = [](std::string text) {
    std::erase(text, '{');
    std::erase(text, '}');
    return text;
  };
  for (const i18n::Message* message : i18n::msg::kAllMessages) {
    std::vector<std::string> texts, said;
    for (const char* text : message->All()) {
      EXPECT_EQ(Placeholders(text), Placeholders((*message)[Language::Chinese])) << text;
      texts.push_back(withoutPlaces(text));
    }
    for (Language language : kLanguages)
      said.push_back(core::GbkToUtf8(i18n::Say(*message, language)));
    std::sort(texts.begin(), texts.end());
    std::sort(said.begin(), said.end());
    EXPECT_EQ(said, texts) << (*message)[Language::Chinese];
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
