#include "draw/Announcement.h"

#include <initializer_list>

#include "core/Text.h"

namespace draw {
namespace {

using i18n::Language;

std::string Join(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (const std::string_view part : parts) out += part;
  return out;
}

}  // namespace

std::string NumberAnnouncement(Language language, std::string_view n, std::string_view t) {
  static const std::string kZhBefore = text::Gbk("恭喜"), kZhNumber = text::Gbk("号"),
                           kZhAfter = text::Gbk("被选中！");
  static const std::string kEnBefore = "Congratulations to No. ", kEnAfter = " for being selected";
  static const std::string kJaBefore = text::Gbk("おめでとう番号"), kJaNumber = text::Gbk("番"),
                           kJaAfter = text::Gbk("が選ばれました");
  static const std::string kRuBefore = text::Gbk("Поздравляем"), kRuNumber = text::Gbk("Нет"),
                           kRuAfter = text::Gbk("выбрано");
  switch (language) {
    case Language::Chinese:
      return Join({kZhBefore, n, kZhNumber, t, kZhAfter});
    case Language::English:
      return Join({kEnBefore, t, n, kEnAfter});
    case Language::Japanese:
      return Join({kJaBefore, n, kJaNumber, t, kJaAfter});
    case Language::Russian:
      return Join({kRuBefore, n, kRuNumber, t, kRuAfter});
  }
  return {};
}

std::string NameAnnouncement(Language language, std::string_view name, std::string_view t) {
  static const std::string kZhBefore = text::Gbk("恭喜"), kZhAfter = text::Gbk("被选中！");
  static const std::string kEnBefore = "Congratulations to ", kEnAfter = " for being selected";
  static const std::string kJaBefore = text::Gbk("おめでとう"),
                           kJaAfter = text::Gbk("が選ばれました");
  static const std::string kRuBefore = text::Gbk("Поздравляем"), kRuAfter = text::Gbk("выбрано");
  switch (language) {
    case Language::Chinese:
      return Join({kZhBefore, name, t, kZhAfter});
    case Language::English:
      return Join({kEnBefore, t, name, kEnAfter});
    case Language::Japanese:
      return Join({kJaBefore, name, t, kJaAfter});
    case Language::Russian:
      return Join({kRuBefore, name, t, kRuAfter});
  }
  return {};
}

}  // namespace draw
