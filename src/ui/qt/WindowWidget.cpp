#include "ui/qt/WindowWidget.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QWindow>

namespace ui::qt {

WindowWidget::WindowWidget(QWidget* owner, Qt::WindowFlags flags, std::function<void()> onUserClose)
    : QWidget(owner, flags), onUserClose_(std::move(onUserClose)) {}

void WindowWidget::closeEvent(QCloseEvent* event) {
  if (closing_) {
    event->accept();
    return;
  }
  event->ignore();
  if (onUserClose_) onUserClose_();
}

DragToMove::DragToMove(QWidget* window) : QObject(window), window_(window) {}

bool DragToMove::eventFilter(QObject*, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) return false;
      // The window system moves the window where it can; otherwise follow the
      // pointer ourselves.
      QWindow* handle = window_->windowHandle();
      if (handle && handle->startSystemMove()) return true;
      dragging_ = true;
      offset_ = mouse->globalPosition().toPoint() - window_->frameGeometry().topLeft();
      return true;
    }
    case QEvent::MouseMove:
      if (!dragging_) return false;
      window_->move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - offset_);
      return true;
    case QEvent::MouseButtonRelease:
      if (!dragging_) return false;
      dragging_ = false;
      return true;
    default:
      return false;
  }
}

}  // namespace ui::qt
