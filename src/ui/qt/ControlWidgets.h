#pragma once

#include <QPalette>
#include <QWidget>
#include <functional>

#include "ui/ControlSpec.h"
#include "ui/Handler.h"
#include "ui/qt/QtLayer.h"

namespace ui::qt {

// What the widget of one control is made from.
struct ControlMaking {
  const WindowSpec& window;
  const ControlSpec& decl;
  BuiltControl& built;  // takes the caption and, for a page container, the pages
  QWidget* parent;      // the window's client area, a group or picture box, or a page
  QWidget* top;         // the window's own widget
  std::function<void(Handler)> deliver;
};

// Makes the widget of a control of any kind but a timer, as its declaration
// says, without its geometry and font.
QWidget* MakeControlWidget(const ControlMaking& m);

// Sets the colours that are not the system's default.
void SetColors(QWidget* widget, Color text, Color back, QPalette::ColorRole textRole,
               QPalette::ColorRole backRole, bool fillBackground);

}  // namespace ui::qt
