#pragma once

#include <QFont>

#include "ui/ControlSpec.h"

namespace ui::qt {

// Makes the embedded faces known to the toolkit, from memory.
void RegisterEmbeddedFaces();
// The toolkit font for a catalogue font: the embedded faces for the WenKai
// families, requested by character height in pixels.
QFont MakeFont(const Font& font);

}  // namespace ui::qt
