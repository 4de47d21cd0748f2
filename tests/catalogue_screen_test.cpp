#include <gtest/gtest.h>

#include <string>

#include "app/Handlers.h"
#include "app/shared/App.h"
#include "app/shared/AppState.h"
#include "core/FileStore.h"
#include "platform/Platform.h"
#include "support/FakeClock.h"
#include "support/NullLayer.h"
#include "support/TestProgram.h"
#include "ui/Catalogue.h"
#include "ui/Layer.h"

namespace {

using testing_support::TestProgram;

// Binding only stores the functions; none of these is called.
using UnusedLayer = testing_support::NullLayer;

// The updater window belongs to the updater program, which binds its own two
// handlers; every other window's events reach the main program's handlers.
TEST(Catalogue, MainProgramBindsEveryHandlerItsWindowsUse) {
  UnusedLayer layer;
  core::FileStore files([] { return core::fs::path("."); });
  testing_support::FakeClock clock;
  auto platform = platform::CreateSystemPlatform();
  app::AppState state;
  app::BackgroundWork startWrites;
  app::App app{layer, files, clock, *platform, state, startWrites};
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
      const ui::Rect at = driver.Geometry(id), on = driver.ScreenRect(id),
                     client = driver.ClientGeometry(w.id);
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

// Loads a window modeless on the UI thread, as a handler would; true once it
// is open.
bool LoadModeless(TestProgram& p, ui::WindowId w) {
  bool loaded = false;
  p.ui().Post([&] { loaded = p.layer().LoadWindow(w, ui::kNoOwner, false); });
  return loaded && p.ui().IsOpen(w);
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
    ASSERT_TRUE(LoadModeless(p, w->id)) << w->name << " does not open";
    ExpectWindowMatchesItsRow(p.ui(), *w);
  }
}

}  // namespace
