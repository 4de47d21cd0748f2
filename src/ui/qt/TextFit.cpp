#include "ui/qt/TextFit.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

#include "ui/CaptionFit.h"
#include "ui/qt/SuperButton.h"

namespace ui::qt {

std::optional<CaptionArea> CaptionAreaOf(const QWidget* widget, bool labelWraps) {
  if (qobject_cast<const QLabel*>(widget)) return CaptionArea{widget->size(), labelWraps};
  // A super button draws its caption over its face, words wrapping; a caption
  // that needs the whole width keeps a little room at the sides.
  if (qobject_cast<const SuperButton*>(widget))
    return CaptionArea{widget->size() - QSize(4, 0), true};
  if (auto* button = qobject_cast<const QAbstractButton*>(widget)) {
    QStyleOptionButton option;
    option.initFrom(button);
    const bool radio = qobject_cast<const QRadioButton*>(button) != nullptr;
    const QRect contents = widget->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents, &option, widget);
    // A push button keeps a little room between its caption and its frame.
    const int margin = radio ? 0 : 4;
    return CaptionArea{QSize(contents.width() - margin, contents.height()), false};
  }
  if (qobject_cast<const QGroupBox*>(widget)) {
    // The title is one line in the frame's top edge, which makes room for
    // it, indented from both sides.
    return CaptionArea{QSize(widget->width() - 16, QWIDGETSIZE_MAX), false};
  }
  return std::nullopt;
}

bool TextFits(const QFont& font, const QString& text, const CaptionArea& area) {
  if (text.isEmpty()) return true;
  const QFontMetrics metrics(font);
  const int flags = area.wrap ? int(Qt::TextWordWrap) : 0;
  const QRect bounds = metrics.boundingRect(QRect(0, 0, area.size.width(), 1 << 20), flags, text);
  return bounds.width() <= area.size.width() && bounds.height() <= area.size.height();
}

QFont FittingFont(const QFont& font, const QString& text, const CaptionArea& area) {
  const int own = QFontInfo(font).pixelSize();
  auto at = [&](int px) {
    if (px == own) return font;
    QFont sized = font;
    sized.setPixelSize(px);
    return sized;
  };
  return at(FittingCaptionPx(own, [&](int px) { return TextFits(at(px), text, area); }));
}

}  // namespace ui::qt
