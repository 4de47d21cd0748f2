// Picking a name list on the real windows: a double click on the list hands
// over to the companion program. The register and the choice are tested on
// the recording layer.
#include <gtest/gtest.h>

#include <string>

#include "support/TestProgram.h"

namespace {

using testing_support::TestProgram;
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
    ASSERT_TRUE(p.ui().Click(ui::MainWindow::设置));
  }

  TestProgram p;
};

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

}  // namespace
