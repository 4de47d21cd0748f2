// What a real window manager makes of the program's windows: which window is
// above which, who owns whom, captions and frames. The pointer clicks through
// the X server, as a teacher's would.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <thread>

#include "desktop/VirtualDesktop.h"
#include "support/ProgramCopy.h"
#include "support/TempDir.h"
#include "support/TestProgram.h"

namespace {

using testing_support::G;
using testing_support::TestProgram;
using testing_support::VirtualDesktop;
using testing_support::WaitFor;
using ui::WindowId;
namespace mw = ui::MainWindow;

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop = VirtualDesktop::Current();
    if (!desktop) GTEST_SKIP() << "no virtual X display with a window manager could be started";
    p.Write("RS.vlok", "30");
    p.Write("CH.vlok", G("同学"));
  }

  // The window's X id once the window manager has it on screen.
  uint64_t Shown(WindowId w) {
    uint64_t id = 0;
    const bool shown = WaitFor([&] {
      id = p.ui().NativeHandle(w);
      const auto stack = desktop->Stacking();
      return id != 0 && std::find(stack.begin(), stack.end(), id) != stack.end();
    });
    EXPECT_TRUE(shown) << "window " << static_cast<int>(w) << " never appeared";
    // The manager places and frames it; the program hears of it shortly after.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return id;
  }

  // The message box now open: the topmost window, once it is there.
  uint64_t MessageBoxOnTop(uint64_t below) {
    uint64_t top = 0;
    EXPECT_TRUE(WaitFor([&] {
      top = desktop->Stacking().back();
      return p.ui().OpenMessageBox() && top != below;
    })) << "no message box above the window";
    return top;
  }

  void PointerClick(ui::ControlId c) {
    const ui::Rect r = p.ui().ScreenRect(c);
    desktop->ClickAt(r.left + r.width / 2, r.top + r.height / 2);
  }

  bool Above(uint64_t upper, uint64_t lower) {
    const auto stack = desktop->Stacking();
    const auto u = std::find(stack.begin(), stack.end(), upper),
               l = std::find(stack.begin(), stack.end(), lower);
    return u != stack.end() && l != stack.end() && u > l;
  }

  VirtualDesktop* desktop = nullptr;
  TestProgram p;
};

TEST_F(DesktopTest, SuperUserWindowOpensAboveTheMainWindowAndComesForwardWhenOpenedAgain) {
  p.Write("root/root.vlok", "");
  p.StartPastSplash();
  const uint64_t main = Shown(WindowId::MainWindow);
  PointerClick(mw::设置);
  ASSERT_TRUE(WaitFor([&] { return p.ui().Page(mw::选择) == 3; }));
  PointerClick(mw::super_user);
  const uint64_t root = Shown(WindowId::RootSettingsWindow);
  EXPECT_TRUE(Above(root, main));
  EXPECT_EQ(desktop->TransientFor(root), main);

  // Back to the main window, then the button again: the same window, in front.
  PointerClick(mw::设置);
  ASSERT_TRUE(WaitFor([&] { return desktop->ActiveWindow() == main; }));
  EXPECT_TRUE(Above(root, main));
  PointerClick(mw::super_user);
  EXPECT_TRUE(WaitFor([&] { return desktop->ActiveWindow() == root; }));
  EXPECT_EQ(p.ui().NativeHandle(WindowId::RootSettingsWindow), root);
  EXPECT_EQ(desktop->Stacking().back(), root);
}

// The draw's result window and boxes, the picker and the countdown notice sit
// above the always-on-top main window and belong to their owners.
TEST_F(DesktopTest, DrawAndCountdownWindowsOpenAboveTheirOwners) {
  p.StartPastSplash();
  const uint64_t main = Shown(WindowId::MainWindow);
  PointerClick(mw::随机选人);
  ASSERT_TRUE(WaitFor([&] { return p.ui().Page(mw::选择) == 1; }));

  PointerClick(mw::随机选人开始);
  const uint64_t result = Shown(WindowId::DrawResultWindow);
  EXPECT_TRUE(Above(result, main));
  EXPECT_EQ(desktop->TransientFor(result), main);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));  // the teacher reads it first
  PointerClick(ui::DrawResultWindow::超级按钮1);
  const uint64_t praise = MessageBoxOnTop(result);
  EXPECT_EQ(desktop->TransientFor(praise), result);
  ASSERT_TRUE(p.ui().AnswerMessageBox());
  PointerClick(ui::DrawResultWindow::超级按钮3);
  ASSERT_TRUE(WaitFor([&] { return !p.ui().IsOpen(WindowId::DrawResultWindow); }));

  p.Write("ynreward.vlok", "no");
  PointerClick(mw::随机选人开始);
  const uint64_t box = MessageBoxOnTop(main);
  EXPECT_TRUE(Above(box, main));
  EXPECT_EQ(desktop->TransientFor(box), main);
  ASSERT_TRUE(p.ui().AnswerMessageBox());

  PointerClick(mw::超级按钮18);
  const uint64_t picker = Shown(WindowId::NameListPickerWindow);
  EXPECT_TRUE(Above(picker, main));
  EXPECT_EQ(desktop->TransientFor(picker), main);
  ASSERT_TRUE(p.ui().CloseByUser(WindowId::NameListPickerWindow));

  ASSERT_TRUE(p.ui().Type(mw::倒计时待转换框, "0"));
  PointerClick(mw::开始倒计时);
  ASSERT_TRUE(WaitFor([&] { return p.ui().Interval(mw::时钟2) > 0; }));
  p.ui().FireTimer(mw::时钟2);
  const uint64_t done = Shown(WindowId::CountdownDoneWindow);
  EXPECT_TRUE(Above(done, main));
  EXPECT_EQ(desktop->TransientFor(done), main);
}

// A click on a drag area as short as a hasty teacher's leaves the borderless
// main window where it is: after it, a pointer moving with no button held
// does not take the window along. A real drag still moves it.
TEST_F(DesktopTest, QuickClicksOnTheBarLeaveTheMainWindowInPlaceAndADragMovesIt) {
  p.StartPastSplash();
  const uint64_t main = Shown(WindowId::MainWindow);
  const ui::Rect bar = p.ui().ScreenRect(mw::bar);
  const int x = bar.left + 388, y = bar.top + bar.height / 2;  // between the clock and "×"
  const auto before = desktop->Position(main);
  for (int i = 0; i < 20; ++i) {
    desktop->ClickAt(x, y, std::chrono::milliseconds(3), /*busyWindowManager=*/i % 2 == 1);
    desktop->MovePointerTo(x + 150, y + 120);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_EQ(desktop->Position(main), before) << "moved after quick click " << i + 1;
  }

  // A drag as hasty, over before a busy window manager takes over: the
  // window may stay or move, but it does not go on following the pointer.
  desktop->DragAt(x, y, 20, 0, std::chrono::milliseconds(1), /*busyWindowManager=*/true);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  const auto afterHastyDrag = desktop->Position(main);
  desktop->MovePointerTo(x + 150, y + 120);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  ASSERT_EQ(desktop->Position(main), afterHastyDrag)
      << "the window follows the pointer after a hasty drag";

  // The window follows once the pointer has gone a few pixels, so it moves
  // by the drag less at most those.
  desktop->DragAt(x, y, 60, 40);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const auto moved = desktop->Position(main);
  EXPECT_GE(moved.first - before.first, 45) << "moved by " << moved.first - before.first;
  EXPECT_LE(moved.first - before.first, 60);
  EXPECT_GE(moved.second - before.second, 28) << "moved by " << moved.second - before.second;
  EXPECT_LE(moved.second - before.second, 40);
  desktop->MovePointerTo(x + 300, y + 200);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(desktop->Position(main), moved) << "the drag ended with the button";
}

// The administrator's windows have no owner but stay on top, each above the
// one before; every window's caption is the empty one of the catalogue, and
// the password setup has a border without a caption bar.
TEST_F(DesktopTest, AdminWindowsOpenInFrontWithTheirCaptionsAndFrames) {
  p.StartPastSplash();
  const uint64_t main = Shown(WindowId::MainWindow);
  EXPECT_EQ(desktop->Property(main, "_NET_WM_NAME"), "");
  PointerClick(mw::设置);
  ASSERT_TRUE(WaitFor([&] { return p.ui().Page(mw::选择) == 3; }));

  PointerClick(mw::admin);
  const uint64_t setup = Shown(WindowId::AdminPasswordSetupWindow);
  EXPECT_TRUE(Above(setup, main));
  EXPECT_EQ(desktop->Property(setup, "_NET_WM_NAME"), "");
  const std::vector<long> frame =
      desktop->Cardinals(setup, "_NET_FRAME_EXTENTS");  // left, right, top, bottom
  ASSERT_EQ(frame.size(), 4u);
  EXPECT_GT(frame[0], 0);
  EXPECT_EQ(frame[2], frame[3]) << "a caption bar above the password setup";

  ASSERT_TRUE(p.ui().Type(ui::AdminPasswordSetupWindow::编辑框1, "a"));
  ASSERT_TRUE(p.ui().Type(ui::AdminPasswordSetupWindow::编辑框2, "a"));
  PointerClick(ui::AdminPasswordSetupWindow::按钮1);
  const uint64_t stored = MessageBoxOnTop(setup);
  EXPECT_EQ(desktop->TransientFor(stored), setup);
  ASSERT_TRUE(p.ui().AnswerMessageBox());

  const uint64_t login = Shown(WindowId::AdminLoginWindow);
  EXPECT_TRUE(Above(login, main));
  EXPECT_EQ(desktop->Property(login, "_NET_WM_NAME"), "");
  ASSERT_TRUE(p.ui().Type(ui::AdminLoginWindow::编辑框1, "a"));
  PointerClick(ui::AdminLoginWindow::按钮1);
  EXPECT_EQ(desktop->TransientFor(MessageBoxOnTop(login)), login);
  ASSERT_TRUE(p.ui().AnswerMessageBox());

  const uint64_t settings = Shown(WindowId::AdminSettingsWindow);
  EXPECT_TRUE(Above(settings, login));
  EXPECT_EQ(desktop->Property(settings, "_NET_WM_NAME"), "");
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  PointerClick(ui::AdminSettingsWindow::按钮6);
  ASSERT_TRUE(WaitFor([&] { return p.ui().OpenBrowseDialog().has_value(); }));
  uint64_t browse = 0;
  EXPECT_TRUE(WaitFor([&] { return (browse = desktop->Stacking().back()) != settings; }));
  EXPECT_EQ(desktop->TransientFor(browse), settings);
  ASSERT_TRUE(p.ui().AnswerBrowseDialog(""));

  // The updater's window is the one with a caption of its own.
  p.ui().Post([&] { p.layer().LoadWindow(WindowId::UpdaterWindow, ui::kNoOwner, false); });
  EXPECT_EQ(desktop->Property(Shown(WindowId::UpdaterWindow), "_NET_WM_NAME"), "更新器");
}

// Copies of the built program, each started from its folder as a teacher
// starts it: one runs per folder, and a second start from that folder ends
// and brings the running copy above the other windows.
TEST(CopiesTest, OneRunsPerFolderAndASecondStartBringsItForward) {
  using testing_support::ProgramCopy;
  using testing_support::RunningProgram;
  namespace fs = std::filesystem;
  VirtualDesktop* desktop = VirtualDesktop::Current();
  if (!desktop) GTEST_SKIP() << "no virtual X display with a window manager could be started";
  const fs::path root = testing_support::MakeTempDir("brevant-copies");
  testing_support::SetEnv("HOME", root / "home");
  testing_support::SetEnv("XDG_DATA_HOME", root / "home/.local/share");
  testing_support::SetEnv("XDG_CONFIG_HOME", root / "home/.config");
  const ProgramCopy classroom(root / u8"一班 教室"), other(root / "other");
  classroom.Write("2e.vlok", "enable");
  other.Write("2e.vlok", "enable");
  // The copy's window once the window manager shows it; 0 if it never does.
  auto windowOf = [&](const RunningProgram& copy) {
    uint64_t found = 0;
    WaitFor(
        [&] {
          for (uint64_t window : desktop->Stacking()) {
            if (desktop->Cardinals(window, "_NET_WM_PID") ==
                std::vector<long>{static_cast<long>(copy.Id())})
              found = window;
          }
          return found != 0;
        },
        std::chrono::seconds(20));
    return found;
  };
  auto above = [&](uint64_t upper, uint64_t lower) {
    const auto stack = desktop->Stacking();
    const auto u = std::find(stack.begin(), stack.end(), upper),
               l = std::find(stack.begin(), stack.end(), lower);
    return u != stack.end() && l != stack.end() && u > l;
  };

  RunningProgram first = classroom.Start();
  const uint64_t firstWindow = windowOf(first);
  ASSERT_NE(firstWindow, 0u);
  RunningProgram beside = other.Start();
  const uint64_t besideWindow = windowOf(beside);
  ASSERT_NE(besideWindow, 0u) << "a copy in another folder runs beside the first";
  ASSERT_TRUE(above(besideWindow, firstWindow));

  RunningProgram second = classroom.Start();
  EXPECT_EQ(second.Exit(std::chrono::seconds(20)), 0);
  EXPECT_TRUE(WaitFor([&] {
    return above(firstWindow, besideWindow) && desktop->ActiveWindow() == firstWindow;
  })) << "the running copy comes forward";
  EXPECT_FALSE(first.Exit(std::chrono::milliseconds(0)));
  EXPECT_FALSE(beside.Exit(std::chrono::milliseconds(0)));

  // A copy killed without a word blocks no later start.
  first.Kill();
  RunningProgram after = classroom.Start();
  EXPECT_NE(windowOf(after), 0u);
  EXPECT_FALSE(after.Exit(std::chrono::milliseconds(0)));
  after.Kill();
  beside.Kill();
  std::error_code ec;
  fs::remove_all(root, ec);
}

}  // namespace
