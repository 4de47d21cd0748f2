// The scoreboard's buttons on the real windows; the rest of the scoreboard
// is tested on the recording layer (fast/scores_test.cpp).
#include <gtest/gtest.h>

#include "support/TestProgram.h"

namespace {

using testing_support::TestProgram;
namespace mw = ui::MainWindow;

const ui::ControlId kBoxes[] = {mw::编辑框1, mw::编辑框2, mw::编辑框3, mw::编辑框4};

std::vector<std::string> Scores(TestProgram& p) {
  std::vector<std::string> out;
  for (ui::ControlId box : kBoxes) out.push_back(p.ui().Text(box));
  return out;
}

using Texts = std::vector<std::string>;

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

}  // namespace
