#pragma once

#include <cstdint>

namespace ui {

// The largest picture the program decodes, judged on the size in the file's
// header before any pixel is allocated. 40 megapixels holds the photos of
// ordinary cameras; a picture box never needs more, and a larger picture
// costs hundreds of megabytes and seconds of decoding for nothing.
inline constexpr int kMaxPictureSide = 20000;
inline constexpr int64_t kMaxPicturePixels = 40'000'000;

// Whether every decoder of the program may decode a width x height picture.
constexpr bool PictureSizeAllowed(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

}  // namespace ui
