// What the windows look like, read back from snapshots: overlapping controls
// keep their stacking order, transparent labels show what lies beneath them,
// and pictures with an alpha channel are fitted onto their box's colour.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/TempDir.h"
#include "ui/Backend.h"
#include "ui/Catalogue.h"
#include "ui/image/Image.h"

namespace {

using namespace ui;

struct Pixel {
  int r, g, b;
};

// A snapshot of a window, decoded.
class Shot {
 public:
  explicit Shot(Image image) : image_(std::move(image)) {}
  bool empty() const { return image_.empty(); }
  Pixel At(int x, int y) const {
    const uint8_t* p = &image_.rgba[(static_cast<std::size_t>(y) * image_.width + x) * 4];
    return {p[0], p[1], p[2]};
  }
  // How many pixels of the rectangle match.
  template <typename F>
  int Count(Rect r, F matches) const {
    int n = 0;
    for (int y = r.top; y < r.top + r.height; ++y) {
      for (int x = r.left; x < r.left + r.width; ++x) n += matches(At(x, y)) ? 1 : 0;
    }
    return n;
  }

 private:
  Image image_;
};

bool Dark(Pixel p) {
  return p.r < 100 && p.g < 100 && p.b < 100;
}
bool White(Pixel p) {
  return p.r > 235 && p.g > 235 && p.b > 235;
}
bool Accent(Pixel p) {
  return std::abs(p.r - 169) < 24 && std::abs(p.g - 69) < 24 && std::abs(p.b - 71) < 24;
}

class DrawingTest : public testing::Test {
 protected:
  DrawingTest() : dir_(testing_support::MakeTempDir("brevant-drawing")) {
    RunOnUiThread([this] {
      layer_ = CreateLayer(handlers_, {.manualTimers = true, .hostedEventLoop = true});
    });
    driver_ = CreateDriver(*layer_);
  }
  ~DrawingTest() override {
    driver_->Post([this] { layer_->EndProgram(0); });
    driver_.reset();
    RunOnUiThread([this] { layer_.reset(); });
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  Shot Snap(WindowId w) {
    driver_->Post([=, this] { layer_->LoadWindow(w, kNoOwner, false); });
    const std::filesystem::path png = dir_ / "shot.png";
    if (!driver_->Snapshot(w, png.string())) return Shot(Image{});
    std::ifstream in(png, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Shot(DecodeImage(bytes));
  }

  std::filesystem::path dir_;
  HandlerTable handlers_;
  std::unique_ptr<Layer> layer_;
  std::unique_ptr<Driver> driver_;
};

TEST_F(DrawingTest, MainWindowShowsEveryLayerInItsOrder) {
  const Shot shot = Snap(WindowId::MainWindow);
  ASSERT_FALSE(shot.empty());
  // The page title and the four score boxes all show, although transparent
  // labels of the same page are drawn after them.
  EXPECT_GT(shot.Count({152, 48, 560, 56}, Dark), 50);
  for (int row = 0; row < 4; ++row) {
    EXPECT_GT(shot.Count({152 + 192, 48 + 64 + 64 * row, 176, 40}, Dark), 20)
        << "score box " << row + 1;
  }
  // The clock's white text lies above the top bar it overlaps.
  EXPECT_GT(shot.Count({152, 0, 288, 48}, White), 50);
  EXPECT_TRUE(Accent(shot.At(600, 30)));
  // The logo mark: an accent block fitted into its white box, the box's
  // colour showing through the transparent parts.
  EXPECT_TRUE(White(shot.At(2, 2)));
  EXPECT_TRUE(White(shot.At(149, 93)));
  EXPECT_GT(shot.Count({28, 8, 96, 80}, Accent), 1500);
}

// Controls that do not show when their window first appears may be made
// after it: what a handler gave them before is theirs when they show.
TEST_F(DrawingTest, ControlsNotShownAtFirstKeepWhatTheyWereGiven) {
  std::string text;
  bool comboVisible = false;
  driver_->Post([this] {
    layer_->LoadWindow(WindowId::MainWindow, kNoOwner, false);
    layer_->SetText(MainWindow::透明标签13, "ABC");
    layer_->SetVisible(MainWindow::组合框1, true);
    layer_->SetPage(MainWindow::选择, 2);
  });
  driver_->Sync([&, this] {
    text = layer_->Text(MainWindow::透明标签13);
    comboVisible = layer_->Visible(MainWindow::组合框1);
  });
  EXPECT_EQ(text, "ABC");
  EXPECT_TRUE(comboVisible);
  const Shot shot = Snap(WindowId::MainWindow);
  ASSERT_FALSE(shot.empty());
  // The short red text in the middle of its label, none of the longer one.
  auto red = [](Pixel p) { return p.r > 200 && p.g < p.r - 80 && p.b < p.r - 80; };
  const int left = 152 + 128, top = 48 + 296;
  EXPECT_GT(shot.Count({left + 140, top, 56, 16}, red), 5);
  EXPECT_EQ(shot.Count({left, top, 100, 16}, red), 0);
}

TEST_F(DrawingTest, TransparentLabelShowsThePictureBeneathIt) {
  const Shot shot = Snap(WindowId::SplashWindow);
  ASSERT_FALSE(shot.empty());
  // The credit line lies on the white part of the splash picture: around its
  // light grey letters the picture shows, not a background of its own.
  const Rect credit{0, 208, 112, 40};
  const int area = credit.width * credit.height;
  EXPECT_GT(shot.Count(credit, White), area / 2);
  EXPECT_GT(shot.Count(credit, [](Pixel p) { return !White(p); }), 20);
}

}  // namespace
