#include "i18n/Captions.h"

#include <array>
#include <cstddef>

#include "core/Text.h"
#include "i18n/Language.h"
#include "ui/Catalogue.h"
#include "ui/catalogue/Credits.h"

namespace i18n {
namespace {

#define BREVANT_PRODUCT_LINE_TEXT "VLOK Software-Brevant V" BREVANT_VERSION
#define BREVANT_CRLF "\r\n"

// Chinese captions are the catalogue's own; the rows hold the other languages.
static_assert(IndexOf(Language::Chinese) == 0);
constexpr std::size_t kTranslatedLanguages = kLanguageCount - 1;

// One row of the caption table: a caption in each language but Chinese, in
// the order of Language. A row that lacks a language fails to compile. The
// texts are UTF-8 and converted when applied.
struct CaptionRow {
  template <typename... Texts>
  constexpr CaptionRow(ui::ControlId control,
                       Texts... texts) requires(sizeof...(Texts) == kTranslatedLanguages)
      : control(control), texts{texts...} {}

  const char* In(Language language) const { return texts[IndexOf(language) - 1]; }

  ui::ControlId control;
  std::array<const char*, kTranslatedLanguages> texts;
};

namespace mw = ui::MainWindow;

// In the order the rows are applied.
constexpr CaptionRow kCaptions[] = {
    {mw::计分板, "Score", "スコアボード", "Табло"},
    {mw::随机选人, "Randomly" BREVANT_CRLF "Selected", "ランダムに人を選ぶ",
     "Выбирайте" BREVANT_CRLF " людей наугад"},
    {mw::关于, "About", "について", "относительно"},
    {mw::设置, "Setting", "設定", "Настр"},
    {mw::透明标签3, "Score", "スコアボード", "Табло"},
    {mw::透明标签4, "No.1", "No.1", "No.1"},
    {mw::透明标签5, "No.2", "No.2", "No.2"},
    {mw::透明标签6, "No.3", "No.3", "No.3"},
    {mw::透明标签7, "No.4", "No.4", "No.4"},
    {mw::超级按钮4, "Choose", "選ぶ", "выбирать"},
    {mw::超级按钮5, "Choose", "選ぶ", "выбирать"},
    {mw::超级按钮6, "Choose", "選ぶ", "выбирать"},
    {mw::超级按钮7, "Choose", "選ぶ", "выбирать"},
    {mw::超级按钮14, "Save", "セーブ", "Спасать"},
    {mw::超级按钮15, "Zero", "ゼロ", "Нуль"},
    {mw::随机选人开始, "Randomly Selected", "ランダムに人を選ぶ", "Выбирайте людей наугад"},
    {mw::标签6, "Count", "時間", "отсчёт"},
    {mw::透明标签9, "min", "min", "min"},
    {mw::开始倒计时, "Start", "始める", "Начинать"},
    {mw::透明标签1, "About", "について", "относительно"},
    {mw::透明标签10, "Software Programmar: " BREVANT_CREDIT_PROGRAMMER_INTL,
     "開発者: " BREVANT_CREDIT_PROGRAMMER_INTL, "Разработчики: " BREVANT_CREDIT_PROGRAMMER_INTL},
    {mw::透明标签15, "Color Designer: " BREVANT_CREDIT_COLOUR_DESIGN_INTL,
     "カラーマッチしたデザイン: " BREVANT_CREDIT_COLOUR_DESIGN_INTL,
     "Дизайнер подбора цветов: " BREVANT_CREDIT_COLOUR_DESIGN_INTL},
    {mw::透明标签11, "Publisher: VLOK Software", "発行者: VLOK Software",
     "Издатель: VLOK Software"},
    {mw::透明标签12, "FOR FREE!", "無料！", "бесплатно"},
    {mw::透明标签13, BREVANT_PRODUCT_LINE_TEXT, BREVANT_PRODUCT_LINE_TEXT,
     BREVANT_PRODUCT_LINE_TEXT},
    {mw::透明标签14, "Download:" BREVANT_CRLF BREVANT_RELEASES_PAGE_URL,
     "ダウンロード:" BREVANT_CRLF BREVANT_RELEASES_PAGE_URL,
     "Загружать:" BREVANT_CRLF BREVANT_RELEASES_PAGE_URL},
    {mw::透明标签2, "Setting", "設定", "Настр"},
    {mw::分组框2, "Randomly Selected", "ランダムに人を選ぶ", "Выбирайте людей наугад"},
    {mw::人数_标签, "Number:", "数:", "Число:"},
    {mw::人数_标签1, "Call:", "呼び出し:", "звать:"},
    {mw::超级按钮16, "Save", "セーブ", "Спасать"},
    {mw::admin, "Admin_Setting", "管理者設定", "Настройки администратора"},
    {mw::super_user, "Root_Setting", "スーパー管理者設定", "Настройки root"},
};
static_assert(std::size(kCaptions) == 33);

}  // namespace

std::vector<std::pair<ui::ControlId, std::string>> CaptionsOf(Language language) {
  std::vector<std::pair<ui::ControlId, std::string>> captions;
  if (language == Language::Chinese) return captions;
  for (const CaptionRow& row : kCaptions)
    captions.emplace_back(row.control, text::Gbk(row.In(language)));
  return captions;
}

std::string ProductLine() {
  return text::Gbk(BREVANT_PRODUCT_LINE_TEXT);
}

}  // namespace i18n

#undef BREVANT_CRLF
#undef BREVANT_PRODUCT_LINE_TEXT
