#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <optional>

#include "ui/CaptionFit.h"

class QWidget;

namespace ui::qt {

// Where a control draws its caption: the area, and whether words wrap there.
struct CaptionArea {
  QSize size;
  bool wrap = false;
};

// The caption area of a label, button, radio button, super button or group
// box title; nothing for other widgets.
std::optional<CaptionArea> CaptionAreaOf(const QWidget* widget, bool labelWraps);

// Whether the text, drawn with the font, stays inside the area: each line (or,
// wrapping, each word) within its width and every line within its height.
bool TextFits(const QFont& font, const QString& text, const CaptionArea& area);

// The font itself when the text fits; otherwise the same font at the largest
// smaller pixel size where it does, but not below the smallest size.
QFont FittingFont(const QFont& font, const QString& text, const CaptionArea& area);

}  // namespace ui::qt
