#pragma once

#include <windows.h>

#include <optional>
#include <vector>

namespace ui::win32 {

// Keeps a click that was meant for the window underneath away from a window
// that has only just opened: the second click of a double click on a button
// that opens a window would otherwise land on whatever the new window has
// under the pointer (the result window's "正确", a message box's OK). Presses
// that arrive within kQuietMs of the input that opened the window, by the
// messages' times, are dropped together with their release. It watches every
// message the thread takes from its queue, so message boxes and dialogs,
// which run loops of their own, are guarded too.
class FreshWindowGuard {
 public:
  static constexpr DWORD kQuietMs = 400;

  // Watches the calling thread's messages; the newest guard of a thread acts.
  FreshWindowGuard();
  ~FreshWindowGuard();
  FreshWindowGuard(const FreshWindowGuard&) = delete;
  FreshWindowGuard& operator=(const FreshWindowGuard&) = delete;

  // Called as a window of the program is shown.
  void Guard(HWND top);
  // Around a message box or the browse dialog, whose window is made and
  // destroyed inside the call that shows it; dialogs nest.
  void DialogOpening();
  void DialogClosed();

  // A posted message carries the time it was posted, not the time of the
  // input it stands for. Input posted by the test driver is taken to come at
  // this time instead, so that what it does is the same on every run.
  void SetInputTime(DWORD at) { inputTime_ = at; }

 private:
  static LRESULT CALLBACK OnMessage(int code, WPARAM wp, LPARAM lp);
  // Whether the message taken from the queue is to be dropped.
  bool Drops(const MSG& msg);
  std::optional<DWORD> OpenedAt(HWND root) const;

  struct Fresh {
    HWND top;
    DWORD openedAt;  // the time of the last input before it opened
  };
  FreshWindowGuard* outer_;  // the thread's guard before this one
  HHOOK hook_ = nullptr;
  std::vector<Fresh> fresh_;
  std::vector<DWORD> dialogs_;  // the open dialogs' opening times, innermost last
  DWORD lastInput_ = 0;
  std::optional<DWORD> inputTime_;
  HWND swallowRelease_ = nullptr;  // a dropped press's window, until its release
};

}  // namespace ui::win32
