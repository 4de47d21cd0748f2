// The settings windows' switches and files: what each saves, and that a
// save that fails says so.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "support/RecordingProgram.h"

namespace {

using testing_support::G;
using testing_support::RecordingProgram;
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
    ASSERT_TRUE(p.Click(ui::MainWindow::设置));
  }
  void OpenAdminSettings() {
    ASSERT_TRUE(p.Click(ui::MainWindow::admin));
    ASSERT_TRUE(p.Click(ui::AdminLoginWindow::按钮1));
    ASSERT_TRUE(p.TakeMessage());
    ASSERT_EQ(p.ModalWindow(), ui::WindowId::AdminSettingsWindow);
  }
  void CloseAdminSettings() { ASSERT_TRUE(p.CloseByUser(ui::WindowId::AdminSettingsWindow)); }
  void OpenRootSettings() {
    ASSERT_TRUE(p.Click(ui::MainWindow::super_user));
    ASSERT_TRUE(p.IsOpen(ui::WindowId::RootSettingsWindow));
  }
  // The reward switch as shown: true for "启用".
  bool RewardShownOn() {
    EXPECT_NE(p.IsChecked(settings::单选框1), p.IsChecked(settings::单选框2));
    return p.IsChecked(settings::单选框2);
  }
  // Clicking the button shows the "not saved" box over the window.
  void ExpectNotSaved(ui::ControlId button, ui::WindowId window) {
    ASSERT_TRUE(p.Click(button));
    const auto box = p.TakeMessage();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, G("保存失败"));
    EXPECT_EQ(box->owner, window);
  }

  RecordingProgram p;
};

// The switch shows what the next draw will do: "关闭" exactly when the file
// holds "no", "启用" for anything else, no file included.
TEST_F(SettingsTest, RewardSwitchShowsWhatTheDrawWillDo) {
  p.Write("RS.vlok", "30");
  p.Write("CH.vlok", "");
  Start();
  for (const std::optional<std::string>& stored :
       {std::optional<std::string>(), std::optional<std::string>("no"),
        std::optional<std::string>("yes"), std::optional<std::string>("NO"),
        std::optional<std::string>("no\r\n"), std::optional<std::string>("")}) {
    const std::string name = stored.value_or("(no file)");
    stored ? p.Write("ynreward.vlok", *stored) : p.Remove("ynreward.vlok");
    OpenAdminSettings();
    const bool shownOn = RewardShownOn();
    CloseAdminSettings();
    EXPECT_EQ(shownOn, stored != "no") << name;

    ASSERT_TRUE(p.Click(ui::MainWindow::随机选人));
    ASSERT_TRUE(p.Click(ui::MainWindow::随机选人开始));
    EXPECT_EQ(p.IsOpen(ui::WindowId::DrawResultWindow), shownOn) << name;
    ASSERT_TRUE(shownOn ? p.Click(ui::DrawResultWindow::超级按钮3) : p.TakeMessage().has_value());
    ASSERT_TRUE(p.Click(ui::MainWindow::设置));
  }

  // The radio buttons write the file at every click.
  OpenAdminSettings();
  ASSERT_TRUE(p.Click(settings::单选框1));
  EXPECT_EQ(p.Read("ynreward.vlok"), "no");
  ASSERT_TRUE(p.Click(settings::单选框2));
  EXPECT_EQ(p.Read("ynreward.vlok"), "yes");
  p.Remove("ynreward.vlok");
  ASSERT_TRUE(p.Click(settings::单选框2));  // already selected: written again
  EXPECT_EQ(p.Read("ynreward.vlok"), "yes");
}

TEST_F(SettingsTest, FailedWritesAreReportedNeverSilent) {
  // Directories where the files belong make every write fail.
  for (const char* name :
       {"fake_end.vlok", "flash_screen.vlok", "ynreward.vlok", "namelist_record.vlok", "1e.vlok"}) {
    std::filesystem::create_directories(p.RunDir() / name);
  }
  Start();
  OpenAdminSettings();
  for (const ui::ControlId button :
       {settings::按钮1, settings::按钮2, settings::单选框1, settings::单选框2, settings::按钮5}) {
    ExpectNotSaved(button, ui::WindowId::AdminSettingsWindow);
  }
  CloseAdminSettings();

  OpenRootSettings();
  ASSERT_TRUE(p.Click(root::单选框1));
  ExpectNotSaved(root::按钮1, ui::WindowId::RootSettingsWindow);
}

}  // namespace
