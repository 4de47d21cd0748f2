#include "ui/qt/FreshWindowGuard.h"

#include <QApplication>
#include <QInputEvent>

namespace ui::qt {

FreshWindowGuard::FreshWindowGuard() {
  qApp->installEventFilter(this);
}

FreshWindowGuard::~FreshWindowGuard() {
  if (qApp) qApp->removeEventFilter(this);
}

void FreshWindowGuard::Guard(QWidget* top) {
  std::erase_if(fresh_, [](const Fresh& f) { return f.top.isNull(); });
  fresh_.push_back({top, lastInput_});
}

bool FreshWindowGuard::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
  const bool release = type == QEvent::MouseButtonRelease;
  if (!press && !release && type != QEvent::KeyPress) return false;
  const unsigned long at = static_cast<QInputEvent*>(event)->timestamp();
  if (at != 0) lastInput_ = at;  // events made up without a time say nothing
  if (!watched->isWidgetType() || type == QEvent::KeyPress) return false;
  QWidget* top = static_cast<QWidget*>(watched)->window();
  if (release) {
    if (swallowRelease_.isNull() || swallowRelease_ != top) return false;
    swallowRelease_.clear();
    return true;
  }
  for (const Fresh& f : fresh_) {
    // Times from before the opening come from another clock; only presses
    // just after it are the rest of the click that opened the window.
    if (f.top == top && at >= f.openedAt && at - f.openedAt < kQuietMs) {
      swallowRelease_ = top;
      return true;
    }
  }
  return false;
}

}  // namespace ui::qt
