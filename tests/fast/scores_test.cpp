// The scoreboard: choosing a group, stepping and zeroing its score, saving
// the four scores and loading them once at the next start.
#include "scores/Scores.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/RecordingProgram.h"

namespace {

using testing_support::G;
using testing_support::RecordingProgram;
using Texts = std::vector<std::string>;
namespace mw = ui::MainWindow;

const ui::ControlId kBoxes[] = {mw::编辑框1, mw::编辑框2, mw::编辑框3, mw::编辑框4};

Texts Scores(RecordingProgram& p) {
  Texts out;
  for (ui::ControlId box : kBoxes) out.push_back(p.Text(box));
  return out;
}

TEST(ScoresTest, StepsDoNothingBeforeAGroupIsChosen) {
  RecordingProgram p;
  p.StartPastSplash();
  ASSERT_TRUE(p.Click(mw::超级按钮8));
  ASSERT_TRUE(p.Click(mw::超级按钮15));
  EXPECT_EQ(Scores(p), (Texts{"0", "0", "0", "0"}));
}

TEST(ScoresTest, BoxTextIsReadAsANumber) {
  RecordingProgram p;
  p.StartPastSplash();
  ASSERT_TRUE(p.Click(mw::超级按钮4));
  const std::pair<std::string, std::string> cases[] = {
      {"7.5", "8.5"}, {"abc", "1"}, {"12abc", "13"}, {G("１２"), "13"}, {" -3", "-2"}, {"", "1"}};
  for (const auto& [typed, shown] : cases) {
    ASSERT_TRUE(p.Type(mw::编辑框1, typed));
    ASSERT_TRUE(p.Click(mw::超级按钮8));
    EXPECT_EQ(p.Text(mw::编辑框1), shown) << typed;
  }
}

TEST(ScoresTest, NumbersBeyondADoubleCountAsNoNumber) {
  EXPECT_EQ(scores::SteppedScore("1e999", +1), "1");
  EXPECT_EQ(scores::SteppedScore("-1e400", -5), "-5");
  EXPECT_EQ(scores::SteppedScore("1e308", +10), "1e+308");
  EXPECT_EQ(scores::SteppedScore(G("１２"), -1), "11");
}

TEST(ScoresTest, ZeroWritesZeroWhateverTheBoxHeld) {
  RecordingProgram p;
  p.StartPastSplash();
  ASSERT_TRUE(p.Type(mw::编辑框3, G("很多")));
  ASSERT_TRUE(p.Type(mw::编辑框2, "8"));
  ASSERT_TRUE(p.Click(mw::超级按钮6));
  ASSERT_TRUE(p.Click(mw::超级按钮15));
  EXPECT_EQ(Scores(p), (Texts{"0", "8", "0", "0"}));
}

TEST(ScoresTest, SaveWritesEachBoxAsTyped) {
  RecordingProgram p;
  p.StartPastSplash();
  const Texts typed{"3", "", "-2", "10"};
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(p.Type(kBoxes[i], typed[i]));
  ASSERT_TRUE(p.Click(mw::超级按钮14));
  EXPECT_FALSE(p.TakeMessage());
  for (int i = 0; i < 4; ++i) {
    const std::string name = std::to_string(i + 1) + ".vlok";
    ASSERT_TRUE(p.Has(name));
    EXPECT_EQ(p.Read(name), typed[i]);
  }
}

TEST(ScoresTest, StartLoadsTheSavedScoresOnceAndDeletesThem) {
  RecordingProgram p;
  p.Write("1.vlok", "3");
  p.Write("2.vlok", "");
  p.Write("3.vlok", "-2");
  p.Write("4.vlok", std::string("10\x1A") + "99");
  p.StartPastSplash();
  EXPECT_EQ(Scores(p), (Texts{"3", "", "-2", "10"}));
  for (const char* name : {"1.vlok", "2.vlok", "3.vlok", "4.vlok"}) EXPECT_FALSE(p.Has(name));
}

TEST(ScoresTest, ScoreTextEndsAtAZeroByte) {
  RecordingProgram p;
  p.Write("2.vlok", std::string{'4', '\0', '5'});
  p.StartPastSplash();
  EXPECT_EQ(p.Text(mw::编辑框2), "4");
}

TEST(ScoresTest, OnlyTheThirdFilePresent) {
  RecordingProgram p;
  p.Write("3.vlok", G("二十"));
  p.StartPastSplash();
  EXPECT_EQ(Scores(p), (Texts{"0", "0", G("二十"), "0"}));
  EXPECT_FALSE(p.Has("3.vlok"));
}

TEST(ScoresTest, SaveThatCannotWriteTellsWhichFile) {
  RecordingProgram p;
  p.StartPastSplash();
  std::filesystem::create_directory(p.RunDir() / "2.vlok");
  ASSERT_TRUE(p.Type(mw::编辑框1, "4"));
  ASSERT_TRUE(p.Click(mw::超级按钮14));
  const auto box = p.TakeMessage();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->owner, ui::WindowId::MainWindow);
  EXPECT_EQ(box->title, G("保存失败"));
  EXPECT_NE(box->text.find("2.vlok"), std::string::npos);
  EXPECT_EQ(box->text.find("1.vlok"), std::string::npos);
  EXPECT_EQ(p.Read("1.vlok"), "4");
  EXPECT_EQ(p.Read("4.vlok"), "0");
}

TEST(ScoresTest, WorkTheSameInEnglish) {
  RecordingProgram p;
  p.Write("language.vlok", "English");
  p.StartPastSplash();
  EXPECT_EQ(p.Text(mw::超级按钮6), "Choose");
  ASSERT_TRUE(p.Click(mw::超级按钮6));
  ASSERT_TRUE(p.Click(mw::超级按钮10));
  EXPECT_EQ(Scores(p), (Texts{"0", "0", "10", "0"}));
}

}  // namespace
