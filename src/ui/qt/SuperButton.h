#pragma once

#include <QAbstractButton>

#include "ui/ControlSpec.h"

namespace ui::qt {

// A flat button drawn in one of three colour pairs: resting, pointer over it,
// and held down. It follows the pointer in and out to change its look.
class SuperButton final : public QAbstractButton {
  Q_OBJECT
 public:
  SuperButton(const Scheme& scheme, QWidget* parent);
  QSize sizeHint() const override { return size(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  Scheme scheme_;
  bool hovered_ = false;
};

}  // namespace ui::qt
