#pragma once

#include <QFont>
#include <filesystem>

#include "ui/ControlSpec.h"
#include "ui/FontFaces.h"

namespace ui::qt {

// The faces, with those the program does not carry read from their copies
// when these hold them exactly. What is read stays for the program's life.
FontFaces ReadFacesFromCopies(const FontFaces& faces);
// Keeps installed copies of the program's font families (the copies the
// program installs, or the same family installed by the system) out of the
// fonts the toolkit finds, so that the windows draw from the faces the program
// carries and from nothing else. Call before the toolkit's first font is
// chosen; it may run on any thread.
void KeepInstalledCopiesOut(const FontFaces& faces);
// Makes the program's font faces known to the toolkit, from memory and
// without a copy: the bytes stay where the program carries them.
void RegisterFaces(const FontFaces& faces);
// Makes the faces of a font file known to the toolkit. A file that holds one
// of the faces registered from memory adds nothing: a second registration of
// the same face would leave it to chance which of the two the windows draw
// from. Safe on any thread.
bool RegisterFontFile(const std::filesystem::path& fontFile);
// The toolkit font for a catalogue font: the embedded faces for the WenKai
// families, requested by character height in pixels.
QFont MakeFont(const Font& font);

}  // namespace ui::qt
