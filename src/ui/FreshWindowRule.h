#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace ui {

// Keeps a click that was meant for the window underneath away from a window
// that has only just opened: the second click of a double click on a button
// that opens a window would otherwise land on whatever the new window has
// under the pointer (the result window's "正确", a message box's OK). A press
// that arrives within kQuietMs of the input before the window opened, by the
// input's own times, is dropped; so is the release that ends it.
//
// The backend feeds it the window system's input in order; windows are told
// apart by a key of the backend's choosing (a handle or a pointer).
class FreshWindowRule {
 public:
  using Key = const void*;
  // Input times in milliseconds; they wrap around, as the window system's do.
  using Time = uint32_t;
  static constexpr Time kQuietMs = 400;

  // The window is showing now: input just after the last one is kept from it.
  void Opened(Key top);
  // The window has gone: its key may come back for another window.
  void Forgotten(Key top);
  // Around a box or dialog whose window is made and destroyed inside the call
  // that shows it (its key unknown beforehand); dialogs nest, and only the
  // innermost takes input.
  void DialogOpening();
  void DialogClosed();

  // A key press or any input that only tells the time.
  void Input(Time at) { lastInput_ = at; }
  // Whether the window takes the button press; isDialog: the window is a
  // system dialog (for the ones announced by DialogOpening).
  bool TakesPress(Key top, Time at, bool isDialog = false);
  // Whether the window takes the release: not when it ends a dropped press.
  bool TakesRelease(Key top, Time at);

 private:
  std::optional<Time> OpenedAt(Key top, bool isDialog) const;

  struct Fresh {
    Key top;
    Time openedAt;  // the time of the last input before it opened
  };
  std::vector<Fresh> fresh_;
  std::vector<Time> dialogs_;  // the open dialogs' opening times, innermost last
  Time lastInput_ = 0;
  Key swallowRelease_ = nullptr;  // the window of a dropped press, until its release
};

}  // namespace ui
