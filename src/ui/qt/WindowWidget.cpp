#include "ui/qt/WindowWidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QWindow>

#include "ui/qt/X11Hints.h"

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
      state_ = State::Pressed;
      pressedAt_ = mouse->globalPosition().toPoint();
      offset_ = pressedAt_ - window_->frameGeometry().topLeft();
      return true;
    }
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (state_ == State::Idle) return false;
      // The button is up without its release reaching us: the window system
      // had it, or it was lost. Nothing moves any more.
      if (!(mouse->buttons() & Qt::LeftButton)) {
        state_ = State::Idle;
        return false;
      }
      const QPoint at = mouse->globalPosition().toPoint();
      if (state_ == State::Following) window_->move(at - offset_);
      if (state_ != State::Pressed) return true;
      if ((at - pressedAt_).manhattanLength() < QApplication::startDragDistance()) return true;
      // The window system moves the window where it can, and sees the
      // release itself; otherwise follow the pointer here.
      QWindow* handle = window_->windowHandle();
      if (handle && handle->startSystemMove()) {
        state_ = State::SystemMove;
        return true;
      }
      state_ = State::Following;
      window_->move(at - offset_);
      return true;
    }
    case QEvent::MouseButtonRelease:
      if (state_ == State::Idle) return false;
      // Had the window system taken over, the release would have gone to it.
      if (state_ == State::SystemMove) CancelSystemMove(window_);
      state_ = State::Idle;
      return true;
    default:
      return false;
  }
}

}  // namespace ui::qt
