#include <gtest/gtest.h>

#include <atomic>

#include "core/Gbk.h"
#include "support/TestProgram.h"
#include "ui/Backend.h"

namespace {

using namespace ui;
using testing_support::G;

// The window layer alone, with handlers the test binds.
class LayerTest : public testing::Test {
 protected:
  LayerTest() {
    RunOnUiThread([this] {
      layer_ = CreateLayer(handlers_, {.manualTimers = true, .hostedEventLoop = true});
    });
    driver_ = CreateDriver(*layer_);
  }
  ~LayerTest() override {
    driver_->Post([this] { layer_->EndProgram(0); });
    driver_.reset();
    RunOnUiThread([this] { layer_.reset(); });
  }
  void Load(WindowId w, bool modal = false, std::optional<WindowId> owner = kNoOwner) {
    driver_->Post([=, this] { layer_->LoadWindow(w, owner, modal); });
  }
  template <typename F>
  auto OnUi(F f) {
    decltype(f()) result{};
    driver_->Sync([&] { result = f(); });
    return result;
  }

  HandlerTable handlers_;
  std::unique_ptr<Layer> layer_;
  std::unique_ptr<Driver> driver_;
};

TEST_F(LayerTest, SelectionsAndPagesAreClamped) {
  Load(WindowId::RootSettingsWindow);
  const ControlId combo = RootSettingsWindow::组合框1;
  EXPECT_EQ(driver_->Selection(combo), -1);
  EXPECT_EQ(OnUi([&] {
              layer_->SetSelection(combo, 7);
              return layer_->Selection(combo);
            }),
            3);
  EXPECT_EQ(OnUi([&] {
              layer_->SetSelection(combo, -5);
              return layer_->Selection(combo);
            }),
            -1);

  Load(WindowId::NameListPickerWindow);
  const ControlId list = NameListPickerWindow::列表框1;
  EXPECT_EQ(OnUi([&] { return layer_->AddItem(list, "a") + layer_->AddItem(list, "b"); }), 1);
  EXPECT_EQ(OnUi([&] {
              layer_->SetSelection(list, 9);
              return layer_->Selection(list);
            }),
            1);
  EXPECT_EQ(OnUi([&] {
              layer_->SetSelection(list, -5);
              return layer_->Selection(list);
            }),
            -1);

  Load(WindowId::MainWindow);
  const ControlId pages = MainWindow::选择;
  EXPECT_EQ(driver_->Page(pages), 0);
  EXPECT_TRUE(driver_->IsShown(MainWindow::编辑框1));
  EXPECT_EQ(OnUi([&] {
              layer_->SetPage(pages, 9);
              return layer_->Page(pages);
            }),
            3);
  EXPECT_FALSE(driver_->IsShown(MainWindow::编辑框1));
  EXPECT_TRUE(driver_->IsShown(MainWindow::编辑框5));
  EXPECT_EQ(OnUi([&] {
              layer_->SetPage(pages, -1);
              return layer_->Page(pages);
            }),
            0);
  // A hidden control stays hidden when its page is shown; its own flag is kept.
  EXPECT_FALSE(driver_->IsShown(MainWindow::组合框1));
  EXPECT_FALSE(OnUi([&] { return layer_->Visible(MainWindow::组合框1); }));
  EXPECT_EQ(driver_->Text(MainWindow::组合框1), "");
}

TEST_F(LayerTest, LoadingAnOpenWindowRaisesItWithoutASecondCreated) {
  int created = 0;
  handlers_.Bind(Handler::OnDrawResultWindowCreated, [&] { ++created; });
  Load(WindowId::DrawResultWindow);
  Load(WindowId::DrawResultWindow);
  EXPECT_EQ(created, 1);
  // Closing and opening again rebuilds the window from the catalogue.
  driver_->Post([this] {
    layer_->SetText(DrawResultWindow::标签1, "x");
    layer_->CloseWindow(WindowId::DrawResultWindow);
  });
  Load(WindowId::DrawResultWindow);
  EXPECT_EQ(created, 2);
  EXPECT_EQ(driver_->Text(DrawResultWindow::标签1), G("恭喜xx同学被选中"));
}

TEST_F(LayerTest, AModalLoadWaitsUntilTheWindowClosesAndBlocksTheOthers) {
  std::atomic<int> step = 0;
  int clicks = 0;
  handlers_.Bind(Handler::OnStartDrawClick, [&] {
    ++clicks;
    step = 1;
    layer_->LoadWindow(WindowId::DrawResultWindow, WindowId::MainWindow, true);
    step = 2;
  });
  handlers_.Bind(Handler::OnDrawResultCloseClick,
                 [&] { layer_->CloseWindow(WindowId::DrawResultWindow); });
  Load(WindowId::MainWindow);
  driver_->Post([this] { layer_->SetPage(MainWindow::选择, 1); });
  EXPECT_TRUE(driver_->Click(MainWindow::随机选人开始));
  EXPECT_EQ(step, 1);
  EXPECT_EQ(driver_->ModalWindow(), WindowId::DrawResultWindow);
  EXPECT_FALSE(driver_->Click(MainWindow::随机选人开始));  // the main window takes no input
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(driver_->Click(DrawResultWindow::超级按钮3));
  EXPECT_EQ(step, 2);
  EXPECT_FALSE(driver_->IsOpen(WindowId::DrawResultWindow));
  EXPECT_TRUE(driver_->Click(MainWindow::随机选人开始));
  EXPECT_EQ(clicks, 2);
  // The handler refers to this test's locals: let it finish before they go.
  driver_->Click(DrawResultWindow::超级按钮3);
  EXPECT_EQ(step, 2);
}

TEST_F(LayerTest, ClosingByTheTitleBarReleasesTheModalLoad) {
  std::atomic<bool> returned = false;
  handlers_.Bind(Handler::OnPickNameListClick, [&] {
    layer_->LoadWindow(WindowId::NameListPickerWindow, WindowId::MainWindow, true);
    returned = true;
  });
  Load(WindowId::MainWindow);
  driver_->Post([this] { layer_->SetPage(MainWindow::选择, 1); });
  driver_->Click(MainWindow::超级按钮18);
  EXPECT_FALSE(returned);
  EXPECT_TRUE(driver_->CloseByUser(WindowId::NameListPickerWindow));
  EXPECT_TRUE(returned);
}

TEST_F(LayerTest, ClosingTheStartUpWindowEndsTheProgram) {
  handlers_.Bind(Handler::OnCloseMainClick, [&] { layer_->CloseWindow(WindowId::MainWindow); });
  driver_->Post([this] { layer_->Run(WindowId::MainWindow); });
  Load(WindowId::RootSettingsWindow, false, WindowId::MainWindow);
  EXPECT_EQ(driver_->ExitCode(), std::nullopt);
  driver_->Click(MainWindow::超级按钮1);
  EXPECT_EQ(driver_->ExitCode(), 0);
  EXPECT_TRUE(driver_->OpenWindows().empty());
}

TEST_F(LayerTest, AStartUpWindowThatCannotBeLoadedEndsTheProgram) {
  driver_->Post([this] { layer_->Run(WindowId::Count); });
  EXPECT_EQ(driver_->ExitCode(), 1);
  EXPECT_TRUE(driver_->OpenWindows().empty());
}

TEST_F(LayerTest, TouchingAControlOfAClosedWindowEndsTheProgram) {
  driver_->Post([this] { layer_->SetText(DrawResultWindow::标签1, "x"); });
  EXPECT_EQ(driver_->ExitCode(), 1);
}

TEST_F(LayerTest, TimersTickOnlyWhileRunning) {
  int ticks = 0;
  handlers_.Bind(Handler::OnCountdownTick, [&] { ++ticks; });
  Load(WindowId::MainWindow);
  const ControlId timer = MainWindow::时钟2;
  EXPECT_EQ(driver_->Interval(timer), 0);
  EXPECT_FALSE(driver_->FireTimer(timer));
  driver_->Post([&] { layer_->SetInterval(timer, 1000); });
  EXPECT_TRUE(driver_->FireTimer(timer));
  driver_->Post([&] { layer_->SetInterval(timer, -20); });
  EXPECT_EQ(driver_->Interval(timer), 0);
  EXPECT_FALSE(driver_->FireTimer(timer));
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(driver_->Interval(MainWindow::时钟1), 1000);  // running from creation
}

TEST_F(LayerTest, MessageBoxesAreModalAndOwned) {
  handlers_.Bind(Handler::OnScoreNavClick,
                 [&] { layer_->ShowMessage(WindowId::MainWindow, G("文本"), G("信息：")); });
  Load(WindowId::MainWindow);
  driver_->Click(MainWindow::计分板);
  const auto box = driver_->OpenMessageBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, G("文本"));
  EXPECT_EQ(box->title, G("信息："));
  EXPECT_EQ(box->owner, WindowId::MainWindow);
  EXPECT_FALSE(driver_->Click(MainWindow::关于));
  EXPECT_TRUE(driver_->AnswerMessageBox());
  EXPECT_FALSE(driver_->OpenMessageBox().has_value());
}

TEST_F(LayerTest, RadioButtonsOfOneContainerExcludeEachOther) {
  Load(WindowId::RootSettingsWindow);
  driver_->Click(RootSettingsWindow::单选框1);
  driver_->Click(RootSettingsWindow::单选框3);
  EXPECT_TRUE(driver_->IsChecked(RootSettingsWindow::单选框1));
  EXPECT_TRUE(driver_->IsChecked(RootSettingsWindow::单选框3));
  driver_->Click(RootSettingsWindow::单选框2);
  EXPECT_FALSE(driver_->IsChecked(RootSettingsWindow::单选框1));
  EXPECT_TRUE(driver_->IsChecked(RootSettingsWindow::单选框3));
  driver_->Post([this] { layer_->SetChecked(RootSettingsWindow::单选框2, false); });
  EXPECT_FALSE(driver_->IsChecked(RootSettingsWindow::单选框2));
}

TEST_F(LayerTest, TypedTextAndPasswordBoxes) {
  Load(WindowId::AdminLoginWindow);
  EXPECT_TRUE(driver_->Type(AdminLoginWindow::编辑框1, G("密码abc")));
  EXPECT_EQ(driver_->Text(AdminLoginWindow::编辑框1), G("密码abc"));
  EXPECT_TRUE(driver_->Type(AdminLoginWindow::编辑框1, ""));
  EXPECT_EQ(driver_->Text(AdminLoginWindow::编辑框1), "");
}

TEST_F(LayerTest, TheMainWindowMovesWhenDraggedByItsBarsAndPictures) {
  Load(WindowId::MainWindow);
  const Rect before = driver_->WindowGeometry(WindowId::MainWindow);
  auto movedBy = [&](ControlId c) {
    const Rect start = driver_->WindowGeometry(WindowId::MainWindow);
    EXPECT_TRUE(driver_->Drag(c, 30, 20));
    const Rect end = driver_->WindowGeometry(WindowId::MainWindow);
    return std::make_pair(end.left - start.left, end.top - start.top);
  };
  EXPECT_EQ(movedBy(MainWindow::bar), std::make_pair(30, 20));
  EXPECT_EQ(movedBy(MainWindow::图片框1), std::make_pair(30, 20));
  // Buttons and transparent labels keep their presses.
  EXPECT_EQ(movedBy(MainWindow::计分板), std::make_pair(0, 0));
  EXPECT_EQ(movedBy(MainWindow::透明标签3), std::make_pair(0, 0));
  EXPECT_EQ(driver_->WindowGeometry(WindowId::MainWindow).left, before.left + 60);
}

TEST_F(LayerTest, WindowsOpenCentredAtTheirSize) {
  Load(WindowId::MainWindow);
  const Rect frame = driver_->WindowGeometry(WindowId::MainWindow);
  EXPECT_EQ(frame.width, 712);
  EXPECT_EQ(frame.height, 477);
  EXPECT_EQ(driver_->Geometry(MainWindow::time), (Rect{152, 0, 288, 48}));
  EXPECT_EQ(driver_->Geometry(MainWindow::图片框6), (Rect{-48, 112, 192, 136}));
}

}  // namespace

namespace {

TEST_F(LayerTest, BrowseDialogGivesTheChosenPathOrNothing) {
  std::string chosen = "unset";
  handlers_.Bind(Handler::OnScoreNavClick,
                 [&] { chosen = layer_->BrowseForPath(G("选一张图片（建议白底）")); });
  Load(WindowId::MainWindow);
  driver_->Click(MainWindow::计分板);
  EXPECT_EQ(driver_->OpenBrowseDialog(), G("选一张图片（建议白底）"));
  EXPECT_TRUE(driver_->AnswerBrowseDialog(""));
  EXPECT_EQ(chosen, "");
  const std::string path = (std::filesystem::temp_directory_path() / "图片.png").string();
  driver_->Click(MainWindow::计分板);
  EXPECT_TRUE(driver_->AnswerBrowseDialog(core::Utf8ToGbk(path)));
  EXPECT_FALSE(driver_->OpenBrowseDialog().has_value());
  EXPECT_EQ(chosen, core::Utf8ToGbk(path));
}

}  // namespace
