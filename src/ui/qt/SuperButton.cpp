#include "ui/qt/SuperButton.h"

#include <QPainter>

#include "ui/qt/QtText.h"

namespace ui::qt {
namespace {

QColor ToQColor(Color c, const QColor& fallback) {
  return c.isDefault ? fallback : QColor(c.r, c.g, c.b);
}

}  // namespace

SuperButton::SuperButton(const Scheme& scheme, QWidget* parent)
    : QAbstractButton(parent), scheme_(scheme) {
  setAttribute(Qt::WA_Hover);
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
}

void SuperButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Color text = scheme_.restText, back = scheme_.restBack;
  if (isDown()) {
    text = scheme_.thirdText;
    back = scheme_.thirdBack;
  } else if (hovered_) {
    text = scheme_.hoverText;
    back = scheme_.hoverBack;
  }
  painter.fillRect(rect(), ToQColor(back, palette().color(QPalette::Button)));
  painter.setPen(ToQColor(text, palette().color(QPalette::ButtonText)));
  painter.setFont(font());
  painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, ForDisplay(this->text()));
}

void SuperButton::enterEvent(QEnterEvent* event) {
  hovered_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void SuperButton::leaveEvent(QEvent* event) {
  hovered_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

}  // namespace ui::qt
