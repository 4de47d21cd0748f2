// The countdown on the real windows: the end window is modal over the main
// window. Its arithmetic is tested on the recording layer.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/TestProgram.h"

namespace {

using testing_support::G;
using testing_support::TestProgram;
namespace mw = ui::MainWindow;

// A program on the draw page, ready to count.
class CountdownTest : public ::testing::Test {
 protected:
  void SetUp() override {
    p.Write("RS.vlok", "30");
    p.Write("CH.vlok", G("同学"));
    p.StartPastSplash();
    ASSERT_TRUE(p.ui().Click(mw::随机选人));
    ASSERT_FALSE(p.ui().OpenMessageBox());
  }

  void StartWith(std::string_view minutes) {
    ASSERT_TRUE(p.ui().Type(mw::倒计时待转换框, minutes));
    ASSERT_TRUE(p.ui().Click(mw::开始倒计时));
  }

  std::string Shown() { return p.ui().Text(mw::具体倒计时); }

  TestProgram p;
};

TEST_F(CountdownTest, OneMinuteCountsDownAndEndsWithTheNotice) {
  EXPECT_FALSE(p.ui().IsShown(mw::具体倒计时1));
  StartWith("1");
  EXPECT_TRUE(p.ui().IsShown(mw::具体倒计时1));
  EXPECT_EQ(p.ui().Interval(mw::时钟2), 1000);
  // Nothing changes until the first tick.
  EXPECT_EQ(Shown(), G("具体倒计时"));

  for (int left = 59; left >= 1; --left) {
    ASSERT_TRUE(p.ui().FireTimer(mw::时钟2));
    const std::string expected =
        G(left < 10 ? "00小时00分钟0" : "00小时00分钟") + std::to_string(left) + G("秒");
    ASSERT_EQ(Shown(), expected) << left;
    ASSERT_EQ(p.ui().Text(mw::具体倒计时1), expected);
  }

  // The last tick is still in its handler, waiting for the end window.
  p.ui().FireTimer(mw::时钟2);
  ASSERT_EQ(p.ui().ModalWindow(), ui::WindowId::CountdownDoneWindow);
  EXPECT_EQ(p.ui().Interval(mw::时钟2), 0);
  EXPECT_EQ(Shown(), G("等待"));
  EXPECT_TRUE(p.ui().IsShown(mw::具体倒计时1));
  EXPECT_EQ(p.ui().Text(mw::具体倒计时1), G("00小时00分钟01秒"));
  EXPECT_EQ(p.ui().Text(ui::CountdownDoneWindow::透明标签1), G("INFO SUCCESS，倒计时结束"));
  // The main window takes no input meanwhile.
  EXPECT_FALSE(p.ui().Click(mw::开始倒计时));

  ASSERT_TRUE(p.ui().Click(ui::CountdownDoneWindow::我知道了));
  EXPECT_FALSE(p.ui().IsOpen(ui::WindowId::CountdownDoneWindow));
  EXPECT_FALSE(p.ui().IsShown(mw::具体倒计时1));
  EXPECT_EQ(Shown(), G("00小时00分钟00秒"));
  EXPECT_EQ(p.ui().Text(mw::具体倒计时1), G("00小时00分钟00秒"));
  EXPECT_FALSE(p.ui().FireTimer(mw::时钟2));
}

}  // namespace

namespace {

// Pictures of a running countdown and of the end window, for looking at.
TEST_F(CountdownTest, Snapshots) {
  const char* dir = std::getenv("BREVANT_SNAPSHOT_DIR");
  const std::string out = dir ? dir : ::testing::TempDir();
  StartWith("61");
  ASSERT_TRUE(p.ui().FireTimer(mw::时钟2));
  EXPECT_TRUE(p.ui().Snapshot(ui::WindowId::MainWindow, out + "/MainWindow-countdown.png"));
  StartWith("0");
  p.ui().FireTimer(mw::时钟2);
  ASSERT_EQ(p.ui().ModalWindow(), ui::WindowId::CountdownDoneWindow);
  EXPECT_TRUE(p.ui().Snapshot(ui::WindowId::CountdownDoneWindow, out + "/CountdownDoneWindow.png"));
  ASSERT_TRUE(p.ui().Click(ui::CountdownDoneWindow::我知道了));
}

}  // namespace
