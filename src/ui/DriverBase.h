#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Driver.h"
#include "ui/LayerBase.h"

namespace ui {

// What the test driver reads and does the same on every backend: reading
// through the layer on the UI thread, timers, the title bar's close box and
// the open-window table. A backend's driver supplies the real input and how
// to reach its UI thread.
class DriverBase : public Driver {
 public:
  explicit DriverBase(LayerBase& layer) : layer_(layer) {}

  void Post(std::function<void()> fn) final;

  bool FireTimer(ControlId timer) override;
  bool CloseByUser(WindowId w) override;

  bool IsOpen(WindowId w) override;
  std::vector<WindowId> OpenWindows() override;
  std::string Text(ControlId c) override;
  bool IsChecked(ControlId c) override;
  int Selection(ControlId c) override;
  std::vector<std::string> Items(ControlId c) override;
  Rect Geometry(ControlId c) override;
  int Page(ControlId c) override;
  int Interval(ControlId timer) override;
  std::optional<int> ExitCode() override;

 protected:
  // What f returns on the UI thread.
  template <typename F>
  auto Read(F&& f) -> decltype(f()) {
    decltype(f()) result{};
    Sync([&] { result = f(); });
    return result;
  }
  // An action of the user: reach runs on the UI thread and gives what to do,
  // or nothing when the user cannot reach the target. Returns once the UI
  // thread is idle again (a modal window the action opened may be waiting);
  // whether there was something to do.
  using Action = std::function<void()>;
  bool Attempt(std::function<Action()> reach);

 private:
  // Primitives: hands fn to the UI thread, and waits until that thread has
  // handled everything it has been given.
  virtual void PostToUiThread(std::function<void()> fn) = 0;
  virtual void Settle() = 0;
  // Where the control (not a timer) of an open window is in its container.
  virtual Rect PlacedRect(ControlId c) = 0;
  // Pressing the open window's close box; nothing when the user cannot reach it.
  virtual Action CloseBox(WindowId w) = 0;

  LayerBase& layer_;
};

// The backend's driver for the layer, when the layer is the backend's.
template <typename BackendDriver, typename BackendLayer>
std::unique_ptr<Driver> MakeDriver(Layer& layer) {
  auto* backend = dynamic_cast<BackendLayer*>(&layer);
  return backend ? std::make_unique<BackendDriver>(*backend) : nullptr;
}

}  // namespace ui
