#include "ui/FontFaces.h"

#include "ui/Resources.h"

extern "C" {
extern const char brevant_font_regular_begin[], brevant_font_regular_end[];
extern const char brevant_font_light_begin[], brevant_font_light_end[];
extern const char brevant_font_bold_begin[], brevant_font_bold_end[];
}

namespace ui {
namespace {

std::string_view Block(const char* begin, const char* end) {
  return {begin, static_cast<std::size_t>(end - begin)};
}

}  // namespace

std::string_view RegularFontFace() {
  return Block(brevant_font_regular_begin, brevant_font_regular_end);
}
std::string_view LightFontFace() {
  return Block(brevant_font_light_begin, brevant_font_light_end);
}
std::string_view BoldFontFace() {
  return Block(brevant_font_bold_begin, brevant_font_bold_end);
}

FontFaces EmbeddedFontFaces(const std::optional<std::filesystem::path>& copies) {
  FontFaces faces = FontFaceCopies(copies.value_or(std::filesystem::path()));
  faces.regular.bytes = RegularFontFace();
  faces.light.bytes = LightFontFace();
  faces.bold.bytes = BoldFontFace();
  if (!copies) {
    for (FontFace* face : {&faces.regular, &faces.light, &faces.bold}) face->copy.clear();
  }
  return faces;
}

}  // namespace ui
