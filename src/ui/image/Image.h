#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "ui/image/PictureLimits.h"

namespace ui {

// A decoded picture: rows top to bottom, four bytes a pixel (R, G, B, A),
// alpha not premultiplied.
struct Image {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;
  bool empty() const { return width <= 0 || height <= 0 || rgba.empty(); }
};

// Decodes PNG or JPEG bytes, recognised by their signature. Bytes of any
// other kind, damaged or truncated data and pictures that PictureSizeAllowed
// refuses give an empty image; the size is checked before any pixel memory is
// allocated, and a PNG or JPEG too short to hold the pixels its header
// declares is refused then too.
//
// Given the size of a box the picture is to be fitted into, a JPEG may be
// decoded at 1/2, 1/4 or 1/8 of its size, never smaller than it will be drawn
// there; fitting the smaller image into that box gives the same result, far
// sooner.
Image DecodeImage(std::string_view bytes, int fitWidth = 0, int fitHeight = 0);

}  // namespace ui
