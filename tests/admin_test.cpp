// The super-user door on the real windows: its window is modeless. The
// password rules are tested on the recording layer.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/TestProgram.h"

namespace {

using testing_support::TestProgram;

TEST(AdminTest, SuperUserDoorOpensOnlyWithTheMarker) {
  TestProgram p;
  p.StartPastSplash();
  ASSERT_TRUE(p.ui().Click(ui::MainWindow::设置));
  ASSERT_TRUE(p.ui().Click(ui::MainWindow::super_user));
  EXPECT_FALSE(p.ui().IsOpen(ui::WindowId::RootSettingsWindow));
  EXPECT_FALSE(p.ui().OpenMessageBox());

  p.Write("root/root.vlok", "");
  ASSERT_TRUE(p.ui().Click(ui::MainWindow::super_user));
  EXPECT_TRUE(p.ui().IsOpen(ui::WindowId::RootSettingsWindow));
  EXPECT_FALSE(p.ui().ModalWindow());  // the main window stays usable
  ASSERT_TRUE(p.ui().Click(ui::MainWindow::super_user));
  const auto open = p.ui().OpenWindows();
  EXPECT_EQ(std::count(open.begin(), open.end(), ui::WindowId::RootSettingsWindow), 1);
  EXPECT_TRUE(p.ui().Click(ui::MainWindow::随机选人));
}

}  // namespace
