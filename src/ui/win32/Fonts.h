#pragma once

#include <windows.h>

#include "ui/ControlSpec.h"
#include "ui/FontFaces.h"

namespace ui::win32 {

// Makes the program's faces available to this process only, a face from its
// copy when that holds it exactly, else from its bytes. Returns at once: the
// faces are ready when the first font is made.
void RegisterFaces(const FontFaces& faces);

// The font of a control; fonts are made once and kept for the program's life.
// Only on the UI thread.
HFONT FontFor(const Font& decl);

// The catalogue's pixels are pixels at 96 dots per inch; on a screen set to
// more, every position, size and character height grows with it.
void ReadScreenDpi();
int Scaled(int px);
int Unscaled(int devicePx);

}  // namespace ui::win32
