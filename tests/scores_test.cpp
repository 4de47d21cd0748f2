// The scoreboard: choosing a group, stepping and zeroing its score, saving
// the four scores and loading them once at the next start.
#include <gtest/gtest.h>

#include <filesystem>

#include "scores/Scores.h"
#include "support/TestProgram.h"

namespace {

using testing_support::G;
using testing_support::TestProgram;
namespace mw = ui::MainWindow;

const ui::ControlId kBoxes[] = {mw::编辑框1, mw::编辑框2, mw::编辑框3, mw::编辑框4};

std::vector<std::string> Scores(TestProgram& p) {
  std::vector<std::string> out;
  for (ui::ControlId box : kBoxes) out.push_back(p.ui().Text(box));
  return out;
}

using Texts = std::vector<std::string>;

TEST(ScoresTest, StepsDoNothingBeforeAGroupIsChosen) {
  TestProgram p;
  p.StartPastSplash();
  ASSERT_TRUE(p.ui().Click(mw::超级按钮8));
  ASSERT_TRUE(p.ui().Click(mw::超级按钮15));
  EXPECT_EQ(Scores(p), (Texts{"0", "0", "0", "0"}));
}

TEST(ScoresTest, StepsActOnTheChosenGroupOnly) {
  TestProgram p;
  p.StartPastSplash();
  ASSERT_TRUE(p.ui().Click(mw::超级按钮5));  // row 2
  ASSERT_TRUE(p.ui().Click(mw::超级按钮9));  // +5
  EXPECT_EQ(Scores(p), (Texts{"0", "5", "0", "0"}));
  ASSERT_TRUE(p.ui().Click(mw::超级按钮13));  // -10
  EXPECT_EQ(Scores(p), (Texts{"0", "-5", "0", "0"}));

  // Each of the six step buttons, on row 4.
  ASSERT_TRUE(p.ui().Click(mw::超级按钮7));
  const std::pair<ui::ControlId, const char*> steps[] = {
      {mw::超级按钮8, "1"},   {mw::超级按钮9, "6"},   {mw::超级按钮10, "16"},
      {mw::超级按钮11, "15"}, {mw::超级按钮12, "10"}, {mw::超级按钮13, "0"}};
  for (auto [button, expected] : steps) {
    ASSERT_TRUE(p.ui().Click(button));
    EXPECT_EQ(p.ui().Text(mw::编辑框4), expected);
  }
  EXPECT_EQ(Scores(p), (Texts{"0", "-5", "0", "0"}));
}

TEST(ScoresTest, BoxTextIsReadAsANumber) {
  TestProgram p;
  p.StartPastSplash();
  ASSERT_TRUE(p.ui().Click(mw::超级按钮4));
  const std::pair<std::string, std::string> cases[] = {
      {"7.5", "8.5"}, {"abc", "1"}, {"12abc", "13"}, {G("１２"), "13"}, {" -3", "-2"}, {"", "1"}};
  for (const auto& [typed, shown] : cases) {
    ASSERT_TRUE(p.ui().Type(mw::编辑框1, typed));
    ASSERT_TRUE(p.ui().Click(mw::超级按钮8));
    EXPECT_EQ(p.ui().Text(mw::编辑框1), shown) << typed;
  }
}

TEST(ScoresTest, NumbersBeyondADoubleCountAsNoNumber) {
  EXPECT_EQ(scores::SteppedScore("1e999", +1), "1");
  EXPECT_EQ(scores::SteppedScore("-1e400", -5), "-5");
  EXPECT_EQ(scores::SteppedScore("1e308", +10), "1e+308");
  EXPECT_EQ(scores::SteppedScore(G("１２"), -1), "11");
}

TEST(ScoresTest, ZeroWritesZeroWhateverTheBoxHeld) {
  TestProgram p;
  p.StartPastSplash();
  ASSERT_TRUE(p.ui().Type(mw::编辑框3, G("很多")));
  ASSERT_TRUE(p.ui().Type(mw::编辑框2, "8"));
  ASSERT_TRUE(p.ui().Click(mw::超级按钮6));
  ASSERT_TRUE(p.ui().Click(mw::超级按钮15));
  EXPECT_EQ(Scores(p), (Texts{"0", "8", "0", "0"}));
}

TEST(ScoresTest, SaveWritesEachBoxAsTyped) {
  TestProgram p;
  p.StartPastSplash();
  const Texts typed{"3", "", "-2", "10"};
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(p.ui().Type(kBoxes[i], typed[i]));
  ASSERT_TRUE(p.ui().Click(mw::超级按钮14));
  EXPECT_FALSE(p.ui().OpenMessageBox());
  for (int i = 0; i < 4; ++i) {
    const std::string name = std::to_string(i + 1) + ".vlok";
    ASSERT_TRUE(p.Has(name));
    EXPECT_EQ(p.Read(name), typed[i]);
  }
}

TEST(ScoresTest, StartLoadsTheSavedScoresOnceAndDeletesThem) {
  TestProgram p;
  p.Write("1.vlok", "3");
  p.Write("2.vlok", "");
  p.Write("3.vlok", "-2");
  p.Write("4.vlok", std::string("10\x1A"
                                "99",
                                5));
  p.StartPastSplash();
  EXPECT_EQ(Scores(p), (Texts{"3", "", "-2", "10"}));
  for (const char* name : {"1.vlok", "2.vlok", "3.vlok", "4.vlok"}) EXPECT_FALSE(p.Has(name));
}

TEST(ScoresTest, ScoreTextEndsAtAZeroByte) {
  TestProgram p;
  p.Write("2.vlok", std::string("4\0"
                                "5",
                                3));
  p.StartPastSplash();
  EXPECT_EQ(p.ui().Text(mw::编辑框2), "4");
}

TEST(ScoresTest, OnlyTheThirdFilePresent) {
  TestProgram p;
  p.Write("3.vlok", G("二十"));
  p.StartPastSplash();
  EXPECT_EQ(Scores(p), (Texts{"0", "0", G("二十"), "0"}));
  EXPECT_FALSE(p.Has("3.vlok"));
}

TEST(ScoresTest, SaveThatCannotWriteTellsWhichFile) {
  TestProgram p;
  p.StartPastSplash();
  std::filesystem::create_directory(p.RunDir() / "2.vlok");
  ASSERT_TRUE(p.ui().Type(mw::编辑框1, "4"));
  ASSERT_TRUE(p.ui().Click(mw::超级按钮14));
  const auto box = p.ui().OpenMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->owner, ui::WindowId::MainWindow);
  EXPECT_EQ(box->title, G("保存失败"));
  EXPECT_NE(box->text.find("2.vlok"), std::string::npos);
  EXPECT_EQ(box->text.find("1.vlok"), std::string::npos);
  p.ui().AnswerMessageBox();
  EXPECT_EQ(p.Read("1.vlok"), "4");
  EXPECT_EQ(p.Read("4.vlok"), "0");
}

TEST(ScoresTest, WorkTheSameInEnglish) {
  TestProgram p;
  p.Write("language.vlok", "English");
  p.StartPastSplash();
  EXPECT_EQ(p.ui().Text(mw::超级按钮6), "Choose");
  ASSERT_TRUE(p.ui().Click(mw::超级按钮6));
  ASSERT_TRUE(p.ui().Click(mw::超级按钮10));
  EXPECT_EQ(Scores(p), (Texts{"0", "0", "10", "0"}));
}

}  // namespace
