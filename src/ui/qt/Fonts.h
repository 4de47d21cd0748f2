#pragma once

#include <QFont>

#include "ui/ControlSpec.h"
#include "ui/FontFaces.h"

namespace ui::qt {

// Makes the program's font faces known to the toolkit, from memory.
void RegisterFaces(const FontFaces& faces);
// The toolkit font for a catalogue font: the embedded faces for the WenKai
// families, requested by character height in pixels.
QFont MakeFont(const Font& font);

}  // namespace ui::qt
