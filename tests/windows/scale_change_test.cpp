// A window moved to a screen of another scale (a projector beside the
// laptop's screen) is laid out anew at that scale, as Windows asks with
// WM_DPICHANGED.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/TestProgram.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/Widgets.h"
#include "ui/win32/Win32Layer.h"

namespace {

using testing_support::TestProgram;
namespace mw = ui::MainWindow;
namespace win32 = ui::win32;

// Controls of every kind the main window lays out itself or takes from the
// system: a picture, own buttons and labels, the page container with its
// pages, an edit box with the system's edit control inside, a label on a page.
const ui::ControlId kLookedAt[] = {mw::图片框1, mw::计分板,    mw::设置,   mw::time,
                                   mw::选择,    mw::透明标签3, mw::编辑框1};

const ui::ControlSpec& Decl(ui::ControlId c) {
  return ui::catalogue::kMainWindowControls[c.index];
}

RECT InParent(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool operator==(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != FALSE;
}

std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
         std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

int CharacterHeight(HFONT font) {
  LOGFONTW made{};
  GetObjectW(font, sizeof made, &made);
  return -made.lfHeight;
}

// What the window shows, in the screen's pixels.
struct Layout {
  RECT window{};
  std::vector<RECT> controls;
  RECT page{};        // the first page of the page container
  RECT edit{};        // the edit control inside its box
  int editFont = 0;   // its character height
  int labelFont = 0;  // the character height a caption is drawn at
  RECT picture{};     // where the picture is drawn in its box
};

class ScaleChangeTest : public testing::Test {
 protected:
  void SetUp() override {
    p.StartPastSplash();
    layer = win32::AsWin32Layer(p.layer());
  }

  HWND Hwnd(ui::ControlId c) { return layer->FindControl(c)->hwnd; }
  HWND Top() { return layer->Find(ui::WindowId::MainWindow)->hwnd; }

  Layout Read() {
    Layout now;
    p.ui().Sync([&] {
      UpdateWindow(Top());  // the picture is drawn for its box
      GetWindowRect(Top(), &now.window);
      for (ui::ControlId c : kLookedAt) now.controls.push_back(InParent(Hwnd(c)));
      now.page = InParent(layer->FindControl(mw::选择)->pages[0]);
      HWND edit = layer->FindControl(mw::编辑框1)->edit;
      now.edit = InParent(edit);
      now.editFont = CharacterHeight(reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
      now.labelFont = CharacterHeight(win32::CaptionLayoutOf(Hwnd(mw::透明标签3))->font);
      now.picture = win32::HasPicture(Hwnd(mw::图片框1))
                        ? win32::WidgetOf(Hwnd(mw::图片框1))->drawnRect
                        : RECT{};
    });
    return now;
  }

  void ChangeScale(int dpi, const RECT& suggested) {
    p.ui().Sync([&] {
      SendMessageW(Top(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&suggested));
    });
  }

  TestProgram p;
  win32::Win32Layer* layer = nullptr;
};

TEST_F(ScaleChangeTest, TheWindowAndEveryControlTakeTheNewScaleAndGoBackWhole) {
  const Layout before = Read();
  const int from = win32::ScreenDpi();
  const int to = from * 3 / 2;
  auto scaled = [to](int px) { return win32::Scaled(px, to); };
  const RECT suggested{before.window.left - 40, before.window.top - 30,
                       before.window.left - 40 + scaled(712), before.window.top - 30 + scaled(477)};
  ChangeScale(to, suggested);
  const Layout after = Read();

  EXPECT_TRUE(after.window == suggested) << Text(after.window);
  for (std::size_t i = 0; i < std::size(kLookedAt); ++i) {
    const ui::ControlSpec& c = Decl(kLookedAt[i]);
    const RECT expected{scaled(c.left), scaled(c.top), scaled(c.left) + scaled(c.width),
                        scaled(c.top) + scaled(c.height)};
    EXPECT_TRUE(after.controls[i] == expected) << c.name << ": " << Text(after.controls[i]);
    // The driver reads the places in the catalogue's pixels whatever the scale.
    EXPECT_EQ(p.ui().Geometry(kLookedAt[i]), (ui::Rect{c.left, c.top, c.width, c.height}))
        << c.name;
  }
  EXPECT_EQ(p.ui().WindowGeometry(ui::WindowId::MainWindow).width, 712);
  const ui::ControlSpec& pages = Decl(mw::选择);
  EXPECT_TRUE(after.page == (RECT{0, 0, scaled(pages.width), scaled(pages.height)}))
      << Text(after.page);
  EXPECT_EQ(after.editFont, scaled(Decl(mw::编辑框1).font.px));
  EXPECT_GT(after.edit.bottom - after.edit.top, before.edit.bottom - before.edit.top);
  EXPECT_EQ(after.labelFont, scaled(Decl(mw::透明标签3).font.px));
  // The logo is drawn anew for its larger box, not stretched.
  const int drawnBefore = before.picture.bottom - before.picture.top;
  EXPECT_NEAR(after.picture.bottom - after.picture.top, drawnBefore * 3 / 2, 2)
      << Text(after.picture);
  EXPECT_TRUE(p.ui().CaptionFits(mw::随机选人));

  if (const char* dir = std::getenv("BREVANT_SNAPSHOT_DIR")) {
    EXPECT_TRUE(
        p.ui().Snapshot(ui::WindowId::MainWindow, std::string(dir) + "/MainWindow-rescaled.png"));
  }

  // Back on the first screen everything is where it was.
  ChangeScale(from, before.window);
  const Layout back = Read();
  EXPECT_TRUE(back.window == before.window) << Text(back.window);
  for (std::size_t i = 0; i < std::size(kLookedAt); ++i) {
    EXPECT_TRUE(back.controls[i] == before.controls[i])
        << Decl(kLookedAt[i]).name << ": " << Text(back.controls[i]);
  }
  EXPECT_TRUE(back.edit == before.edit) << Text(back.edit);
  EXPECT_EQ(back.editFont, before.editFont);
  EXPECT_EQ(back.labelFont, before.labelFont);
  EXPECT_TRUE(back.picture == before.picture) << Text(back.picture);
}

}  // namespace
