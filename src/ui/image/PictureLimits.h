#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ui {

// The largest picture the program decodes, judged on the size in the file's
// header before any pixel is allocated. 40 megapixels holds the photos of
// ordinary cameras; a picture box never needs more, and a larger picture
// costs hundreds of megabytes and seconds of decoding for nothing.
inline constexpr int kMaxPictureSide = 20000;
inline constexpr int64_t kMaxPicturePixels = 40'000'000;

// The largest picture file the program reads. A picture within the size
// rule above takes far less as a file: a 40-megapixel camera photo is some
// 10 to 25 MB as JPEG, and a PNG that large is a drawing or a screenshot
// that compresses well. A larger file is no picture the program shows, and
// is not read at all.
inline constexpr std::size_t kMaxPictureFileBytes = std::size_t{64} << 20;

// Whether every decoder of the program may decode a width x height picture.
constexpr bool PictureSizeAllowed(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

// Whether PNG bytes are long enough to hold the pixels of the width x height
// picture their header declares. Deflate shrinks data by at most 1032 to 1,
// and the pixel data is at least a filter byte and the packed pixels of each
// row; a file shorter than that bound was cut short, or it is a decoy that
// would have a decoder allocate the whole picture and then fail.
bool PngLongEnough(std::string_view png, int64_t width, int64_t height);

// The same for JPEG bytes: Huffman coding spends at least one bit on every
// 8 x 8 block of every component (its DC code). Arithmetic coding has no
// such bound, and bytes whose frame header cannot be found are left to the
// decoder: both count as long enough.
bool JpegLongEnough(std::string_view jpeg);

}  // namespace ui
