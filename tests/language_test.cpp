// The captions of a language on the real windows, characters beyond GB2312
// included; the language's rules are tested on the recording layer.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/TestProgram.h"

namespace {

using testing_support::G;
using testing_support::TestProgram;
namespace mw = ui::MainWindow;

const std::string kJapaneseBytes = "\xC8\xD5\xB1\xBE\xD3\xEF";
const std::string kRussianBytes = "\xA7\xB2\xA7\xE5\xA7\xE3\xA7\xE3\xA7\xDC\xA7\xDA\xA7\xDB";

TEST(LanguageTest, JapaneseCaptions) {
  TestProgram p;
  p.Write("language.vlok", kJapaneseBytes);
  p.StartPastSplash();
  EXPECT_EQ(p.ui().Text(mw::计分板), G("スコアボード"));
  EXPECT_EQ(p.ui().Text(mw::设置), "\xD4\x4F\xB6\xA8");  // 設定
  EXPECT_EQ(p.ui().Text(mw::透明标签5), "No.2");
  EXPECT_EQ(p.ui().Text(mw::透明标签9), "min");
  EXPECT_EQ(p.ui().Text(mw::透明标签12), G("無料！"));
  EXPECT_EQ(p.ui().Text(mw::透明标签14), G("ダウンロード:\r\n" BREVANT_RELEASES_PAGE_URL));
  EXPECT_EQ(p.ui().Text(mw::super_user), G("スーパー管理者設定"));
}

// Pictures of the main window in each language, for looking at.
TEST(LanguageTest, Snapshots) {
  const char* dir = std::getenv("BREVANT_SNAPSHOT_DIR");
  const std::string out = dir ? dir : ::testing::TempDir();
  const std::pair<std::string, const char*> languages[] = {
      {G("中文"), "zh"}, {"English", "en"}, {kJapaneseBytes, "ja"}, {kRussianBytes, "ru"}};
  for (const auto& [stored, tag] : languages) {
    TestProgram p;
    p.Write("language.vlok", stored);
    p.Write("RS.vlok", "30");
    p.Write("CH.vlok", G("同学"));
    p.StartPastSplash();
    ASSERT_TRUE(p.ui().FireTimer(mw::时钟1));
    const std::pair<ui::ControlId, const char*> pages[] = {{mw::计分板, "scores"},
                                                           {mw::随机选人, "draw"},
                                                           {mw::关于, "about"},
                                                           {mw::设置, "settings"}};
    for (auto [button, page] : pages) {
      ASSERT_TRUE(p.ui().Click(button));
      EXPECT_TRUE(p.ui().Snapshot(ui::WindowId::MainWindow,
                                  out + "/MainWindow-" + tag + "-" + page + ".png"));
    }
  }
}

}  // namespace
