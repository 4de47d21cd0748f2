#include "ui/image/PictureLimits.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace ui {
namespace {

unsigned Byte(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}
unsigned BigEndian16(std::string_view bytes, std::size_t at) {
  return Byte(bytes, at) << 8 | Byte(bytes, at + 1);
}

}  // namespace

bool PngLongEnough(std::string_view png, int64_t width, int64_t height) {
  constexpr int64_t kMaxDeflateRatio = 1032;
  // The header (IHDR, always first) gives bit depth and colour type.
  if (png.size() < 26) return false;
  const int64_t depth = Byte(png, 24);
  // Samples a pixel by colour type: grey, -, RGB, palette, grey and alpha, -, RGBA.
  constexpr int64_t kChannels[] = {1, 1, 3, 1, 2, 1, 4};
  const unsigned colourType = Byte(png, 25);
  const int64_t channels = colourType < std::size(kChannels) ? kChannels[colourType] : 1;
  const int64_t rowBytes = 1 + (width * depth * channels + 7) / 8;
  return static_cast<int64_t>(png.size()) * kMaxDeflateRatio >= height * rowBytes;
}

bool JpegLongEnough(std::string_view jpeg) {
  std::size_t at = 2;  // after the start-of-image marker
  while (at + 4 <= jpeg.size()) {
    if (Byte(jpeg, at) != 0xFF) return true;
    const unsigned marker = Byte(jpeg, at + 1);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {  // markers without a length
      at += 2;
      continue;
    }
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (!frame) {
      at += 2 + BigEndian16(jpeg, at + 2);
      continue;
    }
    if (marker >= 0xC9) return true;  // arithmetic coding
    const std::size_t components = at + 10 <= jpeg.size() ? Byte(jpeg, at + 9) : 0;
    if (components == 0 || at + 10 + 3 * components > jpeg.size()) return true;
    const uint64_t height = BigEndian16(jpeg, at + 5), width = BigEndian16(jpeg, at + 7);
    uint64_t maxH = 1, maxV = 1;
    for (std::size_t c = 0; c < components; ++c) {
      maxH = std::max<uint64_t>(maxH, Byte(jpeg, at + 11 + 3 * c) >> 4);
      maxV = std::max<uint64_t>(maxV, Byte(jpeg, at + 11 + 3 * c) & 0x0F);
    }
    uint64_t blocks = 0;
    for (std::size_t c = 0; c < components; ++c) {
      const uint64_t h = Byte(jpeg, at + 11 + 3 * c) >> 4, v = Byte(jpeg, at + 11 + 3 * c) & 0x0F;
      const uint64_t across = (width * h + maxH * 8 - 1) / (maxH * 8);
      const uint64_t down = (height * v + maxV * 8 - 1) / (maxV * 8);
      blocks += across * down;
    }
    return static_cast<uint64_t>(jpeg.size()) * 8 >= blocks;
  }
  return true;
}

}  // namespace ui
