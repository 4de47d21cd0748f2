#pragma once

#include <string_view>

namespace ui {

// The bytes of the three faces of the program's font family. They must stay
// valid for as long as the window system runs.
struct FontFaces {
  std::string_view regular, light, bold;
};

// The faces the main program carries whole.
FontFaces EmbeddedFontFaces();

}  // namespace ui
