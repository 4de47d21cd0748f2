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
// window's background, its labels, picture boxes and group boxes.
class DragToMove final : public QObject {
  Q_OBJECT
 public:
  explicit DragToMove(QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  bool dragging_ = false;
  QPoint offset_;
};

}  // namespace ui::qt
