#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestProgram.h"

namespace {

using testing_support::G;
using testing_support::TestProgram;
using Names = std::vector<std::string>;
namespace settings = ui::AdminSettingsWindow;
namespace picker = ui::NameListPickerWindow;

// The program past its start, with an empty administrator password, showing
// the settings page.
class NameListTest : public ::testing::Test {
 protected:
  void Start() {
    p.Write("admin_pwd.vlok", "");
    p.Write("RS.vlok", "3");
    p.Write("CH.vlok", "");
    p.StartPastSplash();
    ASSERT_TRUE(p.ui().Click(ui::MainWindow::设置));
  }
  // Through the administrator door to the settings window (left open).
  void OpenSettings() {
    ASSERT_TRUE(p.ui().Click(ui::MainWindow::admin));
    ASSERT_TRUE(p.ui().Click(ui::AdminLoginWindow::按钮1));
    ASSERT_TRUE(p.ui().AnswerMessageBox());
    ASSERT_EQ(p.ui().ModalWindow(), ui::WindowId::AdminSettingsWindow);
  }
  void CloseSettings() {
    ASSERT_TRUE(p.ui().CloseByUser(ui::WindowId::AdminSettingsWindow));
    ASSERT_FALSE(p.ui().IsOpen(ui::WindowId::AdminLoginWindow));
  }
  void SavePath(const std::string& path) {
    ASSERT_TRUE(p.ui().Type(settings::编辑框3, path));
    ASSERT_TRUE(p.ui().Click(settings::按钮5));
    ASSERT_FALSE(p.ui().OpenMessageBox());
  }
  // The picker's items and selection, seen from the draw page; the picker is
  // closed again and the settings page shown.
  std::pair<Names, int> Picker() {
    EXPECT_TRUE(p.ui().Click(ui::MainWindow::随机选人));
    EXPECT_TRUE(p.ui().Click(ui::MainWindow::超级按钮18));
    EXPECT_EQ(p.ui().ModalWindow(), ui::WindowId::NameListPickerWindow);
    std::pair<Names, int> seen{p.ui().Items(picker::列表框1), p.ui().Selection(picker::列表框1)};
    EXPECT_TRUE(p.ui().CloseByUser(ui::WindowId::NameListPickerWindow));
    EXPECT_TRUE(p.ui().Click(ui::MainWindow::设置));
    return seen;
  }

  TestProgram p;
};

TEST_F(NameListTest, RegisterAppendsEveryPathAndListsStopAtAnEmptyLine) {
  Start();
  OpenSettings();
  EXPECT_EQ(p.ui().Items(settings::组合框1), Names{});
  EXPECT_EQ(p.ui().Selection(settings::组合框1), -1);
  SavePath(G("D:\\名单\\一班.txt"));
  SavePath(G("D:\\名单\\一班.txt"));  // registered again, not merged
  SavePath("");
  SavePath("/lists/b.txt");
  CloseSettings();
  EXPECT_EQ(p.Read("namelist_record.vlok"),
            G("D:\\名单\\一班.txt\r\nD:\\名单\\一班.txt\r\n\r\n/lists/b.txt\r\n"));

  const Names offered{G("D:\\名单\\一班.txt"), G("D:\\名单\\一班.txt")};
  OpenSettings();
  EXPECT_EQ(p.ui().Items(settings::组合框1), offered);
  CloseSettings();
  EXPECT_EQ(Picker(), std::make_pair(offered, -1));
}

TEST_F(NameListTest, BrowseFillsThePathAndCancelEmptiesIt) {
  Start();
  OpenSettings();
  ASSERT_TRUE(p.ui().Type(settings::编辑框3, "typed.txt"));
  ASSERT_TRUE(p.ui().Click(settings::按钮6));
  EXPECT_EQ(p.ui().OpenBrowseDialog(), "namelist.txt");
  ASSERT_TRUE(p.ui().AnswerBrowseDialog(""));
  EXPECT_EQ(p.ui().Text(settings::编辑框3), "");

  ASSERT_TRUE(p.ui().Click(settings::按钮6));
  const std::string chosen = p.RunDir().string() + G("/名单.txt");
  ASSERT_TRUE(p.ui().AnswerBrowseDialog(chosen));
  EXPECT_EQ(p.ui().Text(settings::编辑框3), chosen);
}

TEST_F(NameListTest, ChoiceIsStoredOneBasedAndSelectedAgain) {
  p.Write("namelist_record.vlok", "a.txt\r\nb.txt\r\nc.txt");  // the last line has no CR LF
  Start();
  OpenSettings();
  EXPECT_EQ(p.ui().Items(settings::组合框1), (Names{"a.txt", "b.txt", "c.txt"}));
  ASSERT_TRUE(p.ui().Click(settings::按钮7));  // nothing selected
  EXPECT_EQ(p.Read("namelist_to_use.vlok"), "0");
  ASSERT_TRUE(p.ui().ChooseItem(settings::组合框1, 1));
  ASSERT_TRUE(p.ui().Click(settings::按钮7));
  EXPECT_EQ(p.Read("namelist_to_use.vlok"), "2");
  CloseSettings();

  OpenSettings();
  EXPECT_EQ(p.ui().Selection(settings::组合框1), 1);
  CloseSettings();
  EXPECT_EQ(Picker().second, 1);

  // A stored position beyond the register selects the last item.
  p.Write("namelist_to_use.vlok", "7");
  EXPECT_EQ(Picker().second, 2);
  OpenSettings();
  EXPECT_EQ(p.ui().Selection(settings::组合框1), 2);
}

TEST_F(NameListTest, PickingStoresTheChoiceAndHandsOver) {
  p.Write("namelist_record.vlok", "a.txt\r\nb.txt\r\n");
  Start();
  ASSERT_TRUE(p.ui().Click(ui::MainWindow::随机选人));
  ASSERT_TRUE(p.ui().Click(ui::MainWindow::超级按钮18));
  ASSERT_TRUE(p.ui().SelectItem(picker::列表框1, 1));  // the first click of the double click
  ASSERT_TRUE(p.ui().DoubleClickItem(picker::列表框1, 1));
  EXPECT_EQ(p.Read("namelist_to_use.vlok"), "2");
  EXPECT_EQ(p.ui().ExitCode(), 0);
}

TEST_F(NameListTest, AFailedSaveIsReported) {
  p.Write("namelist_record.vlok", "a.txt\r\n");
  Start();
  OpenSettings();
  // A directory where the choice file belongs makes its write fail.
  std::filesystem::create_directory(p.RunDir() / "namelist_to_use.vlok");
  ASSERT_TRUE(p.ui().Click(settings::按钮7));
  const auto box = p.ui().OpenMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, G("保存失败"));
  EXPECT_EQ(box->owner, ui::WindowId::AdminSettingsWindow);
  p.ui().AnswerMessageBox();
  EXPECT_TRUE(p.ui().IsOpen(ui::WindowId::AdminSettingsWindow));
}

}  // namespace
