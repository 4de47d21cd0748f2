#include "ui/image/Image.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

// jpeglib.h needs FILE and size_t declared before it.
#include <jerror.h>
#include <jpeglib.h>
#include <png.h>

namespace ui {
namespace {

bool WithinLimits(int64_t width, int64_t height) {
  return PictureSizeAllowed(width, height);
}

bool IsPng(std::string_view bytes) {
  static constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return bytes.size() >= sizeof kSignature &&
         std::memcmp(bytes.data(), kSignature, sizeof kSignature) == 0;
}

bool IsJpeg(std::string_view bytes) {
  return bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
         static_cast<unsigned char>(bytes[1]) == 0xD8 &&
         static_cast<unsigned char>(bytes[2]) == 0xFF;
}

Image DecodePng(std::string_view bytes) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) return {};
  if (!WithinLimits(png.width, png.height) || !PngLongEnough(bytes, png.width, png.height)) {
    png_image_free(&png);
    return {};
  }
  png.format = PNG_FORMAT_RGBA;
  Image image;
  image.width = static_cast<int>(png.width);
  image.height = static_cast<int>(png.height);
  image.rgba.resize(PNG_IMAGE_SIZE(png));
  const bool ok = png_image_finish_read(&png, nullptr, image.rgba.data(), 0, nullptr) != 0;
  png_image_free(&png);
  // Not "ok ? image : Image{}": that would copy the pixels instead of moving them.
  if (!ok) return {};
  return image;
}

// libjpeg reports a fatal error by calling error_exit, whose default ends the
// process. Ours jumps back to the decoder, which gives up on the picture.
struct JpegErrors {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
};

[[noreturn]] void JpegFail(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegErrors*>(cinfo->err)->jump, 1);
}

// Warnings are mostly harmless and stay silent, except running out of data:
// libjpeg would fill the rest of a truncated file with grey and call it done.
void JpegMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) JpegFail(cinfo);
}

void JpegSilence(j_common_ptr) {}

// The decoding work, apart from the caller so that no object with a
// destructor lives between setjmp and a longjmp.
// The largest power of two, at most 8, by which a w x h picture can shrink and
// still be at least as large as its fit into a box x boxHeight.
unsigned FitShrink(int64_t w, int64_t h, int boxWidth, int boxHeight) {
  if (boxWidth <= 0 || boxHeight <= 0) return 1;
  unsigned shrink = 1;
  // Fitted size is w * f by h * f with f = min(boxWidth / w, boxHeight / h);
  // w / d >= w * f holds exactly when d * f <= 1.
  while (shrink < 8) {
    const unsigned next = shrink * 2;
    const bool fits =
        next * static_cast<int64_t>(boxWidth) <= w || next * static_cast<int64_t>(boxHeight) <= h;
    if (!fits) break;
    shrink = next;
  }
  return shrink;
}

bool ReadJpeg(jpeg_decompress_struct& cinfo, JpegErrors& errors, std::string_view bytes,
              int fitWidth, int fitHeight, Image& image) {
  if (setjmp(errors.jump)) return false;
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) return false;
  if (!WithinLimits(cinfo.image_width, cinfo.image_height)) return false;
  if (!JpegLongEnough(bytes)) return false;

  // Print-oriented files are CMYK (stored inverted by Adobe software); every
  // other colour space is converted to RGB by the library.
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  cinfo.scale_num = 1;
  cinfo.scale_denom = FitShrink(cinfo.image_width, cinfo.image_height, fitWidth, fitHeight);
  jpeg_start_decompress(&cinfo);
  const unsigned components = cinfo.output_components;
  if (components != (cmyk ? 4u : 3u)) return false;

  image.width = static_cast<int>(cinfo.output_width);
  image.height = static_cast<int>(cinfo.output_height);
  image.rgba.resize(static_cast<size_t>(image.width) * image.height * 4);
  JSAMPROW row = static_cast<JSAMPROW>(
      (*cinfo.mem->alloc_small)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                static_cast<size_t>(image.width) * components));
  while (cinfo.output_scanline < cinfo.output_height) {
    uint8_t* out = image.rgba.data() + static_cast<size_t>(cinfo.output_scanline) * image.width * 4;
    if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) return false;
    for (int x = 0; x < image.width; ++x, out += 4) {
      const unsigned char* in = row + static_cast<size_t>(x) * components;
      if (cmyk) {
        const bool inverted = cinfo.saw_Adobe_marker;
        const unsigned c = inverted ? in[0] : 255 - in[0], m = inverted ? in[1] : 255 - in[1],
                       y = inverted ? in[2] : 255 - in[2], k = inverted ? in[3] : 255 - in[3];
        out[0] = static_cast<uint8_t>(c * k / 255);
        out[1] = static_cast<uint8_t>(m * k / 255);
        out[2] = static_cast<uint8_t>(y * k / 255);
      } else {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
      }
      out[3] = 255;
    }
  }
  jpeg_finish_decompress(&cinfo);
  return true;
}

Image DecodeJpeg(std::string_view bytes, int fitWidth, int fitHeight) {
  jpeg_decompress_struct cinfo;
  JpegErrors errors;
  cinfo.err = jpeg_std_error(&errors.mgr);
  errors.mgr.error_exit = JpegFail;
  errors.mgr.emit_message = JpegMessage;
  errors.mgr.output_message = JpegSilence;
  Image image;
  const bool ok = ReadJpeg(cinfo, errors, bytes, fitWidth, fitHeight, image);
  jpeg_destroy_decompress(&cinfo);
  if (!ok) return {};
  return image;
}

}  // namespace

Image DecodeImage(std::string_view bytes, int fitWidth, int fitHeight) {
  if (IsPng(bytes)) return DecodePng(bytes);
  if (IsJpeg(bytes)) return DecodeJpeg(bytes, fitWidth, fitHeight);
  return {};
}

}  // namespace ui
