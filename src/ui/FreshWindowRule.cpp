#include "ui/FreshWindowRule.h"

#include <algorithm>

namespace ui {

void FreshWindowRule::Opened(Key top) {
  Forgotten(top);
  fresh_.push_back({top, lastInput_});
}

void FreshWindowRule::Forgotten(Key top) {
  std::erase_if(fresh_, [top](const Fresh& f) { return f.top == top; });
  if (swallowRelease_ == top) swallowRelease_ = nullptr;
}

void FreshWindowRule::DialogOpening() {
  dialogs_.push_back(lastInput_);
}

void FreshWindowRule::DialogClosed() {
  if (!dialogs_.empty()) dialogs_.pop_back();
}

std::optional<FreshWindowRule::Time> FreshWindowRule::OpenedAt(Key top, bool isDialog) const {
  for (const Fresh& f : fresh_) {
    if (f.top == top) return f.openedAt;
  }
  if (isDialog && !dialogs_.empty()) return dialogs_.back();
  return std::nullopt;
}

bool FreshWindowRule::TakesPress(Key top, Time at, bool isDialog) {
  lastInput_ = at;
  const std::optional<Time> openedAt = OpenedAt(top, isDialog);
  // A time from before the opening comes from another clock (the difference
  // wraps to a large number); only presses just after it are the rest of the
  // click that opened the window.
  const bool drop = openedAt && static_cast<Time>(at - *openedAt) < kQuietMs;
  // A release belongs to the last press: a press that is taken ends any wait
  // for the release of one dropped before, so that a release lost elsewhere
  // never costs a later click its release.
  swallowRelease_ = drop ? top : nullptr;
  return !drop;
}

bool FreshWindowRule::TakesRelease(Key top, Time at) {
  lastInput_ = at;
  if (!swallowRelease_ || swallowRelease_ != top) return true;
  swallowRelease_ = nullptr;
  return false;
}

}  // namespace ui
