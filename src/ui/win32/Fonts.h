#pragma once

#include <windows.h>

#include "ui/ControlSpec.h"
#include "ui/FontFaces.h"

namespace ui::win32 {

// Makes the program's faces available to this process only, a face from its
// copy when that holds it exactly, else from its bytes. Returns at once: the
// faces are ready when the first font is made.
void RegisterFaces(const FontFaces& faces);

// The font of a control in a window laid out at dpi; fonts are made once and
// kept for the program's life. Only on the UI thread.
HFONT FontFor(const Font& decl, int dpi);

// The catalogue's pixels are pixels at 96 dots per inch. A window shown on a
// screen set to more grows every position, size and character height with
// it; each window keeps the scale it is laid out at (Widgets.h: DpiOf).
inline constexpr int kCatalogueDpi = 96;
void ReadScreenDpi();
// The scale of the screen as a whole, read at the start.
int ScreenDpi();
// The scale of the screen a window is on, where the system knows one for each
// screen; else the screen's as a whole.
int DpiOfScreenUnder(HWND hwnd);
int Scaled(int px, int dpi);
int Unscaled(int devicePx, int dpi);

}  // namespace ui::win32
