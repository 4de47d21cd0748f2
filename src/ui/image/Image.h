#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace ui {

// A decoded picture: rows top to bottom, four bytes a pixel (R, G, B, A),
// alpha not premultiplied.
struct Image {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;
  bool empty() const { return width <= 0 || height <= 0 || rgba.empty(); }
};

// The largest picture the program decodes; anything bigger is refused before
// its pixels are allocated.
inline constexpr int kMaxImageSide = 20000;
inline constexpr int64_t kMaxImagePixels = 100'000'000;

// Decodes PNG or JPEG bytes, recognised by their signature. Bytes of any
// other kind, damaged or truncated data and pictures beyond the limits above
// give an empty image.
Image DecodeImage(std::string_view bytes);

}  // namespace ui
