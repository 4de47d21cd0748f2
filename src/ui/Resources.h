#pragma once

#include <string_view>

#include "ui/ControlSpec.h"

namespace ui {

// The resources the program carries whole: the font faces (the main
// program only) and the pictures of the windows.
std::string_view RegularFontFace();
std::string_view LightFontFace();
std::string_view BoldFontFace();
std::string_view Picture(Asset asset);  // encoded PNG or JPEG bytes

}  // namespace ui
