// What the start reads, the title clock, and the settings page's set-up
// fields.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "app/shared/BackgroundWork.h"
#include "support/RecordingProgram.h"

namespace {

using testing_support::G;
using testing_support::RecordingProgram;
namespace fs = std::filesystem;
namespace mw = ui::MainWindow;

constexpr int kDrawPage = 1, kSettingsPage = 3;

// The message of the draw page when the set-up is missing.
std::string NotSetUp() {
  return G("您还没有设置人数或称呼，快去设置吧！");
}

TEST(StartTest, ProductLineCarriesTheVersion) {
  RecordingProgram p;
  p.StartPastSplash();
  EXPECT_EQ(p.Text(mw::透明标签13), "VLOK Software-Brevant V" BREVANT_VERSION);
  EXPECT_NE(std::string(BREVANT_VERSION), "");
}

// The start's writes wait until the main window is drawn, but a program
// that ends before that still writes them.
TEST(StartTest, HeldWorkBeginsWhenReleasedOrWaitedFor) {
  for (const bool released : {true, false}) {
    SCOPED_TRACE(released ? "released" : "waited for");
    app::BackgroundWork work;
    std::atomic<bool> ran{false};
    work.Hold();
    work.Start([&ran] { ran = true; });
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_FALSE(ran) << "held work began";
    if (released) work.Release();
    work.Wait();
    EXPECT_TRUE(ran);
  }
}

TEST(StartTest, ReadsTheSetUpAndThePassword) {
  RecordingProgram p;
  p.Write("RS.vlok", "45");
  p.Write("CH.vlok", G("同学"));
  p.Write("admin_pwd.vlok", G("密码"));
  p.StartPastSplash();
  EXPECT_EQ(p.Text(mw::编辑框5), "45");
  EXPECT_EQ(p.Text(mw::编辑框6), G("同学"));
  const app::AppState state = p.State();
  EXPECT_EQ(state.formOfAddress, G("同学"));
  EXPECT_EQ(state.adminPassword, G("密码"));
}

TEST(StartTest, HeadcountWithoutFormOfAddressStillAsksForTheSetUp) {
  RecordingProgram p;
  p.Write("RS.vlok", "30");
  p.StartPastSplash();
  EXPECT_EQ(p.State().formOfAddress, "");
  ASSERT_TRUE(p.Click(mw::随机选人));
  const auto box = p.TakeMessage();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, NotSetUp());
  EXPECT_EQ(p.Page(mw::选择), kSettingsPage);
}

// Settings files that fill one box are read up to a few KiB: a huge file costs
// no more than a small one, and the file itself is left as it is.
TEST(StartTest, SettingsFilesAreReadOnlyUpToTheirCap) {
  RecordingProgram p;
  const std::string headcount = "7" + std::string(3'000'000, '0');
  // "x" and then double-byte characters: the cap falls inside one of them.
  std::string address = "x";
  for (int i = 0; i < 3000; ++i) address += G("同");
  p.Write("RS.vlok", headcount);
  p.Write("CH.vlok", address);
  p.Write("1.vlok", std::string(2'000'000, '1'));
  p.Write("admin_pwd.vlok", std::string(3'000'000, 'p'));
  p.StartPastSplash();

  EXPECT_EQ(p.Text(mw::编辑框5), headcount.substr(0, 4096));
  EXPECT_EQ(p.Text(mw::编辑框6), address.substr(0, 4095)) << "no half character at the end";
  EXPECT_EQ(p.State().formOfAddress, address.substr(0, 4095));
  EXPECT_EQ(p.State().adminPassword, std::string(4096, 'p'));
  EXPECT_EQ(p.Text(mw::编辑框1), std::string(4096, '1'));
  EXPECT_EQ(p.Read("RS.vlok"), headcount) << "the file is not changed";

  // 4096 digits are beyond any double: the score counts as no number.
  ASSERT_TRUE(p.Click(mw::超级按钮4));
  ASSERT_TRUE(p.Click(mw::超级按钮8));  // +1
  EXPECT_EQ(p.Text(mw::编辑框1), "1");
}

TEST(ClockTest, ShowsTheTimeDownToItsLastUnitThatIsNotZero) {
  RecordingProgram p;
  p.StartPastSplash();
  EXPECT_EQ(p.Text(mw::time), G("正在获取时间，请稍后……"));
  struct Case {
    core::LocalTime now;
    const char* text;
  };
  const Case cases[] = {
      {{2024, 3, 6, 14, 54, 50}, "2024年3月6日14时54分50秒"},
      {{2024, 3, 6, 14, 54, 0}, "2024年3月6日14时54分"},
      {{2024, 3, 6, 14, 0, 0}, "2024年3月6日14时"},
      {{2024, 3, 6, 0, 0, 0}, "2024年3月6日"},
      {{2024, 3, 6, 0, 0, 5}, "2024年3月6日0时0分5秒"},
      {{2024, 12, 31, 23, 59, 59}, "2024年12月31日23时59分59秒"},
  };
  for (const Case& c : cases) {
    p.Clock().SetNow(c.now);
    ASSERT_TRUE(p.FireTimer(mw::时钟1));
    EXPECT_EQ(p.Text(mw::time), G(c.text));
  }
}

TEST(NavTest, SettingsPageDiscardsUnsavedEdits) {
  RecordingProgram p;
  p.Write("RS.vlok", "30");
  p.Write("CH.vlok", G("同学"));
  p.StartPastSplash();
  ASSERT_TRUE(p.Click(mw::设置));
  ASSERT_TRUE(p.Type(mw::编辑框6, G("老师")));
  ASSERT_TRUE(p.Type(mw::编辑框5, "99"));
  ASSERT_TRUE(p.Click(mw::计分板));
  ASSERT_TRUE(p.Click(mw::设置));
  EXPECT_EQ(p.Text(mw::编辑框5), "30");
  EXPECT_EQ(p.Text(mw::编辑框6), G("同学"));
}

TEST(NavTest, SavedEmptySetUpCountsAsSet) {
  RecordingProgram p;
  p.StartPastSplash();
  ASSERT_TRUE(p.Click(mw::设置));
  ASSERT_TRUE(p.Click(mw::超级按钮16));
  EXPECT_FALSE(p.TakeMessage());
  EXPECT_TRUE(p.Has("RS.vlok"));
  EXPECT_TRUE(p.Has("CH.vlok"));
  EXPECT_EQ(p.Read("RS.vlok"), "");
  ASSERT_TRUE(p.Click(mw::随机选人));
  EXPECT_FALSE(p.TakeMessage());
  EXPECT_EQ(p.Page(mw::选择), kDrawPage);
}

TEST(NavTest, SaveWritesTheBoxesButKeepsTheStartFormOfAddress) {
  RecordingProgram p;
  p.Write("CH.vlok", G("同学"));
  p.StartPastSplash();
  ASSERT_TRUE(p.Click(mw::设置));
  ASSERT_TRUE(p.Type(mw::编辑框5, G("４０")));
  ASSERT_TRUE(p.Type(mw::编辑框6, G("小朋友")));
  ASSERT_TRUE(p.Click(mw::超级按钮16));
  EXPECT_EQ(p.Read("RS.vlok"), G("４０"));
  EXPECT_EQ(p.Read("CH.vlok"), G("小朋友"));
  EXPECT_EQ(p.State().formOfAddress, G("同学"));
}

TEST(NavTest, SaveThatCannotWriteTellsWhichFile) {
  RecordingProgram p;
  p.StartPastSplash();
  fs::create_directory(p.RunDir() / "RS.vlok");
  ASSERT_TRUE(p.Click(mw::设置));
  ASSERT_TRUE(p.Type(mw::编辑框6, G("同学")));
  ASSERT_TRUE(p.Click(mw::超级按钮16));
  const auto box = p.TakeMessage();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->owner, ui::WindowId::MainWindow);
  EXPECT_EQ(box->title, G("保存失败"));
  EXPECT_NE(box->text.find("RS.vlok"), std::string::npos);
  EXPECT_EQ(box->text.find("CH.vlok"), std::string::npos);
  // The other file is saved all the same.
  EXPECT_EQ(p.Read("CH.vlok"), G("同学"));
}

}  // namespace
