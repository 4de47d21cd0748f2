#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace ui::qt {

// Keeps a click that was meant for the window underneath away from a window
// that has only just opened: the second click of a double click on a button
// that opens a window would otherwise land on whatever the new window has
// under the pointer (the result window's "正确", a message box's OK). Presses
// that arrive within kQuietMs of the input that opened the window, by the
// window system's event times, are dropped together with their release.
class FreshWindowGuard final : public QObject {
 public:
  static constexpr unsigned long kQuietMs = 400;

  FreshWindowGuard();
  ~FreshWindowGuard() override;

  // Called as the window (or message box) is shown.
  void Guard(QWidget* top);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Fresh {
    QPointer<QWidget> top;
    unsigned long openedAt;  // the time of the last input before it opened
  };
  std::vector<Fresh> fresh_;
  unsigned long lastInput_ = 0;
  QPointer<QWidget> swallowRelease_;  // a dropped press's window, until its release
};

}  // namespace ui::qt
