// The settings windows on the real windows: typed boxes, the browse dialog
// and radio buttons. What each switch saves is tested on the recording layer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/TestProgram.h"

namespace {

using testing_support::G;
using testing_support::TestProgram;
namespace settings = ui::AdminSettingsWindow;
namespace root = ui::RootSettingsWindow;

// The program past its start with an empty administrator password and the
// super-user marker, showing the settings page.
class SettingsTest : public ::testing::Test {
 protected:
  void Start() {
    p.Write("admin_pwd.vlok", "");
    p.Write("root/root.vlok", "");
    p.StartPastSplash();
    ASSERT_TRUE(p.ui().Click(ui::MainWindow::设置));
  }
  void OpenAdminSettings() {
    ASSERT_TRUE(p.ui().Click(ui::MainWindow::admin));
    ASSERT_TRUE(p.ui().Click(ui::AdminLoginWindow::按钮1));
    ASSERT_TRUE(p.ui().AnswerMessageBox());
    ASSERT_EQ(p.ui().ModalWindow(), ui::WindowId::AdminSettingsWindow);
  }
  void CloseAdminSettings() { ASSERT_TRUE(p.ui().CloseByUser(ui::WindowId::AdminSettingsWindow)); }
  void OpenRootSettings() {
    ASSERT_TRUE(p.ui().Click(ui::MainWindow::super_user));
    ASSERT_TRUE(p.ui().IsOpen(ui::WindowId::RootSettingsWindow));
  }
  void CloseRootSettings() { ASSERT_TRUE(p.ui().CloseByUser(ui::WindowId::RootSettingsWindow)); }

  TestProgram p;
};

TEST_F(SettingsTest, PresetAndSplashPictureAreSavedAsTyped) {
  p.Write("fake_end.vlok", "12");
  p.Write("flash_screen.vlok", "/pictures/a.png");
  Start();
  OpenAdminSettings();
  EXPECT_EQ(p.ui().Text(settings::编辑框1), "");  // the boxes open empty
  EXPECT_EQ(p.ui().Text(settings::编辑框2), "");
  ASSERT_TRUE(p.ui().Click(settings::按钮1));
  EXPECT_TRUE(p.Has("fake_end.vlok"));
  EXPECT_EQ(p.Read("fake_end.vlok"), "");
  ASSERT_TRUE(p.ui().Type(settings::编辑框1, G("７号")));
  ASSERT_TRUE(p.ui().Click(settings::按钮1));
  EXPECT_EQ(p.Read("fake_end.vlok"), G("７号"));

  ASSERT_TRUE(p.ui().Type(settings::编辑框2, "typed.png"));
  ASSERT_TRUE(p.ui().Click(settings::按钮3));
  EXPECT_EQ(p.ui().OpenBrowseDialog(), G("选一张图片（建议白底）"));
  ASSERT_TRUE(p.ui().AnswerBrowseDialog(""));
  EXPECT_EQ(p.ui().Text(settings::编辑框2), "");
  ASSERT_TRUE(p.ui().Click(settings::按钮2));
  EXPECT_TRUE(p.Has("flash_screen.vlok"));
  EXPECT_EQ(p.Read("flash_screen.vlok"), "");

  ASSERT_TRUE(p.ui().Click(settings::按钮3));
  const std::string chosen = p.RunDir().string() + G("/白底.png");
  ASSERT_TRUE(p.ui().AnswerBrowseDialog(chosen));
  EXPECT_EQ(p.ui().Text(settings::编辑框2), chosen);
  ASSERT_TRUE(p.ui().Click(settings::按钮2));
  EXPECT_EQ(p.Read("flash_screen.vlok"), chosen);
  EXPECT_FALSE(p.ui().OpenMessageBox());  // saving says nothing when it works
}

TEST_F(SettingsTest, SplashOptionsAreWrittenDeletedAndShownAgain) {
  p.Write("language.vlok", "English");
  Start();
  OpenRootSettings();
  EXPECT_TRUE(p.ui().IsChecked(root::单选框2));  // both files missing: Disable
  EXPECT_TRUE(p.ui().IsChecked(root::单选框4));
  EXPECT_EQ(p.ui().Selection(root::组合框1), 1);  // the stored language
  ASSERT_TRUE(p.ui().Click(root::按钮1));         // Disable with no files: nothing changes
  EXPECT_FALSE(p.Has("1e.vlok"));
  EXPECT_FALSE(p.Has("2e.vlok"));

  ASSERT_TRUE(p.ui().Click(root::单选框1));
  ASSERT_TRUE(p.ui().Click(root::单选框3));
  EXPECT_FALSE(p.ui().IsChecked(root::单选框2));  // each pair is one group
  ASSERT_TRUE(p.ui().Click(root::按钮1));
  EXPECT_EQ(p.Read("1e.vlok"), "enable");
  EXPECT_EQ(p.Read("2e.vlok"), "enable");
  CloseRootSettings();

  OpenRootSettings();
  EXPECT_TRUE(p.ui().IsChecked(root::单选框1));
  EXPECT_TRUE(p.ui().IsChecked(root::单选框3));
  ASSERT_TRUE(p.ui().Click(root::单选框4));
  ASSERT_TRUE(p.ui().Click(root::按钮1));
  EXPECT_TRUE(p.Has("1e.vlok"));
  EXPECT_FALSE(p.Has("2e.vlok"));
  EXPECT_FALSE(p.ui().OpenMessageBox());
  CloseRootSettings();

  OpenRootSettings();
  EXPECT_TRUE(p.ui().IsChecked(root::单选框1));
  EXPECT_TRUE(p.ui().IsChecked(root::单选框4));
}

// Pictures of the windows of the settings doors and the draw, for looking at.
TEST_F(SettingsTest, Snapshots) {
  const char* dir = std::getenv("BREVANT_SNAPSHOT_DIR");
  const std::string out = dir ? dir : ::testing::TempDir();
  p.Write("namelist_record.vlok", "a.txt\r\nb.txt\r\n");
  p.Write("namelist_to_use.vlok", "2");
  p.Remove("admin_pwd.vlok");
  p.Write("root/root.vlok", "");
  p.Write("RS.vlok", "3");
  p.Write("CH.vlok", "");
  p.StartPastSplash();
  ASSERT_TRUE(p.ui().Click(ui::MainWindow::设置));
  EXPECT_TRUE(p.ui().Snapshot(ui::WindowId::MainWindow, out + "/MainWindow-settings.png"));
  ASSERT_TRUE(p.ui().Click(ui::MainWindow::super_user));
  EXPECT_TRUE(p.ui().Snapshot(ui::WindowId::RootSettingsWindow, out + "/RootSettingsWindow.png"));
  CloseRootSettings();
  ASSERT_TRUE(p.ui().Click(ui::MainWindow::admin));
  EXPECT_TRUE(p.ui().Snapshot(ui::WindowId::AdminPasswordSetupWindow,
                              out + "/AdminPasswordSetupWindow.png"));
  ASSERT_TRUE(p.ui().Click(ui::AdminPasswordSetupWindow::按钮1));
  ASSERT_TRUE(p.ui().AnswerMessageBox());
  EXPECT_TRUE(p.ui().Snapshot(ui::WindowId::AdminLoginWindow, out + "/AdminLoginWindow.png"));
  ASSERT_TRUE(p.ui().Click(ui::AdminLoginWindow::按钮1));
  ASSERT_TRUE(p.ui().AnswerMessageBox());
  EXPECT_TRUE(p.ui().Snapshot(ui::WindowId::AdminSettingsWindow, out + "/AdminSettingsWindow.png"));
  CloseAdminSettings();
  ASSERT_TRUE(p.ui().Click(ui::MainWindow::随机选人));
  ASSERT_TRUE(p.ui().Click(ui::MainWindow::超级按钮18));
  EXPECT_TRUE(
      p.ui().Snapshot(ui::WindowId::NameListPickerWindow, out + "/NameListPickerWindow.png"));
}

}  // namespace
