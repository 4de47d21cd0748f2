#include "ui/Catalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/App.h"
#include "app/AppState.h"
#include "core/FileStore.h"
#include "platform/Platform.h"
#include "support/FakeClock.h"
#include "support/TestProgram.h"
#include "core/Gbk.h"
#include "ui/Layer.h"

namespace {

using testing_support::TestProgram;

int IndexOf(const ui::WindowSpec& w, std::string_view name) {
  for (std::size_t i = 0; i < w.controls.size(); ++i) {
    if (name == w.controls[i].name) return static_cast<int>(i);
  }
  return -1;
}

std::vector<std::string_view> Lines(std::string_view items) {
  std::vector<std::string_view> out;
  if (items.empty()) return out;
  std::size_t start = 0;
  for (std::size_t nl; (nl = items.find('\n', start)) != std::string_view::npos; start = nl + 1) {
    out.push_back(items.substr(start, nl - start));
  }
  out.push_back(items.substr(start));
  return out;
}

bool EndsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// The word that ends the names of handlers of a kind's event; "" for kinds
// without an event.
std::string_view EventWord(ui::Kind kind) {
  switch (kind) {
    case ui::Kind::SuperButton:
    case ui::Kind::Button:
    case ui::Kind::RadioButton:
      return "Click";
    case ui::Kind::Timer:
      return "Tick";
    case ui::Kind::ListBox:
      return "Picked";  // item double-clicked
    case ui::Kind::PictureBox:
      return "MouseDown";
    default:
      return "";
  }
}

TEST(Catalogue, NamesAreUniqueWithinEachWindow) {
  for (const ui::WindowSpec* w : ui::AllWindows()) {
    std::set<std::string_view> seen;
    for (const ui::ControlSpec& c : w->controls) {
      EXPECT_FALSE(std::string_view(c.name).empty()) << w->name;
      EXPECT_TRUE(seen.insert(c.name).second) << w->name << ": " << c.name << " declared twice";
    }
  }
}

TEST(Catalogue, ContainersComeBeforeTheirChildrenAndHaveTheRightKind) {
  for (const ui::WindowSpec* w : ui::AllWindows()) {
    for (std::size_t i = 0; i < w->controls.size(); ++i) {
      const ui::ControlSpec& c = w->controls[i];
      SCOPED_TRACE(std::string(w->name) + ": " + c.name);
      if (c.container == nullptr) {
        EXPECT_EQ(c.page, -1);
        continue;
      }
      const int at = IndexOf(*w, c.container);
      ASSERT_GE(at, 0) << "no container " << c.container;
      EXPECT_LT(at, static_cast<int>(i)) << "container declared after its child";
      const ui::ControlSpec& box = w->controls[at];
      EXPECT_TRUE(box.kind == ui::Kind::GroupBox || box.kind == ui::Kind::PictureBox ||
                  box.kind == ui::Kind::PageContainer);
      if (box.kind == ui::Kind::PageContainer) {
        EXPECT_GE(c.page, 0);
        EXPECT_LT(c.page, static_cast<int>(Lines(box.items).size()));
      } else {
        EXPECT_EQ(c.page, -1);
      }
    }
  }
}

TEST(Catalogue, MainWindowPagesAreTheFourSideBarPages) {
  const ui::ControlSpec& pages =
      ui::Window(ui::WindowId::MainWindow).controls[ui::MainWindow::选择.index];
  EXPECT_EQ(Lines(pages.items),
            (std::vector<std::string_view>{"计分板", "随机选人/计时", "关于", "设置"}));
}

// Later rows are created later and show above earlier ones.
TEST(Catalogue, MainWindowBarsLieBelowWhatIsDrawnOnThem) {
  namespace m = ui::MainWindow;
  EXPECT_LT(m::bar.index, m::time.index);
  for (ui::ControlId c : {m::图片框1, m::计分板, m::随机选人, m::关于, m::具体倒计时1, m::设置}) {
    EXPECT_LT(m::工作栏.index, c.index) << ui::Window(m::kWindow).controls[c.index].name;
  }
}

TEST(Catalogue, EveryHandlerIsBoundToExactlyOneEvent) {
  std::map<ui::Handler, int> uses;
  for (const ui::WindowSpec* w : ui::AllWindows()) {
    if (w->created != ui::Handler::None) ++uses[w->created];
    for (const ui::ControlSpec& c : w->controls) {
      if (c.handler != ui::Handler::None) ++uses[c.handler];
    }
  }
  for (std::size_t h = 1; h < ui::kHandlerCount; ++h) {
    const auto handler = static_cast<ui::Handler>(h);
    EXPECT_EQ(uses[handler], 1) << ui::HandlerName(handler);
  }
}

TEST(Catalogue, HandlersSitOnEventsOfTheirKind) {
  for (const ui::WindowSpec* w : ui::AllWindows()) {
    if (w->created != ui::Handler::None) {
      EXPECT_TRUE(EndsWith(ui::HandlerName(w->created), "Created")) << w->name;
    }
    for (const ui::ControlSpec& c : w->controls) {
      if (c.handler == ui::Handler::None) continue;
      const std::string_view word = EventWord(c.kind);
      ASSERT_FALSE(word.empty()) << w->name << ": " << c.name << " has no event to bind";
      EXPECT_TRUE(EndsWith(ui::HandlerName(c.handler), word))
          << w->name << ": " << c.name << " -> " << ui::HandlerName(c.handler);
    }
  }
}

// Buttons, timers and list boxes exist for their event; only the two buttons
// outside the about page are inert.
TEST(Catalogue, EveryButtonTimerAndListHasAHandler) {
  const std::set<std::pair<ui::WindowId, std::string_view>> inert = {
      {ui::WindowId::MainWindow, "超级按钮2"}, {ui::WindowId::MainWindow, "超级按钮3"}};
  for (const ui::WindowSpec* w : ui::AllWindows()) {
    for (const ui::ControlSpec& c : w->controls) {
      const bool needsHandler = c.kind == ui::Kind::Button || c.kind == ui::Kind::SuperButton ||
                                c.kind == ui::Kind::Timer || c.kind == ui::Kind::ListBox;
      if (!needsHandler || inert.contains({w->id, c.name})) continue;
      EXPECT_NE(c.handler, ui::Handler::None) << w->name << ": " << c.name;
    }
  }
}

// A character without a GBK form would reach the screen as "?".
TEST(Catalogue, EveryTextHasAGbkForm) {
  for (const ui::WindowSpec* w : ui::AllWindows()) {
    std::vector<std::string_view> texts = {w->caption};
    for (const ui::ControlSpec& c : w->controls) {
      texts.push_back(c.text);
      for (std::string_view item : Lines(c.items)) texts.push_back(item);
    }
    for (std::string_view text : texts) {
      EXPECT_EQ(core::GbkToUtf8(core::Utf8ToGbk(text)), text) << w->name;
    }
  }
}

// Binding only stores the functions; none of these is called.
class UnusedLayer final : public ui::Layer {
 public:
  bool LoadWindow(ui::WindowId, std::optional<ui::WindowId>, bool) override { return false; }
  void CloseWindow(ui::WindowId) override {}
  bool IsOpen(ui::WindowId) const override { return false; }
  std::string Text(ui::ControlId) override { return {}; }
  void SetText(ui::ControlId, std::string_view) override {}
  bool Visible(ui::ControlId) override { return false; }
  void SetVisible(ui::ControlId, bool) override {}
  bool Enabled(ui::ControlId) override { return false; }
  void SetEnabled(ui::ControlId, bool) override {}
  int Selection(ui::ControlId) override { return -1; }
  void SetSelection(ui::ControlId, int) override {}
  int AddItem(ui::ControlId, std::string_view) override { return -1; }
  bool Checked(ui::ControlId) override { return false; }
  void SetChecked(ui::ControlId, bool) override {}
  void SetPicture(ui::ControlId, std::string_view) override {}
  void SetInterval(ui::ControlId, int) override {}
  int Page(ui::ControlId) override { return 0; }
  void SetPage(ui::ControlId, int) override {}
  void ShowMessage(std::optional<ui::WindowId>, std::string_view, std::string_view) override {}
  std::string BrowseForPath(std::string_view) override { return {}; }
  bool RegisterFontFile(const std::string&) override { return false; }
  int Run(ui::WindowId) override { return 0; }
  void EndProgram(int) override {}
};

// The updater window belongs to the updater program, which binds its own two
// handlers; every other window's events reach the main program's handlers.
TEST(Catalogue, MainProgramBindsEveryHandlerItsWindowsUse) {
  UnusedLayer layer;
  core::FileStore files([] { return core::fs::path("."); });
  testing_support::FakeClock clock;
  auto platform = platform::CreateSystemPlatform();
  app::AppState state;
  app::App app{layer, files, clock, *platform, state};
  ui::HandlerTable table;
  app::BindHandlers(app, table);

  for (const ui::WindowSpec* w : ui::AllWindows()) {
    if (w->id == ui::WindowId::UpdaterWindow) continue;
    if (w->created != ui::Handler::None) {
      EXPECT_TRUE(table.IsBound(w->created)) << ui::HandlerName(w->created);
    }
    for (const ui::ControlSpec& c : w->controls) {
      if (c.handler == ui::Handler::None) continue;
      EXPECT_TRUE(table.IsBound(c.handler)) << w->name << ": " << ui::HandlerName(c.handler);
    }
  }
}

// Every control that has a place on screen sits where its row says, relative
// to its container, on every page; the window has the outer size of its row.
void ExpectWindowMatchesItsRow(ui::Driver& driver, const ui::WindowSpec& w) {
  SCOPED_TRACE(w.name);
  const ui::Rect frame = driver.WindowGeometry(w.id);
  EXPECT_EQ(frame.width, w.width);
  EXPECT_EQ(frame.height, w.height);
  for (std::size_t i = 0; i < w.controls.size(); ++i) {
    const ui::ControlSpec& c = w.controls[i];
    if (c.kind == ui::Kind::Timer) continue;
    const ui::ControlId id{w.id, static_cast<uint16_t>(i)};
    if (c.kind == ui::Kind::ListBox && !c.container) {
      // A list box keeps its place and as much of its size as the client
      // area holds, so that its frame and scroll bars stay in view.
      const ui::Rect at = driver.Geometry(id), on = driver.ScreenRect(id), client = driver.ClientGeometry(w.id);
      EXPECT_EQ(at.left, c.left);
      EXPECT_EQ(at.top, c.top);
      EXPECT_LE(on.left + on.width, client.left + client.width) << c.name;
      EXPECT_LE(on.top + on.height, client.top + client.height) << c.name;
      EXPECT_GE(at.width, c.width - 8);
      EXPECT_GE(at.height, c.height - 32);
      continue;
    }
    EXPECT_EQ(driver.Geometry(id), (ui::Rect{c.left, c.top, c.width, c.height})) << c.name;
  }
}

// Loads a window modeless on the UI thread, as a handler would. This needs
// the program's window layer from the test program; without one it returns
// false and the caller skips.
template <typename Program>
bool LoadModeless(Program& p, ui::WindowId w) {
  if constexpr (requires(Program & q) {
                  q.layer().LoadWindow(ui::WindowId{}, ui::kNoOwner, false);
                }) {
    bool loaded = false;
    p.ui().Post([&] { loaded = p.layer().LoadWindow(w, ui::kNoOwner, false); });
    return loaded && p.ui().IsOpen(w);
  } else {
    return false;
  }
}

TEST(CatalogueOnScreen, MainWindowControlsSitWhereTheirRowsSay) {
  TestProgram p;
  p.Write("2e.vlok", "enable");
  p.StartPastSplash();
  ASSERT_TRUE(p.ui().IsOpen(ui::WindowId::MainWindow));

  EXPECT_EQ(p.ui().Geometry(ui::MainWindow::编辑框5), (ui::Rect{120, 24, 80, 48}));
  EXPECT_EQ(p.ui().Geometry(ui::MainWindow::图片框6), (ui::Rect{-48, 112, 192, 136}));
  ExpectWindowMatchesItsRow(p.ui(), ui::Window(ui::WindowId::MainWindow));
}

TEST(CatalogueOnScreen, SplashWindowControlsSitWhereTheirRowsSay) {
  TestProgram p;
  p.Start();
  ASSERT_TRUE(p.ui().IsOpen(ui::WindowId::SplashWindow));
  ExpectWindowMatchesItsRow(p.ui(), ui::Window(ui::WindowId::SplashWindow));
}

TEST(CatalogueOnScreen, OtherWindowsSitWhereTheirRowsSay) {
  TestProgram p;
  p.Write("2e.vlok", "enable");
  p.StartPastSplash();
  for (const ui::WindowSpec* w : ui::AllWindows()) {
    if (w->id == ui::WindowId::MainWindow || w->id == ui::WindowId::SplashWindow) continue;
    if (!LoadModeless(p, w->id)) GTEST_SKIP() << "cannot load " << w->name << " from the test";
    ExpectWindowMatchesItsRow(p.ui(), *w);
  }
}

}  // namespace
