#pragma once

#include <cstdint>
#include <string_view>

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

// Whether PNG bytes are long enough to hold the pixels of the width x height
// picture their header declares. Deflate shrinks data by at most 1032 to 1,
// and the pixel data is at least a filter byte and the packed pixels of each
// row; a file shorter than that bound was cut short, or it is a decoy that
// would have a decoder allocate the whole picture and then fail. The header
// (IHDR, always first) gives bit depth and colour type.
constexpr bool PngLongEnough(std::string_view png, int64_t width, int64_t height) {
  constexpr int64_t kMaxDeflateRatio = 1032;
  if (png.size() < 26) return false;
  const int depth = static_cast<unsigned char>(png[24]);
  int channels = 1;  // grey or palette
  switch (static_cast<unsigned char>(png[25])) {
    case 2: channels = 3; break;  // RGB
    case 4: channels = 2; break;  // grey and alpha
    case 6: channels = 4; break;  // RGBA
  }
  const int64_t rowBytes = 1 + (width * depth * channels + 7) / 8;
  return static_cast<int64_t>(png.size()) * kMaxDeflateRatio >= height * rowBytes;
}

}  // namespace ui
