#include "ui/DriverBase.h"

#include <memory>

namespace ui {

void DriverBase::Post(std::function<void()> fn) {
  PostToUiThread(std::move(fn));
  Settle();
}

bool DriverBase::Attempt(std::function<Action()> reach) {
  auto acted = std::make_shared<bool>(false);
  Post([acted, reach = std::move(reach)] {
    const Action act = reach();
    if (!act) return;
    // Known before acting: the action may open a modal window and wait there.
    *acted = true;
    act();
  });
  return *acted;
}

bool DriverBase::FireTimer(ControlId c) {
  return Attempt([this, c]() -> Action {
    if (!layer_.TimerRuns(c)) return {};
    return [this, c] { layer_.FireTimer(c); };
  });
}

bool DriverBase::CloseByUser(WindowId w) {
  return Attempt([this, w]() -> Action {
    if (!layer_.IsOpen(w)) return {};
    return CloseBox(w);
  });
}

bool DriverBase::IsOpen(WindowId w) {
  return Read([&] { return layer_.IsOpen(w); });
}

std::vector<WindowId> DriverBase::OpenWindows() {
  return Read([&] {
    std::vector<WindowId> windows;
    for (int i = 0; i < kWindowCount; ++i) {
      if (layer_.IsOpen(static_cast<WindowId>(i))) windows.push_back(static_cast<WindowId>(i));
    }
    return windows;
  });
}

std::string DriverBase::Text(ControlId c) {
  return Read(
      [&]() -> std::string { return layer_.IsOpen(c.window) ? layer_.Text(c) : std::string(); });
}

bool DriverBase::IsChecked(ControlId c) {
  return Read([&] { return layer_.IsOpen(c.window) && layer_.Checked(c); });
}

int DriverBase::Selection(ControlId c) {
  return Read([&] { return layer_.IsOpen(c.window) ? layer_.Selection(c) : -1; });
}

std::vector<std::string> DriverBase::Items(ControlId c) {
  return Read([&] { return layer_.Items(c); });
}

Rect DriverBase::Geometry(ControlId c) {
  return Read([&] {
    const ControlState* state = layer_.ReadyState(c);
    if (!state) return Rect{};
    if (state->decl->kind == Kind::Timer) return Rect{state->decl->left, state->decl->top, 0, 0};
    return PlacedRect(c);
  });
}

int DriverBase::Page(ControlId c) {
  return Read([&] { return layer_.IsOpen(c.window) ? layer_.Page(c) : -1; });
}

int DriverBase::Interval(ControlId c) {
  return Read([&] {
    const ControlState* state = layer_.ReadyState(c);
    return state ? state->interval : -1;
  });
}

std::optional<int> DriverBase::ExitCode() {
  return Read([&] { return layer_.ExitCode(); });
}

}  // namespace ui
