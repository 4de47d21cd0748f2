#include "ui/Catalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/Gbk.h"

namespace {

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

}  // namespace
