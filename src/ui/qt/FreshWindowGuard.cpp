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
  rule_.Opened(top);
  // A widget made later at the same address is another window.
  connect(top, &QObject::destroyed, this, [this, top] { rule_.Forgotten(top); });
}

bool FreshWindowGuard::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
  const bool release = type == QEvent::MouseButtonRelease;
  if (!press && !release && type != QEvent::KeyPress) return false;
  // Events made up without a time say nothing about when the user acted.
  const auto at = static_cast<FreshWindowRule::Time>(static_cast<QInputEvent*>(event)->timestamp());
  if (at == 0) return false;
  if (!watched->isWidgetType() || type == QEvent::KeyPress) {
    rule_.Input(at);
    return false;
  }
  const QWidget* top = static_cast<QWidget*>(watched)->window();
  return press ? !rule_.TakesPress(top, at) : !rule_.TakesRelease(top, at);
}

}  // namespace ui::qt
