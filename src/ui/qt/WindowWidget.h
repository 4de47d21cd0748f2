#pragma once

#include <QPoint>
#include <QWidget>
#include <functional>

namespace ui::qt {

// A top-level window of the program. A close by the title bar is reported
// instead of performed, so the layer closes it the same way as a handler does.
class WindowWidget final : public QWidget {
  Q_OBJECT
 public:
  WindowWidget(QWidget* owner, Qt::WindowFlags flags, std::function<void()> onUserClose);
  void AllowClose() { closing_ = true; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::function<void()> onUserClose_;
  bool closing_ = false;
};

// Moves a window while the left button is held on a watched widget: the
// window's background, its labels, picture boxes and group boxes. The move
// starts once the pointer has gone a few pixels with the button held: a
// move the window system starts on the press itself can miss a release that
// comes before it has taken over, and then it goes on moving the window
// until the next click. A release that still reaches the window after the
// move was handed over calls the move off.
class DragToMove final : public QObject {
  Q_OBJECT
 public:
  explicit DragToMove(QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class State { Idle, Pressed, Following, SystemMove };
  QWidget* window_;
  State state_ = State::Idle;
  QPoint pressedAt_;  // on the screen
  QPoint offset_;     // of the pointer from the window's corner at the press
};

}  // namespace ui::qt
