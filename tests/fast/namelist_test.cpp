// The name-list register and the choice of a list: saved in the settings
// window, offered by the picker, and read by the draw.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/RecordingProgram.h"

namespace {

using testing_support::G;
using testing_support::RecordingProgram;
using Names = std::vector<std::string>;
namespace settings = ui::AdminSettingsWindow;
namespace picker = ui::NameListPickerWindow;

// The program past its start, with an empty administrator password, showing
// the settings page.
class NameListTest : public ::testing::Test {
 protected:
  void Start(const std::string& headcount = "3") {
    p.Write("admin_pwd.vlok", "");
    p.Write("RS.vlok", headcount);
    p.Write("CH.vlok", "");
    p.StartPastSplash();
    ASSERT_TRUE(p.Click(ui::MainWindow::设置));
  }
  // Through the administrator door to the settings window (left open).
  void OpenSettings() {
    ASSERT_TRUE(p.Click(ui::MainWindow::admin));
    ASSERT_TRUE(p.Click(ui::AdminLoginWindow::按钮1));
    ASSERT_TRUE(p.TakeMessage());
    ASSERT_EQ(p.ModalWindow(), ui::WindowId::AdminSettingsWindow);
  }
  void CloseSettings() {
    ASSERT_TRUE(p.CloseByUser(ui::WindowId::AdminSettingsWindow));
    ASSERT_FALSE(p.IsOpen(ui::WindowId::AdminLoginWindow));
  }
  void SavePath(const std::string& path) {
    ASSERT_TRUE(p.Type(settings::编辑框3, path));
    ASSERT_TRUE(p.Click(settings::按钮5));
    ASSERT_FALSE(p.TakeMessage());
  }
  // The picker's items and selection, seen from the draw page; the picker is
  // closed again and the settings page shown.
  std::pair<Names, int> Picker() {
    EXPECT_TRUE(p.Click(ui::MainWindow::随机选人));
    EXPECT_TRUE(p.Click(ui::MainWindow::超级按钮18));
    EXPECT_EQ(p.ModalWindow(), ui::WindowId::NameListPickerWindow);
    std::pair<Names, int> seen{p.Items(picker::列表框1), p.Selection(picker::列表框1)};
    EXPECT_TRUE(p.CloseByUser(ui::WindowId::NameListPickerWindow));
    EXPECT_TRUE(p.Click(ui::MainWindow::设置));
    return seen;
  }

  // A draw from the draw page with headcount 1, which always gives number 1;
  // returns the announcement in the result box.
  std::string DrawFirst() {
    EXPECT_TRUE(p.Click(ui::MainWindow::随机选人));
    EXPECT_TRUE(p.Click(ui::MainWindow::随机选人开始));
    const auto box = p.TakeMessage();
    EXPECT_TRUE(box);
    EXPECT_TRUE(p.Click(ui::MainWindow::设置));
    return box ? box->text : "";
  }

  RecordingProgram p;
};

TEST_F(NameListTest, RegisterAppendsEveryPathAndListsStopAtAnEmptyLine) {
  Start();
  OpenSettings();
  EXPECT_EQ(p.Items(settings::组合框1), Names{});
  EXPECT_EQ(p.Selection(settings::组合框1), -1);
  SavePath(G("D:\\名单\\一班.txt"));
  SavePath(G("D:\\名单\\一班.txt"));  // registered again, not merged
  SavePath("");
  SavePath("/lists/b.txt");
  CloseSettings();
  EXPECT_EQ(p.Read("namelist_record.vlok"),
            G("D:\\名单\\一班.txt\r\nD:\\名单\\一班.txt\r\n\r\n/lists/b.txt\r\n"));

  const Names offered{G("D:\\名单\\一班.txt"), G("D:\\名单\\一班.txt")};
  OpenSettings();
  EXPECT_EQ(p.Items(settings::组合框1), offered);
  CloseSettings();
  EXPECT_EQ(Picker(), std::make_pair(offered, -1));
}

TEST_F(NameListTest, BrowseFillsThePathAndCancelEmptiesIt) {
  Start();
  OpenSettings();
  ASSERT_TRUE(p.Type(settings::编辑框3, "typed.txt"));
  ASSERT_TRUE(p.Click(settings::按钮6));  // cancelled
  EXPECT_EQ(p.BrowsePrompts(), Names{"namelist.txt"});
  EXPECT_EQ(p.Text(settings::编辑框3), "");

  const std::string chosen = p.RunDir().string() + G("/名单.txt");
  p.AnswerNextBrowse(chosen);
  ASSERT_TRUE(p.Click(settings::按钮6));
  EXPECT_EQ(p.BrowsePrompts().size(), 2u);
  EXPECT_EQ(p.Text(settings::编辑框3), chosen);
}

TEST_F(NameListTest, ChoiceIsStoredOneBasedAndSelectedAgain) {
  p.Write("namelist_record.vlok", "a.txt\r\nb.txt\r\nc.txt");  // the last line has no CR LF
  Start();
  OpenSettings();
  EXPECT_EQ(p.Items(settings::组合框1), (Names{"a.txt", "b.txt", "c.txt"}));
  ASSERT_TRUE(p.Click(settings::按钮7));  // nothing selected
  EXPECT_EQ(p.Read("namelist_to_use.vlok"), "0");
  ASSERT_TRUE(p.ChooseItem(settings::组合框1, 1));
  ASSERT_TRUE(p.Click(settings::按钮7));
  EXPECT_EQ(p.Read("namelist_to_use.vlok"), "2");
  CloseSettings();

  OpenSettings();
  EXPECT_EQ(p.Selection(settings::组合框1), 1);
  CloseSettings();
  EXPECT_EQ(Picker().second, 1);

  // A stored position beyond the register selects the last item.
  p.Write("namelist_to_use.vlok", "7");
  EXPECT_EQ(Picker().second, 2);
  OpenSettings();
  EXPECT_EQ(p.Selection(settings::组合框1), 2);
}

TEST_F(NameListTest, AFailedSaveIsReported) {
  p.Write("namelist_record.vlok", "a.txt\r\n");
  Start();
  OpenSettings();
  // A directory where the choice file belongs makes its write fail.
  std::filesystem::create_directory(p.RunDir() / "namelist_to_use.vlok");
  ASSERT_TRUE(p.Click(settings::按钮7));
  const auto box = p.TakeMessage();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, G("保存失败"));
  EXPECT_EQ(box->owner, ui::WindowId::AdminSettingsWindow);
  EXPECT_TRUE(p.IsOpen(ui::WindowId::AdminSettingsWindow));
}

// The lines the picker offers are the lines the draw counts, whatever the
// line ends; a relative path is found in the run directory.
TEST_F(NameListTest, DrawFindsTheListsThePickerOffers) {
  p.Write("lists/a.txt", G("甲\r\n"));
  p.Write("b.txt", "乙\n");
  const std::string a = (p.RunDir() / "lists/a.txt").string();
  p.Write("namelist_record.vlok", a + "\nb.txt\n\nc.txt\n");  // LF only, as an editor leaves it
  p.Write("namelist_to_use.vlok", "1");
  p.Write("ynreward.vlok", "no");
  Start("1");
  EXPECT_EQ(Picker().first, (Names{a, "b.txt"}));
  EXPECT_EQ(DrawFirst(), G("恭喜甲被选中！"));
  p.Write("namelist_to_use.vlok", "2");
  EXPECT_EQ(DrawFirst(), G("恭喜乙被选中！"));
  EXPECT_EQ(p.State().firstDrawList, (Names{a, "b.txt", "", "c.txt"}));

  p.Write("namelist_record.vlok", "b.txt\r\n" + a + "\r\n");  // CR LF reads the same
  EXPECT_EQ(Picker().first, (Names{"b.txt", a}));
  EXPECT_EQ(DrawFirst(), G("恭喜甲被选中！"));
}

// A register far longer than any class needs is read only up to 10,000
// lines (or its first 4 MiB): the lists offer those, a box over the list's
// window says the rest was not read, and the draw counts only those lines.
TEST_F(NameListTest, AnOverlongRegisterIsReadUpToItsCapAndSaysSo) {
  p.Write("last.txt", G("甲\r\n"));
  std::string record;
  for (int i = 1; i < 10000; ++i) record += "l" + std::to_string(i) + ".txt\r\n";
  record += "last.txt\r\nbeyond.txt\r\n";
  p.Write("namelist_record.vlok", record);
  p.Write("namelist_to_use.vlok", "10000");
  p.Write("ynreward.vlok", "no");
  Start("1");
  ASSERT_TRUE(p.Click(ui::MainWindow::随机选人));
  ASSERT_TRUE(p.Click(ui::MainWindow::超级按钮18));
  const auto box = p.TakeMessage();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->owner, ui::WindowId::NameListPickerWindow);
  EXPECT_EQ(box->text, G("名单记录文件 namelist_record.vlok 太长，只读取了前 10000 行。"
                         "后面的名单没有读取，不能在这里选择。"));
  const Names items = p.Items(picker::列表框1);
  ASSERT_EQ(items.size(), 10000u);
  EXPECT_EQ(items.back(), "last.txt");
  EXPECT_EQ(p.Selection(picker::列表框1), 9999);
  ASSERT_TRUE(p.CloseByUser(ui::WindowId::NameListPickerWindow));
  ASSERT_TRUE(p.Click(ui::MainWindow::设置));
  ASSERT_TRUE(p.Click(ui::MainWindow::admin));
  ASSERT_TRUE(p.Click(ui::AdminLoginWindow::按钮1));
  ASSERT_TRUE(p.TakeMessage());
  const auto again = p.TakeMessage();
  ASSERT_TRUE(again);
  EXPECT_EQ(again->owner, ui::WindowId::AdminSettingsWindow);
  EXPECT_EQ(p.Items(settings::组合框1).size(), 10000u);
  CloseSettings();

  EXPECT_EQ(DrawFirst(), G("恭喜甲被选中！"));
  p.Write("namelist_to_use.vlok", "10001");
  EXPECT_NE(DrawFirst().find('1'), std::string::npos) << "a line not read names no list";
  EXPECT_EQ(p.State().firstDrawList.size(), 10000u);

  // A line that the first 4 MiB cut through is not read either.
  p.Write("namelist_record.vlok", std::string(5 << 20, 'x') + "\r\nlast.txt\r\n");
  ASSERT_TRUE(p.Click(ui::MainWindow::随机选人));
  ASSERT_TRUE(p.Click(ui::MainWindow::超级按钮18));
  const auto cut = p.TakeMessage();
  ASSERT_TRUE(cut);
  EXPECT_NE(cut->text.find(G("前 0 行")), std::string::npos);
  EXPECT_EQ(p.Items(picker::列表框1), Names{});
}

// A character GBK cannot hold reaches the handler as "?"; such a path would
// be stored and never found, so it is refused. A file whose name really holds
// "?" is registered.
TEST_F(NameListTest, PathsGbkCannotHoldAreRefused) {
  p.Write("名单😀.txt", "甲\n");
  p.Write("what?.txt", "乙\n");
  Start();
  OpenSettings();
  const std::string unheld = p.RunDir().string() + G("/名单?.txt");
  ASSERT_TRUE(p.Type(settings::编辑框3, unheld));
  ASSERT_TRUE(p.Click(settings::按钮5));
  const auto box = p.TakeMessage();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, G("保存失败"));
  EXPECT_EQ(box->owner, ui::WindowId::AdminSettingsWindow);
  EXPECT_NE(box->text.find(unheld), std::string::npos);
  EXPECT_FALSE(p.Has("namelist_record.vlok"));

#ifndef _WIN32  // "?" cannot be part of a file name on Windows
  SavePath(p.RunDir().string() + "/what?.txt");
  EXPECT_EQ(p.Read("namelist_record.vlok"), p.RunDir().string() + "/what?.txt\r\n");
#endif
}

}  // namespace
