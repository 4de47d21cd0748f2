// The draw: the three passes, the headcount, the preset, the announcement
// in every language and the names from the lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/RecordingProgram.h"

namespace {

using testing_support::G;
using testing_support::RecordingProgram;
namespace main_window = ui::MainWindow;
namespace result = ui::DrawResultWindow;

// The program started with a headcount, the form of address "同学" and Chinese,
// showing the draw page. The tick count stays fixed, so every draw's three
// passes are known in advance.
class DrawTest : public ::testing::Test {
 protected:
  void Start(const std::string& headcount, const std::string& reward = "no", uint32_t tick = 1000) {
    p.Write("RS.vlok", headcount);
    p.Write("CH.vlok", G("同学"));
    p.Write("language.vlok", G("中文"));
    if (!reward.empty()) p.Write("ynreward.vlok", reward);
    p.Clock().SetTickCount(tick);
    p.StartPastSplash();
    ASSERT_TRUE(p.Click(main_window::随机选人));
    ASSERT_FALSE(p.TakeMessage());
  }

  // A draw that ends in a message box; returns its text after checking that
  // it shows the result label.
  std::string DrawInBox(const std::string& title) {
    EXPECT_TRUE(p.Click(main_window::随机选人开始));
    const auto box = p.TakeMessage();
    if (!box) {
      ADD_FAILURE() << "no message box";
      return {};
    }
    EXPECT_EQ(box->title, title);
    EXPECT_EQ(box->owner, ui::WindowId::MainWindow);
    EXPECT_EQ(box->text, p.Text(main_window::标签5));
    EXPECT_FALSE(p.IsOpen(ui::WindowId::DrawResultWindow));
    return box->text;
  }
  std::string DrawInBox() { return DrawInBox(G("信息：")); }

  // A draw that opens the result window; returns the window's announcement
  // and leaves the window open.
  std::string DrawToWindow() {
    EXPECT_TRUE(p.Click(main_window::随机选人开始));
    EXPECT_FALSE(p.TakeMessage());
    EXPECT_EQ(p.ModalWindow(), ui::WindowId::DrawResultWindow);
    const std::string shown = p.Text(result::标签1);
    EXPECT_EQ(shown, p.Text(main_window::标签5));
    EXPECT_EQ(p.Text(result::标签2), G("是否正确？"));
    return shown;
  }
  void CloseResult() {
    ASSERT_TRUE(p.Click(result::超级按钮3));
    ASSERT_FALSE(p.IsOpen(ui::WindowId::DrawResultWindow));
  }

  // The praise message of one answer button; the result window stays open.
  std::pair<std::string, std::string> Praise(ui::ControlId button) {
    EXPECT_TRUE(p.Click(button));
    const auto box = p.TakeMessage();
    if (!box) return {};
    EXPECT_EQ(box->owner, ui::WindowId::DrawResultWindow);
    EXPECT_TRUE(p.IsOpen(ui::WindowId::DrawResultWindow));
    return {box->text, box->title};
  }

  // Changes a set-up box on the settings page without saving, then returns
  // to the draw page.
  void TypeSetup(ui::ControlId box, const std::string& text) {
    ASSERT_TRUE(p.Click(main_window::设置));
    ASSERT_TRUE(p.Type(box, text));
    ASSERT_TRUE(p.Click(main_window::随机选人));
  }

  RecordingProgram p;
};

// Expected results come from working the generator through by hand: tick
// 1000 and 30 people give 12, 21, 21 for the first three draws.
TEST_F(DrawTest, ThreePassesGiveTheHandComputedNumbers) {
  Start("30");
  EXPECT_EQ(DrawInBox(), G("恭喜12号同学被选中！"));
  EXPECT_EQ(DrawInBox(), G("恭喜21号同学被选中！"));
  EXPECT_EQ(DrawInBox(), G("恭喜21号同学被选中！"));
  EXPECT_EQ(p.State().lastDrawnNumber, 21);
}

TEST_F(DrawTest, HeadcountOneAlwaysGivesOne) {
  Start("1");
  for (const uint32_t tick : {0u, 1u, 999u, 0xFFFFFFFFu}) {
    p.Clock().SetTickCount(tick);
    EXPECT_EQ(DrawInBox(), G("恭喜1号同学被选中！")) << tick;
  }
}

TEST_F(DrawTest, HeadcountCountsByItsLeadingWholeNumber) {
  Start("7.9", "no", 5000);  // 7 people: 2, 4, 4; 8 people would give 5, 6, 6
  EXPECT_EQ(DrawInBox(), G("恭喜2号同学被选中！"));
  TypeSetup(main_window::编辑框5, G("7人"));
  EXPECT_EQ(DrawInBox(), G("恭喜4号同学被选中！"));
  TypeSetup(main_window::编辑框5, G("７"));  // full-width digit
  EXPECT_EQ(DrawInBox(), G("恭喜4号同学被选中！"));
}

TEST_F(DrawTest, HeadcountBelowOneDrawsNothingAndSaysWhatToSet) {
  Start("0", "");  // rewards on: a draw would open the result window
  const std::string message = G("人数必须至少为1，请在设置页设置人数。");
  for (const std::string& headcount :
       {std::string("0"), std::string(""), std::string("-3"), G("三十")}) {
    TypeSetup(main_window::编辑框5, headcount);
    EXPECT_EQ(DrawInBox("ERROR"), message) << headcount;
  }
  const auto state = p.State();
  EXPECT_EQ(state.lastDrawnNumber, 0);
  EXPECT_EQ(state.lastAnnouncement, "");
  EXPECT_EQ(state.lastDrawnName, "");
}

TEST_F(DrawTest, PresetIsAnnouncedWithoutTouchingTheLastDraw) {
  Start("30", "");
  EXPECT_EQ(DrawToWindow(), G("恭喜12号同学被选中！"));
  CloseResult();

  p.Write("fake_end.vlok", "");  // an empty preset still counts
  EXPECT_EQ(DrawInBox("FAKE"), G("恭喜号同学被选中！"));
  p.Write("fake_end.vlok", "5");
  p.Write("language.vlok", "English");
  EXPECT_EQ(DrawInBox("FAKE"), G("Congratulations to No. 同学5 for being selected"));

  const auto state = p.State();
  EXPECT_EQ(state.lastDrawnNumber, 12);
  EXPECT_EQ(state.lastAnnouncement, G("恭喜12号同学被选中！"));
  EXPECT_EQ(state.lastDrawnName, "12");
}

TEST_F(DrawTest, OnlyExactlyNoGivesThePlainBox) {
  Start("1", "no");
  EXPECT_EQ(DrawInBox(), G("恭喜1号同学被选中！"));
  for (const std::string reward : {"No", "no ", "no\r\n", "yes", ""}) {
    if (reward.empty()) {
      p.Remove("ynreward.vlok");
    } else {
      p.Write("ynreward.vlok", reward);
    }
    EXPECT_EQ(DrawToWindow(), G("恭喜1号同学被选中！")) << reward;
    CloseResult();
  }
}

TEST_F(DrawTest, EveryTemplateInEveryLanguage) {
  Start("1");
  struct Case {
    const char* language;
    const char* number;
    const char* name;
  };
  const Case cases[] = {
      {"中文", "恭喜1号同学被选中！", "恭喜张三同学被选中！"},
      {"English", "Congratulations to No. 同学1 for being selected",
       "Congratulations to 同学张三 for being selected"},
      {"日本语", "おめでとう番号1番同学が選ばれました", "おめでとう张三同学が選ばれました"},
      {"Русский", "Поздравляем1Нет同学выбрано", "Поздравляем张三同学выбрано"},
  };
  for (const Case& c : cases) {
    p.Write("language.vlok", G(c.language));
    EXPECT_EQ(DrawInBox(), G(c.number)) << c.language;
  }
  p.Write("namelist.txt", G("张三\r\n"));
  for (const Case& c : cases) {
    p.Write("language.vlok", G(c.language));
    EXPECT_EQ(DrawInBox(), G(c.name)) << c.language;
  }

  // Any other setting keeps the previous announcement and shows it again.
  for (const std::string& other : {std::string("english"), std::string(""), G("中文 ")}) {
    p.Write("language.vlok", other);
    EXPECT_EQ(DrawInBox(), G("Поздравляем张三同学выбрано"));
  }
  p.Remove("language.vlok");
  EXPECT_EQ(DrawInBox(), G("Поздравляем张三同学выбрано"));
}

// Tick 777 and 3 people give 3, 3, 3, 1, 2, 1, 2, 3.
TEST_F(DrawTest, DefaultListShowsTheNameButPraisesTheNumber) {
  p.Write("namelist.txt", G("甲\r\n\r\n丙\r\n"));  // a blank inner line keeps 丙 at 3
  Start("3", "", 777);
  EXPECT_EQ(DrawToWindow(), G("恭喜丙同学被选中！"));
  EXPECT_EQ(Praise(result::超级按钮1), std::make_pair(G("3同学：你真棒！"), G("正确")));
  EXPECT_EQ(Praise(result::超级按钮2), std::make_pair(G("3同学：不要灰心，再接再厉！"), G("错误")));
  EXPECT_EQ(Praise(result::超级按钮1), std::make_pair(G("3同学：你真棒！"), G("正确")));
  CloseResult();

  // The announcement reads the box at once; the praise keeps the form of
  // address read at start.
  TypeSetup(main_window::编辑框6, G("小朋友"));
  EXPECT_EQ(DrawToWindow(), G("恭喜丙小朋友被选中！"));
  EXPECT_EQ(Praise(result::超级按钮1), std::make_pair(G("3同学：你真棒！"), G("正确")));
  CloseResult();

  p.Write("ynreward.vlok", "no");
  EXPECT_EQ(DrawInBox(), G("恭喜丙小朋友被选中！"));
  EXPECT_EQ(DrawInBox(), G("恭喜甲小朋友被选中！"));
  EXPECT_EQ(DrawInBox(), G("恭喜小朋友被选中！"));  // the blank line is an empty name
  EXPECT_EQ(p.State().secondDrawList, (std::vector<std::string>{G("甲"), "", G("丙")}));
}

TEST_F(DrawTest, ChosenRegisterListShowsAndPraisesTheName) {
  const std::string list = (p.RunDir() / "class.txt").string();
  p.Write("class.txt", "赵\n钱\n孙\n");  // UTF-8 with lone LF line ends
  p.Write("namelist_record.vlok", "missing.txt\r\n" + list + "\r\n");
  p.Write("namelist_to_use.vlok", "2");
  p.Write("namelist.txt", G("甲\r\n乙\r\n丙\r\n"));  // not used while a choice is stored
  Start("3", "", 777);
  EXPECT_EQ(DrawToWindow(), G("恭喜孙同学被选中！"));
  EXPECT_EQ(Praise(result::超级按钮2),
            std::make_pair(G("孙同学：不要灰心，再接再厉！"), G("错误")));
  CloseResult();
  const auto state = p.State();
  EXPECT_EQ(state.firstDrawList, (std::vector<std::string>{"missing.txt", list}));
  EXPECT_EQ(state.secondDrawList, (std::vector<std::string>{G("赵"), G("钱"), G("孙")}));
}

// A choice or list that leads to no name still gives the class a result: the
// drawn number.
TEST_F(DrawTest, NoNameToBeHadAnnouncesTheNumber) {
  p.Write("empty.txt", "");
  p.Write("short.txt", G("甲\r\n乙\r\n"));
  p.Write("namelist_record.vlok", "\r\nnowhere.txt\r\n" + (p.RunDir() / "empty.txt").string() +
                                      "\r\n" + (p.RunDir() / "short.txt").string() + "\r\n");
  Start("3", "no", 777);  // 3, 3, 3, 1, 2, 1, 2, 3
  const std::pair<const char*, const char*> cases[] = {
      {"0", "恭喜3号同学被选中！"},  // saved with nothing selected
      {"9", "恭喜3号同学被选中！"},  // beyond the register
      {"1", "恭喜3号同学被选中！"},  // an empty register line
      {"2", "恭喜1号同学被选中！"},  // a missing file
      {"3", "恭喜2号同学被选中！"},  // an empty file
      {"4", "恭喜甲同学被选中！"},  {"4", "恭喜乙同学被选中！"},
      {"4", "恭喜3号同学被选中！"},  // beyond the names
  };
  for (const auto& [choice, expected] : cases) {
    p.Write("namelist_to_use.vlok", choice);
    EXPECT_EQ(DrawInBox(), G(expected)) << choice;
  }
}

TEST_F(DrawTest, SixtyNamesInGbkAndUtf8InAllFourLanguages) {
  std::string gbk, utf8;
  for (int k = 1; k <= 60; ++k) {
    gbk += G("学生") + std::to_string(k) + "\r\n";
    utf8 += "学生" + std::to_string(k) + "\n";
  }
  p.Write("namelist.txt", gbk);
  Start("60", "no", 5000);  // 25, 30, 52, 13, 34, 40, 2, 22
  const char* languages[] = {"中文", "English", "日本语", "Русский"};
  const std::vector<std::string> expected = {
      G("恭喜学生25同学被选中！"),
      G("Congratulations to 同学学生30 for being selected"),
      G("おめでとう学生52同学が選ばれました"),
      G("Поздравляем学生13同学выбрано"),
      G("恭喜学生34同学被选中！"),
      G("Congratulations to 同学学生40 for being selected"),
      G("おめでとう学生2同学が選ばれました"),
      G("Поздравляем学生22同学выбрано"),
  };
  for (int draw = 0; draw < 8; ++draw) {
    if (draw == 4) p.Write("namelist.txt", "\xEF\xBB\xBF" + utf8);
    p.Write("language.vlok", G(languages[draw % 4]));
    EXPECT_EQ(DrawInBox(), expected[static_cast<std::size_t>(draw)]) << draw;
  }
}

}  // namespace
