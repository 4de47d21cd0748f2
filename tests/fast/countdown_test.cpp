// The countdown's arithmetic and displays: start, the ticks of 时钟2 and the
// end window.
#include "countdown/Countdown.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "support/RecordingProgram.h"

namespace {

using testing_support::G;
using testing_support::RecordingProgram;
namespace mw = ui::MainWindow;

// A program on the draw page, ready to count.
class CountdownTest : public ::testing::Test {
 protected:
  void SetUp() override {
    p.Write("RS.vlok", "30");
    p.Write("CH.vlok", G("同学"));
    p.StartPastSplash();
    ASSERT_TRUE(p.Click(mw::随机选人));
    ASSERT_FALSE(p.TakeMessage());
  }
  void StartWith(std::string_view minutes) {
    ASSERT_TRUE(p.Type(mw::倒计时待转换框, minutes));
    ASSERT_TRUE(p.Click(mw::开始倒计时));
  }
  std::string Shown() { return p.Text(mw::具体倒计时); }

  RecordingProgram p;
};

TEST_F(CountdownTest, FractionsOfAMinuteAreTruncatedToSeconds) {
  const std::pair<const char*, const char*> cases[] = {
      {"0.5", "00小时00分钟29秒"},                                  // 30 s
      {"1.99", "00小时01分钟58秒"},                                 // 119 s
      {"61", "01小时00分钟59秒"},   {"１.５", "00小时01分钟29秒"},  // full-width digits count
      {"6000", "99小时59分钟59秒"}, {"6001", "100小时00分钟59秒"},
  };
  for (auto [typed, first] : cases) {
    StartWith(G(typed));
    ASSERT_TRUE(p.FireTimer(mw::时钟2));
    EXPECT_EQ(Shown(), G(first)) << typed;
  }
}

TEST_F(CountdownTest, RestartCountsFromTheBoxAgain) {
  StartWith("1");
  for (int i = 0; i < 10; ++i) ASSERT_TRUE(p.FireTimer(mw::时钟2));
  EXPECT_EQ(Shown(), G("00小时00分钟50秒"));
  StartWith("2");
  EXPECT_EQ(p.Interval(mw::时钟2), 1000);
  ASSERT_TRUE(p.FireTimer(mw::时钟2));
  EXPECT_EQ(Shown(), G("00小时01分钟59秒"));
}

TEST_F(CountdownTest, NothingToCountEndsOnTheFirstTick) {
  for (const char* typed : {"", "abc", "0", "-3", "nan"}) {
    StartWith(typed);
    p.FireTimer(mw::时钟2);
    ASSERT_EQ(p.ModalWindow(), ui::WindowId::CountdownDoneWindow) << typed;
    ASSERT_TRUE(p.Click(ui::CountdownDoneWindow::我知道了));
    EXPECT_EQ(Shown(), G("00小时00分钟00秒")) << typed;
    EXPECT_FALSE(p.IsShown(mw::具体倒计时1));
  }
}

TEST_F(CountdownTest, HugeInputsAreClampedToTheLargestCount) {
  StartWith("99999999999");
  ASSERT_TRUE(p.FireTimer(mw::时钟2));
  // 2147483646 seconds left.
  EXPECT_EQ(Shown(), G("596523小时14分钟06秒"));
}

TEST(CountdownRulesTest, SecondsForMinutes) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  EXPECT_EQ(countdown::SecondsFor(1.99), 119);
  EXPECT_EQ(countdown::SecondsFor(35791394.0), 2147483640);
  EXPECT_EQ(countdown::SecondsFor(35791395.0), kMax);
  EXPECT_EQ(countdown::SecondsFor(std::numeric_limits<double>::infinity()), kMax);
  EXPECT_EQ(countdown::SecondsFor(-0.5), 0);
  EXPECT_EQ(countdown::SecondsFor(std::numeric_limits<double>::quiet_NaN()), 0);
}

}  // namespace
