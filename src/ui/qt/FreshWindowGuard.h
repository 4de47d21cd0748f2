#pragma once

#include <QObject>
#include <QWidget>

#include "ui/FreshWindowRule.h"

namespace ui::qt {

// Feeds the program's mouse and key events to the fresh-window rule and
// drops the presses and releases it keeps from a window that has only just
// opened (message boxes and dialogs included), by the window system's event
// times.
class FreshWindowGuard final : public QObject {
 public:
  FreshWindowGuard();
  ~FreshWindowGuard() override;

  // Called as the window (or message box) is shown.
  void Guard(QWidget* top);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  FreshWindowRule rule_;
};

}  // namespace ui::qt
