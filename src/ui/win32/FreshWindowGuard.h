#pragma once

#include <windows.h>

#include <optional>

#include "ui/FreshWindowRule.h"

namespace ui::win32 {

// Feeds every mouse and key message the thread takes from its queue to the
// fresh-window rule and drops the presses and releases it keeps from a window
// that has only just opened. Watching the queue guards message boxes and
// dialogs too, which run loops of their own.
class FreshWindowGuard {
 public:
  // Watches the calling thread's messages; the newest guard of a thread acts.
  FreshWindowGuard();
  ~FreshWindowGuard();
  FreshWindowGuard(const FreshWindowGuard&) = delete;
  FreshWindowGuard& operator=(const FreshWindowGuard&) = delete;

  // Called as a window of the program is shown, and as it goes.
  void Guard(HWND top) { rule_.Opened(top); }
  void Forget(HWND top) { rule_.Forgotten(top); }
  // Around a message box or the browse dialog, whose window is made and
  // destroyed inside the call that shows it; dialogs nest.
  void DialogOpening() { rule_.DialogOpening(); }
  void DialogClosed() { rule_.DialogClosed(); }

  // A posted message carries the time it was posted, not the time of the
  // input it stands for. Input posted by the test driver is taken to come at
  // this time instead, so that what it does is the same on every run.
  void SetInputTime(DWORD at) { inputTime_ = at; }

 private:
  static LRESULT CALLBACK OnMessage(int code, WPARAM wp, LPARAM lp);
  // Whether the message taken from the queue is to be dropped.
  bool Drops(const MSG& msg);

  FreshWindowGuard* outer_;  // the thread's guard before this one
  HHOOK hook_ = nullptr;
  FreshWindowRule rule_;
  std::optional<DWORD> inputTime_;
};

}  // namespace ui::win32
