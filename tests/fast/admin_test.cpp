// The administrator's password: set at first use, then asked for at each.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/RecordingProgram.h"

namespace {

using testing_support::G;
using testing_support::RecordingProgram;
namespace setup = ui::AdminPasswordSetupWindow;
namespace login = ui::AdminLoginWindow;

// The program past its start, showing the settings page.
class AdminTest : public ::testing::Test {
 protected:
  void Start() {
    p.StartPastSplash();
    ASSERT_TRUE(p.Click(ui::MainWindow::设置));
  }
  // Presses a button and returns the message box it shows.
  ui::MessageBoxInfo ClickAndAnswer(ui::ControlId button) {
    EXPECT_TRUE(p.Click(button));
    const auto box = p.TakeMessage();
    if (!box) ADD_FAILURE() << "no message box";
    return box.value_or(ui::MessageBoxInfo{});
  }
  void SetPassword(const std::string& first, const std::string& second) {
    ASSERT_TRUE(p.Type(setup::编辑框1, first));
    ASSERT_TRUE(p.Type(setup::编辑框2, second));
  }
  void ExpectLoginRefuses(const std::string& typed) {
    ASSERT_TRUE(p.Type(login::编辑框1, typed));
    const auto box = ClickAndAnswer(login::按钮1);
    EXPECT_EQ(box.text, G("admin登录失败，请检查密码"));
    EXPECT_EQ(box.title, G("失败"));
    EXPECT_EQ(box.owner, ui::WindowId::AdminLoginWindow);
    EXPECT_EQ(p.Text(login::编辑框1), typed);  // kept for another try
    EXPECT_EQ(p.ModalWindow(), ui::WindowId::AdminLoginWindow);
  }
  void ExpectLoginAccepts(const std::string& typed) {
    ASSERT_TRUE(p.Type(login::编辑框1, typed));
    const auto box = ClickAndAnswer(login::按钮1);
    EXPECT_EQ(box.text, G("admin登录成功"));
    EXPECT_EQ(box.title, G("成功"));
    EXPECT_EQ(p.ModalWindow(), ui::WindowId::AdminSettingsWindow);
    // The login window closes only once the settings window has closed.
    EXPECT_TRUE(p.IsOpen(ui::WindowId::AdminLoginWindow));
    ASSERT_TRUE(p.CloseByUser(ui::WindowId::AdminSettingsWindow));
    EXPECT_FALSE(p.IsOpen(ui::WindowId::AdminLoginWindow));
  }

  RecordingProgram p;
};

TEST_F(AdminTest, FirstUseSetsThePasswordThenAsksForItAtOnce) {
  Start();
  ASSERT_TRUE(p.Click(ui::MainWindow::admin));
  ASSERT_EQ(p.ModalWindow(), ui::WindowId::AdminPasswordSetupWindow);

  SetPassword("abc", "abd");  // different texts: nothing happens
  ASSERT_TRUE(p.Click(setup::按钮1));
  EXPECT_FALSE(p.TakeMessage());
  EXPECT_FALSE(p.Has("admin_pwd.vlok"));
  EXPECT_EQ(p.ModalWindow(), ui::WindowId::AdminPasswordSetupWindow);

  SetPassword(G("密码Ab"), G("密码Ab"));
  const auto box = ClickAndAnswer(setup::按钮1);
  EXPECT_EQ(box.text, G("设置成功"));
  EXPECT_EQ(box.title, "admin");
  EXPECT_EQ(box.owner, ui::WindowId::AdminPasswordSetupWindow);
  EXPECT_FALSE(p.IsOpen(ui::WindowId::AdminPasswordSetupWindow));
  EXPECT_EQ(p.Read("admin_pwd.vlok"), G("密码Ab"));
  EXPECT_EQ(p.State().adminPassword, G("密码Ab"));

  ASSERT_EQ(p.ModalWindow(), ui::WindowId::AdminLoginWindow);
  ExpectLoginRefuses(G("密码ab"));   // case matters
  ExpectLoginRefuses(G("密码Ab "));  // nothing is trimmed
  ExpectLoginAccepts(G("密码Ab"));

  // Later uses go straight to the login.
  ASSERT_TRUE(p.Click(ui::MainWindow::admin));
  EXPECT_EQ(p.ModalWindow(), ui::WindowId::AdminLoginWindow);
}

TEST_F(AdminTest, EmptyPasswordIsAZeroByteFile) {
  Start();
  ASSERT_TRUE(p.Click(ui::MainWindow::admin));
  ASSERT_TRUE(p.Click(setup::按钮1));  // both boxes empty: equal
  ASSERT_TRUE(p.TakeMessage());
  EXPECT_TRUE(p.Has("admin_pwd.vlok"));
  EXPECT_EQ(p.Read("admin_pwd.vlok"), "");
  ExpectLoginRefuses("x");
  ExpectLoginAccepts("");
}

// "设置成功" is shown only for a password that was really stored.
TEST_F(AdminTest, UnwritablePasswordFileIsReportedAndNotTaken) {
  std::filesystem::create_directories(p.RunDir() / "admin_pwd.vlok");
  Start();
  ASSERT_TRUE(p.Click(ui::MainWindow::admin));
  SetPassword("abc", "abc");
  const auto box = ClickAndAnswer(setup::按钮1);
  EXPECT_NE(box.text, G("设置成功"));
  EXPECT_NE(box.text.find(G("密码未能保存")), std::string::npos);
  EXPECT_EQ(box.owner, ui::WindowId::AdminPasswordSetupWindow);
  EXPECT_EQ(p.ModalWindow(), ui::WindowId::AdminPasswordSetupWindow);
  EXPECT_EQ(p.State().adminPassword, "");

  // Once the file can be written the same window stores it.
  std::filesystem::remove(p.RunDir() / "admin_pwd.vlok");
  EXPECT_EQ(ClickAndAnswer(setup::按钮1).text, G("设置成功"));
  EXPECT_EQ(p.Read("admin_pwd.vlok"), "abc");
  EXPECT_EQ(p.ModalWindow(), ui::WindowId::AdminLoginWindow);
}

// The password file is read back only as far as a settings file is (the
// start test checks the read); a longer password, typed in full, still passes.
TEST_F(AdminTest, APasswordLongerThanTheReadCapStillPasses) {
  const std::string password = G("长") + std::string(4100, 'k');
  Start();
  ASSERT_TRUE(p.Click(ui::MainWindow::admin));
  SetPassword(password, password);
  ASSERT_EQ(ClickAndAnswer(setup::按钮1).text, G("设置成功"));
  EXPECT_EQ(p.Read("admin_pwd.vlok"), password);
  EXPECT_EQ(p.State().adminPassword, password.substr(0, 4096)) << "as the next start reads it";
  ExpectLoginAccepts(password);
}

}  // namespace
