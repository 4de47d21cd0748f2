// The stored language: the captions applied at start, the language file
// created when missing, and the language combo box of RootSettingsWindow.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "support/RecordingProgram.h"
#include "ui/catalogue/Credits.h"

namespace {

using testing_support::G;
using testing_support::RecordingProgram;
namespace mw = ui::MainWindow;
namespace root = ui::RootSettingsWindow;

const std::string kJapaneseBytes = "\xC8\xD5\xB1\xBE\xD3\xEF";
const std::string kRussianBytes = "\xA7\xB2\xA7\xE5\xA7\xE3\xA7\xE3\xA7\xDC\xA7\xDA\xA7\xDB";

// The texts of every control of MainWindow, by row.
std::map<uint16_t, std::string> MainTexts(RecordingProgram& p) {
  std::map<uint16_t, std::string> texts;
  const auto& controls = ui::Window(ui::WindowId::MainWindow).controls;
  for (uint16_t i = 0; i < controls.size(); ++i) {
    texts[i] = p.Text(ui::ControlId{ui::WindowId::MainWindow, i});
  }
  return texts;
}

std::map<uint16_t, std::string> StartedTexts(std::string_view language) {
  RecordingProgram p;
  p.Write("language.vlok", language);
  p.StartPastSplash();
  return MainTexts(p);
}

// The rows whose texts differ between two starts.
std::vector<std::string> Changed(const std::map<uint16_t, std::string>& a,
                                 const std::map<uint16_t, std::string>& b) {
  std::vector<std::string> names;
  const auto& controls = ui::Window(ui::WindowId::MainWindow).controls;
  for (const auto& [row, text] : a) {
    if (b.at(row) != text) names.push_back(controls[row].name);
  }
  return names;
}

// Opens RootSettingsWindow through the super-user door.
void OpenRootSettings(RecordingProgram& p) {
  p.Write("root/root.vlok", "");
  ASSERT_TRUE(p.Click(mw::设置));
  ASSERT_TRUE(p.Click(mw::super_user));
  ASSERT_TRUE(p.IsOpen(ui::WindowId::RootSettingsWindow));
}

TEST(LanguageTest, StoredValueBytes) {
  EXPECT_EQ(G("日本语"), kJapaneseBytes);
  EXPECT_EQ(G("Русский"), kRussianBytes);
}

// Every language changes the same 32 controls from the design texts; the
// 33rd row, the product line, reads the same in all of them.
TEST(LanguageTest, EachTableChangesTheSameControls) {
  const auto chinese = StartedTexts(G("中文"));
  const std::vector<std::string> expected = {
      "计分板",     "随机选人",   "关于",       "设置",         "透明标签3",  "透明标签4",
      "透明标签5",  "透明标签6",  "透明标签7",  "超级按钮4",    "超级按钮5",  "超级按钮6",
      "超级按钮7",  "超级按钮15", "超级按钮14", "随机选人开始", "标签6",      "透明标签9",
      "开始倒计时", "透明标签1",  "透明标签10", "透明标签15",   "透明标签11", "透明标签12",
      "透明标签14", "透明标签2",  "分组框2",    "人数_标签",    "人数_标签1", "超级按钮16",
      "admin",      "super_user"};
  std::vector<std::string> sortedExpected = expected;
  std::sort(sortedExpected.begin(), sortedExpected.end());
  for (const std::string& language : {std::string("English"), kJapaneseBytes, kRussianBytes}) {
    const auto translated = StartedTexts(language);
    auto changed = Changed(chinese, translated);
    std::sort(changed.begin(), changed.end());
    EXPECT_EQ(changed, sortedExpected);
    // No character of a caption is lost in the conversion to GBK.
    for (const auto& [row, text] : translated) EXPECT_EQ(text.find('?'), std::string::npos) << text;
  }
}

TEST(LanguageTest, EnglishCaptions) {
  RecordingProgram p;
  p.Write("language.vlok", "English");
  p.StartPastSplash();
  EXPECT_EQ(p.Text(mw::随机选人), "Randomly\r\nSelected");
  EXPECT_EQ(p.Text(mw::透明标签4), "No.1");
  EXPECT_EQ(p.Text(mw::透明标签7), "No.4");
  EXPECT_EQ(p.Text(mw::透明标签9), "min");
  EXPECT_EQ(p.Text(mw::标签6), "Count");
  EXPECT_EQ(p.Text(mw::透明标签10), G("Software Programmar: " BREVANT_CREDIT_PROGRAMMER_INTL));
  EXPECT_EQ(p.Text(mw::透明标签11), "Publisher: VLOK Software");
  EXPECT_EQ(p.Text(mw::透明标签13), "VLOK Software-Brevant V" BREVANT_VERSION);
  EXPECT_EQ(p.Text(mw::透明标签14), "Download:\r\n" BREVANT_RELEASES_PAGE_URL);
  EXPECT_EQ(p.Text(mw::super_user), "Root_Setting");
  // Page titles, other windows and message boxes keep their Chinese texts.
  EXPECT_EQ(p.Read("language.vlok"), "English");
}

TEST(LanguageTest, RussianCaptions) {
  RecordingProgram p;
  p.Write("language.vlok", kRussianBytes);
  p.StartPastSplash();
  EXPECT_EQ(p.Text(mw::随机选人), G("Выбирайте\r\n людей наугад"));
  EXPECT_EQ(p.Text(mw::随机选人开始), G("Выбирайте людей наугад"));
  EXPECT_EQ(p.Text(mw::标签6), G("отсчёт"));
  EXPECT_EQ(p.Text(mw::透明标签6), "No.3");
  EXPECT_EQ(p.Text(mw::透明标签9), "min");
  EXPECT_EQ(p.Text(mw::透明标签15),
            G("Дизайнер подбора цветов: " BREVANT_CREDIT_COLOUR_DESIGN_INTL));
  EXPECT_EQ(p.Text(mw::admin), G("Настройки администратора"));
}

TEST(LanguageTest, AnythingButAnExactValueKeepsChinese) {
  const auto chinese = StartedTexts(G("中文"));
  for (const std::string stored : {"English\r\n", "english", " English", "", "Eng"}) {
    RecordingProgram p;
    p.Write("language.vlok", stored);
    p.StartPastSplash();
    EXPECT_EQ(MainTexts(p), chinese) << stored;
    // An existing file is never rewritten at start.
    EXPECT_EQ(p.Read("language.vlok"), stored);
  }
}

TEST(LanguageTest, RootSettingsSelectsTheStoredLanguage) {
  const std::pair<std::string, int> cases[] = {
      {G("中文"), 0}, {"English", 1}, {kJapaneseBytes, 2}, {kRussianBytes, 3}, {"English\r\n", -1}};
  for (const auto& [stored, selection] : cases) {
    RecordingProgram p;
    p.Write("language.vlok", stored);
    p.StartPastSplash();
    OpenRootSettings(p);
    EXPECT_EQ(p.Selection(root::组合框1), selection) << stored;
  }
}

TEST(LanguageTest, SaveWritesTheChosenValueForTheNextStart) {
  RecordingProgram p;
  p.StartPastSplash();
  OpenRootSettings(p);
  ASSERT_TRUE(p.ChooseItem(root::组合框1, 2));
  ASSERT_TRUE(p.Click(root::按钮2));
  EXPECT_FALSE(p.TakeMessage());
  EXPECT_EQ(p.Read("language.vlok"), kJapaneseBytes);
  // The captions change only at the next start.
  EXPECT_EQ(p.Text(mw::计分板), G("计分板"));

  ASSERT_TRUE(p.ChooseItem(root::组合框1, 3));
  ASSERT_TRUE(p.Click(root::按钮2));
  EXPECT_EQ(p.Read("language.vlok"), kRussianBytes);
  ASSERT_TRUE(p.ChooseItem(root::组合框1, 0));
  ASSERT_TRUE(p.Click(root::按钮2));
  EXPECT_EQ(p.Read("language.vlok"), G("中文"));
}

TEST(LanguageTest, SaveWithoutSelectionWritesNothing) {
  RecordingProgram p;
  p.Write("language.vlok", "english");
  p.StartPastSplash();
  OpenRootSettings(p);
  ASSERT_EQ(p.Selection(root::组合框1), -1);
  ASSERT_TRUE(p.Click(root::按钮2));
  EXPECT_EQ(p.Read("language.vlok"), "english");
}

TEST(LanguageTest, SaveThatCannotWriteTellsWhichFile) {
  RecordingProgram p;
  p.StartPastSplash();
  OpenRootSettings(p);
  p.Remove("language.vlok");
  std::filesystem::create_directory(p.RunDir() / "language.vlok");
  ASSERT_TRUE(p.ChooseItem(root::组合框1, 1));
  ASSERT_TRUE(p.Click(root::按钮2));
  const auto box = p.TakeMessage();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->owner, ui::WindowId::RootSettingsWindow);
  EXPECT_EQ(box->title, G("保存失败"));
  EXPECT_NE(box->text.find("language.vlok"), std::string::npos);
}

// The About page sends the teacher to a page a browser opens, on the
// updater's host but not its folder of files; the splash names the same
// people as the About page.
TEST(LanguageTest, CreditsNameTheMakerAlikeAndLinkTheReleasesPage) {
  const std::string base = BREVANT_UPDATE_BASE_URL;
  const std::string host = base.substr(0, base.find('/', base.find("://") + 3));
  RecordingProgram p;
  p.Start();
  ASSERT_TRUE(p.IsOpen(ui::WindowId::SplashWindow));
  const std::string splash = p.Text(ui::SplashWindow::透明标签1);
  ASSERT_TRUE(p.FireTimer(ui::SplashWindow::时钟1));

  const std::string download = p.Text(mw::透明标签14);
  const std::string address = download.substr(download.rfind('\n') + 1);
  EXPECT_EQ(address, host + "/releases/");
  EXPECT_NE(address, base);

  auto after = [](const std::string& text, const std::string& prefix) {
    return text.rfind(prefix, 0) == 0 ? text.substr(prefix.size()) : "(" + text + ")";
  };
  const std::string programmer = after(p.Text(mw::透明标签10), G("软件设计："));
  const std::string colours = after(p.Text(mw::透明标签15), G("配色设计："));
  EXPECT_EQ(splash, G("制作者：") + programmer + "\r\n\r\n" + G("配色设计：") + colours);
}

// The messages the program adds of its own speak the stored language, read
// at the moment they are shown; an unknown setting gives Chinese.
TEST(LanguageTest, OwnMessagesSpeakTheStoredLanguage) {
  RecordingProgram p;
  p.Write("language.vlok", "English");
  p.Write("RS.vlok", "0");
  p.Write("CH.vlok", "");
  p.StartPastSplash();
  ASSERT_TRUE(p.Click(mw::随机选人));
  ASSERT_TRUE(p.Click(mw::随机选人开始));
  auto box = p.TakeMessage();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text,
            "The number of students must be at least 1. Please set it on the Setting page.");
  EXPECT_EQ(p.Text(mw::标签5), box->text);

  // A failed save, in Russian: the title, the file and the reason.
  p.Write("language.vlok", kRussianBytes);
  p.Remove("CH.vlok");
  std::filesystem::create_directory(p.RunDir() / "CH.vlok");
  ASSERT_TRUE(p.Click(mw::设置));
  ASSERT_TRUE(p.Click(mw::超级按钮16));
  box = p.TakeMessage();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, G("Ошибка сохранения"));
  EXPECT_EQ(box->text, G("Не удалось сохранить файл CH.vlok: уже есть папка с таким именем."));

  p.Write("language.vlok", "english");
  ASSERT_TRUE(p.Click(mw::超级按钮16));
  box = p.TakeMessage();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, G("无法保存文件 CH.vlok：已有同名的文件夹。"));
}

}  // namespace
