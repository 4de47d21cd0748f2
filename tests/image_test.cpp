#include "ui/image/Image.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "ui/Resources.h"
#include "ui/image/FitRect.h"

// The largest single request to operator new since the last reset: a picture
// bomb shows as one huge pixel buffer.
static std::atomic<std::size_t> largestNew{0};

void* operator new(std::size_t size) {
  for (std::size_t seen = largestNew;
       size > seen && !largestNew.compare_exchange_weak(seen, size);) {
  }
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
// Kept out of line: inlined into a new-expression, the free() would look to
// the compiler like a mismatch with the operator new it was paired with.
[[gnu::noinline]] void operator delete(void* p) noexcept {
  std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace {

using ui::DecodeImage;
using ui::Image;

std::string Bytes(ui::Asset asset) {
  return std::string(ui::Picture(asset));
}

struct Pixel {
  int r, g, b, a;
  friend bool operator==(const Pixel&, const Pixel&) = default;
};

Pixel At(const Image& image, int x, int y) {
  const uint8_t* p = &image.rgba[(static_cast<size_t>(y) * image.width + x) * 4];
  return {p[0], p[1], p[2], p[3]};
}

void PutBigEndian(std::string& bytes, size_t at, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<char>(value >> (8 * (width - 1 - i)));
}

// A PNG whose header declares the given size; the header checksum is made
// right so that only the size can make the decoder refuse it.
std::string PngDeclaring(uint32_t width, uint32_t height) {
  std::string png = Bytes(ui::Asset::LogoMark);
  // Signature (8), IHDR length (4), "IHDR" (4), width, height, ... CRC at 29.
  PutBigEndian(png, 16, width, 4);
  PutBigEndian(png, 20, height, 4);
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(png.data() + 12), 17);
  PutBigEndian(png, 29, static_cast<uint32_t>(crc), 4);
  return png;
}

// The splash JPEG with its frame header declaring the given size.
std::string JpegDeclaring(uint16_t width, uint16_t height) {
  std::string jpeg = Bytes(ui::Asset::SplashPicture);
  for (size_t at = 2; at + 9 < jpeg.size();) {
    const auto marker = static_cast<unsigned char>(jpeg[at + 1]);
    const size_t length =
        (static_cast<unsigned char>(jpeg[at + 2]) << 8) | static_cast<unsigned char>(jpeg[at + 3]);
    if (marker >= 0xC0 && marker <= 0xC2) {
      PutBigEndian(jpeg, at + 5, height, 2);
      PutBigEndian(jpeg, at + 7, width, 2);
      return jpeg;
    }
    at += 2 + length;
  }
  ADD_FAILURE() << "no frame header in the splash picture";
  return {};
}

TEST(ImageDecode, OwnPicturesDecodeWithTheirColours) {
  // Each at twice the size its box shows it.
  const Image logo = DecodeImage(ui::Picture(ui::Asset::LogoMark));
  ASSERT_EQ(logo.width, 192);
  ASSERT_EQ(logo.height, 192);
  ASSERT_EQ(logo.rgba.size(), 192u * 192u * 4u);
  EXPECT_EQ(At(logo, 0, 0).a, 0) << "transparent background";
  EXPECT_EQ(At(logo, 191, 191).a, 0);
  EXPECT_EQ(At(logo, 58, 96), (Pixel{169, 69, 71, 255})) << "the stem in the accent colour";

  const Image publisher = DecodeImage(ui::Picture(ui::Asset::PublisherLogo));
  ASSERT_EQ(publisher.width, 272);
  ASSERT_EQ(publisher.height, 272);
  EXPECT_EQ(At(publisher, 0, 0).a, 0);
  EXPECT_EQ(At(publisher, 136, 136).a, 255);

  const Image splash = DecodeImage(ui::Picture(ui::Asset::SplashPicture));
  ASSERT_EQ(splash.width, 512);
  ASSERT_EQ(splash.height, 512);
  ASSERT_EQ(splash.rgba.size(), 512u * 512u * 4u);
  const Pixel corner = At(splash, 5, 5);
  EXPECT_GE(corner.r + corner.g + corner.b, 3 * 245) << "white background";
  EXPECT_EQ(corner.a, 255);
  EXPECT_EQ(At(splash, 511, 511).a, 255);
}

TEST(ImageDecode, BytesThatAreNoPictureGiveAnEmptyImage) {
  const std::string signatureOnly("\x89PNG\r\n\x1a\n", 8);
  const std::string jpegStartOnly("\xFF\xD8\xFF", 3);
  for (const std::string& bytes :
       {std::string(), std::string("GIF89a"), std::string("hello, world"), signatureOnly,
        signatureOnly + std::string(300, '\x5A'), jpegStartOnly,
        jpegStartOnly + std::string(300, '\x00'), std::string(4096, '\xFF')}) {
    EXPECT_TRUE(DecodeImage(bytes).empty()) << "size " << bytes.size();
  }
}

TEST(ImageDecode, TruncatedOrDamagedPicturesGiveAnEmptyImage) {
  for (ui::Asset asset :
       {ui::Asset::LogoMark, ui::Asset::PublisherLogo, ui::Asset::SplashPicture}) {
    const std::string whole = Bytes(asset);
    for (size_t keep : {size_t{40}, whole.size() / 2, whole.size() - 200}) {
      EXPECT_TRUE(DecodeImage(std::string_view(whole).substr(0, keep)).empty())
          << "asset " << int(asset) << " cut to " << keep << " bytes";
    }
  }
  // A changed byte in the compressed PNG data breaks its checksum.
  std::string damaged = Bytes(ui::Asset::LogoMark);
  damaged[damaged.size() / 2] ^= 0x55;
#ifdef _WIN32
  // Known difference of the Windows decoder: Wine's does not check that
  // checksum and draws the picture with the changed byte.
  (void)DecodeImage(damaged);
#else
  EXPECT_TRUE(DecodeImage(damaged).empty());
#endif
}

TEST(ImageDecode, AbsurdDimensionsAreRefusedBeforeDecoding) {
  EXPECT_FALSE(DecodeImage(PngDeclaring(192, 192)).empty()) << "the patched header is sound";
  EXPECT_TRUE(DecodeImage(PngDeclaring(30000, 2000)).empty());
  EXPECT_TRUE(DecodeImage(PngDeclaring(2000, 20001)).empty());
  EXPECT_TRUE(DecodeImage(PngDeclaring(10000, 10000)).empty()) << "more than 40 million pixels";
  EXPECT_TRUE(DecodeImage(PngDeclaring(0x7FFFFFFF, 0x7FFFFFFF)).empty());
  EXPECT_TRUE(ui::PictureSizeAllowed(8000, 5000));
  EXPECT_FALSE(ui::PictureSizeAllowed(8000, 5001));
  // Within the limit, but far more pixels than the file's bytes can hold.
  EXPECT_TRUE(DecodeImage(PngDeclaring(7000, 5000)).empty());

  EXPECT_FALSE(DecodeImage(JpegDeclaring(512, 512)).empty());
  EXPECT_TRUE(DecodeImage(JpegDeclaring(30000, 100)).empty());
  EXPECT_TRUE(DecodeImage(JpegDeclaring(65535, 65535)).empty());
  EXPECT_TRUE(DecodeImage(JpegDeclaring(8000, 5001)).empty());
}

TEST(ImageDecode, PictureBombsAreRefusedBeforeTheirPixelsAreAllocated) {
  constexpr std::size_t kSmall = 16 << 20;
  for (const std::string& bomb :
       {PngDeclaring(10000, 10000), PngDeclaring(7000, 5000), JpegDeclaring(10000, 10000),
        JpegDeclaring(8000, 5001), JpegDeclaring(7000, 5000)}) {
    largestNew = 0;
    EXPECT_TRUE(DecodeImage(bomb).empty());
    EXPECT_LT(largestNew, kSmall);
  }
}

using ui::PictureMode;
using ui::PictureRect;
using ui::Rect;

TEST(ImageDecode, AJpegForABoxIsDecodedSmallerButDrawsTheSame) {
  const ui::Image full = ui::DecodeImage(ui::Picture(ui::Asset::SplashPicture));
  const ui::Image forBox = ui::DecodeImage(ui::Picture(ui::Asset::SplashPicture), 384, 256);
  EXPECT_EQ(forBox.width, 256);  // a half: a quarter would be smaller than drawn
  EXPECT_EQ(forBox.height, 256);
  EXPECT_EQ(ui::PictureRect(ui::PictureMode::Fit, 384, 256, forBox.width, forBox.height),
            ui::PictureRect(ui::PictureMode::Fit, 384, 256, full.width, full.height));
  // A box the picture fits into whole gives the picture at full size.
  EXPECT_EQ(ui::DecodeImage(ui::Picture(ui::Asset::SplashPicture), 2000, 4000).width, 512);
}

TEST(FitPictureRect, LargePicturesShrinkKeepingProportionsAndAreCentred) {
  EXPECT_EQ(PictureRect(PictureMode::Fit, 152, 96, 2000, 2000), (Rect{28, 0, 96, 96}));
  EXPECT_EQ(PictureRect(PictureMode::Fit, 384, 256, 2000, 2000), (Rect{64, 0, 256, 256}));
  EXPECT_EQ(PictureRect(PictureMode::Fit, 192, 136, 2000, 2000), (Rect{28, 0, 136, 136}));
  // Limited by the width: 400 x 100 into 100 x 100 gives 100 x 25, centred vertically.
  EXPECT_EQ(PictureRect(PictureMode::Fit, 100, 100, 400, 100), (Rect{0, 37, 100, 25}));
  // Larger in one direction only still scales: 50 x 300 into 200 x 100.
  EXPECT_EQ(PictureRect(PictureMode::Fit, 200, 100, 50, 300), (Rect{91, 0, 17, 100}));
  // A hair-thin picture keeps one pixel.
  EXPECT_EQ(PictureRect(PictureMode::Fit, 100, 100, 10000, 1), (Rect{0, 49, 100, 1}));
}

TEST(FitPictureRect, SmallPicturesKeepTheirSizeCentred) {
  EXPECT_EQ(PictureRect(PictureMode::Fit, 384, 256, 100, 50), (Rect{142, 103, 100, 50}));
  EXPECT_EQ(PictureRect(PictureMode::Fit, 152, 96, 152, 96), (Rect{0, 0, 152, 96}));
}

TEST(FitPictureRect, NaturalAndStretchedIgnoreProportions) {
  EXPECT_EQ(PictureRect(PictureMode::Natural, 152, 96, 2000, 2000), (Rect{0, 0, 2000, 2000}));
  EXPECT_EQ(PictureRect(PictureMode::Natural, 384, 256, 10, 20), (Rect{0, 0, 10, 20}));
  EXPECT_EQ(PictureRect(PictureMode::Stretched, 152, 96, 2000, 2000), (Rect{0, 0, 152, 96}));
  EXPECT_EQ(PictureRect(PictureMode::Stretched, 152, 96, 10, 20), (Rect{0, 0, 152, 96}));
}

TEST(FitPictureRect, NoPictureDrawsNothing) {
  for (PictureMode mode : {PictureMode::Natural, PictureMode::Stretched, PictureMode::Fit}) {
    EXPECT_EQ(PictureRect(mode, 152, 96, 0, 0), Rect{});
  }
}

}  // namespace
