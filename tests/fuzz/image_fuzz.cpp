// PNG and JPEG bytes through the program's own decoder, at full size and for a
// box whose size the first bytes choose.
#include <cstdint>
#include <string_view>

#include "FuzzInput.h"
#include "ui/image/Image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int boxWidth = data[0] * 4, boxHeight = data[1] * 4;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 2), size - 2);
  for (const ui::Image& image :
       {ui::DecodeImage(bytes), ui::DecodeImage(bytes, boxWidth, boxHeight)}) {
    if (image.empty()) continue;
    FUZZ_CHECK(ui::PictureSizeAllowed(image.width, image.height));
    FUZZ_CHECK(image.rgba.size() == static_cast<std::size_t>(image.width) * image.height * 4);
  }
  return 0;
}
