// Captions show whole in every window and language: a caption too long for its
// control is drawn smaller, and labels let their group box show through.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>

#include "support/TestProgram.h"
#include "ui/image/Image.h"

namespace {

using testing_support::G;
using testing_support::TestProgram;
namespace mw = ui::MainWindow;

void ExpectCaptionsFit(TestProgram& p, ui::WindowId w, const std::string& language) {
  const ui::WindowSpec& decl = ui::Window(w);
  for (uint16_t i = 0; i < decl.controls.size(); ++i) {
    EXPECT_TRUE(p.ui().CaptionFits({w, i})) << decl.name << " " << decl.controls[i].name << " in "
                                            << language << ": " << p.ui().Text({w, i});
  }
}

// With the texts handlers put there: the running countdown, an announcement
// and the headcount message, which are the longest.
TEST(CaptionFitTest, NoCaptionIsCutInAnyWindowOrLanguage) {
  for (const char* language : {"中文", "English", "日本语", "Русский"}) {
    TestProgram p;
    p.Write("language.vlok", G(language));
    p.Write("RS.vlok", "30");
    p.Write("CH.vlok", G("同学"));
    p.Write("ynreward.vlok", "no");
    p.Start();
    ExpectCaptionsFit(p, ui::WindowId::SplashWindow, language);
    ASSERT_TRUE(p.ui().FireTimer(ui::SplashWindow::时钟1));

    ASSERT_TRUE(p.ui().Click(mw::随机选人));
    ASSERT_TRUE(p.ui().Type(mw::倒计时待转换框, "1"));
    ASSERT_TRUE(p.ui().Click(mw::开始倒计时));
    ASSERT_TRUE(p.ui().FireTimer(mw::时钟2));
    ASSERT_TRUE(p.ui().Click(mw::随机选人开始));
    ASSERT_TRUE(p.ui().AnswerMessageBox());
    ExpectCaptionsFit(p, ui::WindowId::MainWindow, language);

    ASSERT_TRUE(p.ui().Click(mw::设置));
    ASSERT_TRUE(p.ui().Type(mw::编辑框5, "0"));
    ASSERT_TRUE(p.ui().Click(mw::随机选人));
    ASSERT_TRUE(p.ui().Click(mw::随机选人开始));
    ASSERT_TRUE(p.ui().AnswerMessageBox());
    EXPECT_TRUE(p.ui().CaptionFits(mw::标签5)) << language << ": " << p.ui().Text(mw::标签5);

    for (const ui::WindowSpec* w : ui::AllWindows()) {
      if (w->id == ui::WindowId::MainWindow || w->id == ui::WindowId::SplashWindow) continue;
      p.ui().Post([&] { p.layer().LoadWindow(w->id, ui::kNoOwner, false); });
      ExpectCaptionsFit(p, w->id, language);
      p.ui().Post([&] { p.layer().CloseWindow(w->id); });
    }
  }
}

TEST(CaptionFitTest, LabelsInGroupBoxesShowTheGroupBoxBehindThem) {
  TestProgram p;
  p.StartPastSplash();
  const ui::WindowId w = ui::WindowId::AdminSettingsWindow;
  p.ui().Post([&] { p.layer().LoadWindow(w, ui::kNoOwner, false); });
  const std::string png = (p.RunDir() / "settings.png").string();
  ASSERT_TRUE(p.ui().Snapshot(w, png));
  std::ifstream in(png, std::ios::binary);
  const ui::Image image = ui::DecodeImage(std::string(std::istreambuf_iterator<char>(in), {}));
  ASSERT_FALSE(image.empty());
  // The snapshot has the outer size; the client area sits in its frame.
  const ui::Rect client = p.ui().ClientGeometry(w), outer = p.ui().WindowGeometry(w);
  const int left = (outer.width - client.width) / 2, top = outer.height - left - client.height;
  const ui::Rect label = p.ui().ScreenRect(ui::AdminSettingsWindow::标签1);
  auto pixel = [&](int dx, int dy) {
    const int x = label.left - client.left + left + dx, y = label.top - client.top + top + dy;
    const uint8_t* at = &image.rgba[static_cast<std::size_t>((y * image.width + x) * 4)];
    return std::array<int, 3>{at[0], at[1], at[2]};
  };
  // Below the caption, inside the label; and just below the label.
  EXPECT_EQ(pixel(label.width - 2, label.height - 3), pixel(label.width - 2, label.height + 6));
}

}  // namespace
