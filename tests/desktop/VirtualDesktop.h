#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// A virtual X display with a real window manager (Xvfb and openbox), started
// for the tests that check what a window manager makes of the program's
// windows. DISPLAY names it while it runs.
class VirtualDesktop {
 public:
  // Nothing, with the reason in why, when either program cannot start.
  static std::unique_ptr<VirtualDesktop> Start(std::string& why);
  ~VirtualDesktop();

  // The desktop of this test process, if it started.
  static VirtualDesktop* Current();

  // Client windows from bottom to top, as the window manager stacks them.
  std::vector<uint64_t> Stacking() const;
  uint64_t ActiveWindow() const;
  uint64_t TransientFor(uint64_t window) const;
  // The value of a property as xprop prints it, a text without its quotes;
  // nothing when the property is not set.
  std::optional<std::string> Property(uint64_t window, const std::string& name) const;
  std::vector<long> Cardinals(uint64_t window, const std::string& name) const;
  // The pointer moves to (x, y) on the screen and the left button clicks there.
  void ClickAt(int x, int y) const;
  // The same with the button held down for the given time, as a hasty
  // teacher's click; with busyWindowManager, the window manager takes no
  // part until the click is over, as a busy one would be late.
  void ClickAt(int x, int y, std::chrono::milliseconds held, bool busyWindowManager = false) const;
  // The left button goes down at (x, y), the pointer moves by (dx, dy) in a
  // few steps, each pause apart, and the button goes up there; a busy window
  // manager as for ClickAt.
  void DragAt(int x, int y, int dx, int dy,
              std::chrono::milliseconds pause = std::chrono::milliseconds(30),
              bool busyWindowManager = false) const;
  // The pointer moves to (x, y), no button held.
  void MovePointerTo(int x, int y) const;
  // Where the window's top left corner is on the screen.
  std::pair<int, int> Position(uint64_t window) const;

 private:
  VirtualDesktop() = default;
  int server_ = -1, windowManager_ = -1;
};

// Polls until done() holds, up to the limit; returns whether it did.
bool WaitFor(const std::function<bool()>& done,
             std::chrono::milliseconds limit = std::chrono::seconds(10));

}  // namespace testing_support
