#pragma once

class QWidget;

namespace ui::qt {

// Window-manager hints that the toolkit's window flags cannot express. They
// apply on an X11 display and do nothing on other platforms. Call them after
// the native window exists and before it is first shown.

// The toolkit names a window with an empty title after the program; the
// window manager is told the empty caption instead.
void KeepCaptionEmpty(QWidget* top);

// A fixed border without caption bar: the window can be moved but shows no
// title, no buttons and no system menu.
void ShowBorderOnly(QWidget* top);

// Tells the window manager to give up a move of the window it was asked to
// start: one it has not yet taken over when the button comes up would go on
// until the next click.
void CancelSystemMove(QWidget* top);

}  // namespace ui::qt
