// The draw on the real windows: the result window and the box block the
// draw button, and a double click does not answer for the teacher. The
// draw's rules are tested on the recording layer.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/TestProgram.h"

namespace {

using testing_support::G;
using testing_support::TestProgram;
namespace main_window = ui::MainWindow;
namespace result = ui::DrawResultWindow;

// The program started with a headcount, the form of address "同学" and Chinese,
// showing the draw page. The tick count stays fixed, so every draw's three
// passes are known in advance.
class DrawTest : public ::testing::Test {
 protected:
  void Start(const std::string& headcount, const std::string& reward = "no", uint32_t tick = 1000) {
    p.Write("RS.vlok", headcount);
    p.Write("CH.vlok", G("同学"));
    p.Write("language.vlok", G("中文"));
    if (!reward.empty()) p.Write("ynreward.vlok", reward);
    p.Clock().SetTickCount(tick);
    p.StartPastSplash();
    ASSERT_TRUE(p.ui().Click(main_window::随机选人));
    ASSERT_FALSE(p.ui().OpenMessageBox());
  }

  // A draw that ends in a message box; returns its text after checking that
  // it shows the result label.
  std::string DrawInBox(const std::string& title) {
    EXPECT_TRUE(p.ui().Click(main_window::随机选人开始));
    const auto box = p.ui().OpenMessageBox();
    if (!box) {
      ADD_FAILURE() << "no message box";
      return {};
    }
    EXPECT_EQ(box->title, title);
    EXPECT_EQ(box->owner, ui::WindowId::MainWindow);
    EXPECT_EQ(box->text, p.ui().Text(main_window::标签5));
    EXPECT_FALSE(p.ui().IsOpen(ui::WindowId::DrawResultWindow));
    p.ui().AnswerMessageBox();
    return box->text;
  }
  std::string DrawInBox() { return DrawInBox(G("信息：")); }

  // A draw that opens the result window; returns the window's announcement
  // and leaves the window open.
  std::string DrawToWindow() {
    EXPECT_TRUE(p.ui().Click(main_window::随机选人开始));
    EXPECT_FALSE(p.ui().OpenMessageBox());
    EXPECT_EQ(p.ui().ModalWindow(), ui::WindowId::DrawResultWindow);
    const std::string shown = p.ui().Text(result::标签1);
    EXPECT_EQ(shown, p.ui().Text(main_window::标签5));
    EXPECT_EQ(p.ui().Text(result::标签2), G("是否正确？"));
    return shown;
  }
  void CloseResult() {
    ASSERT_TRUE(p.ui().Click(result::超级按钮3));
    ASSERT_FALSE(p.ui().IsOpen(ui::WindowId::DrawResultWindow));
  }

  // The praise message of one answer button; the result window stays open.
  std::pair<std::string, std::string> Praise(ui::ControlId button) {
    EXPECT_TRUE(p.ui().Click(button));
    const auto box = p.ui().OpenMessageBox();
    if (!box) return {};
    EXPECT_EQ(box->owner, ui::WindowId::DrawResultWindow);
    p.ui().AnswerMessageBox();
    EXPECT_TRUE(p.ui().IsOpen(ui::WindowId::DrawResultWindow));
    return {box->text, box->title};
  }

  TestProgram p;
};

// The result window (or the box) blocks the draw button, so a second click
// neither starts a draw nor opens a second window, and the next draw after
// it is the next one in sequence.
TEST_F(DrawTest, FastRepeatedClicksNeverStackDraws) {
  Start("30", "");
  EXPECT_EQ(DrawToWindow(), G("恭喜12号同学被选中！"));
  EXPECT_FALSE(p.ui().Click(main_window::随机选人开始));
  EXPECT_FALSE(p.ui().Click(main_window::超级按钮18));
  const auto open = p.ui().OpenWindows();
  EXPECT_EQ(std::count(open.begin(), open.end(), ui::WindowId::DrawResultWindow), 1);
  EXPECT_EQ(p.ui().Text(result::标签1), G("恭喜12号同学被选中！"));
  CloseResult();

  p.Write("ynreward.vlok", "no");
  ASSERT_TRUE(p.ui().Click(main_window::随机选人开始));
  EXPECT_FALSE(p.ui().Click(main_window::随机选人开始));
  const auto box = p.ui().OpenMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, G("恭喜21号同学被选中！"));
  p.ui().AnswerMessageBox();
  EXPECT_EQ(DrawInBox(), G("恭喜21号同学被选中！"));
}

// A double click on the draw button: the second click lands on the result
// window that the first one opened, with "正确" under the pointer, before the
// teacher has seen it; it must not praise anyone. A click a moment later does.
TEST_F(DrawTest, DoubleClickOnTheDrawButtonDoesNotAnswerForTheTeacher) {
  Start("30", "");
  ASSERT_TRUE(p.ui().DoubleClick(main_window::随机选人开始));
  EXPECT_EQ(p.ui().ModalWindow(), ui::WindowId::DrawResultWindow);
  EXPECT_FALSE(p.ui().OpenMessageBox());
  EXPECT_EQ(Praise(result::超级按钮1).first, G("12同学：你真棒！"));
  CloseResult();

  // With rewards off the announcement box stays until it is answered.
  p.Write("ynreward.vlok", "no");
  ASSERT_TRUE(p.ui().DoubleClick(main_window::随机选人开始));
  EXPECT_TRUE(p.ui().OpenMessageBox());
  EXPECT_TRUE(p.ui().AnswerMessageBox());
}

}  // namespace
