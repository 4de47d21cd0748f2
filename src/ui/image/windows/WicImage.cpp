// Picture decoding on Windows through the Windows Imaging Component, which
// reads PNG and JPEG on every Windows since Vista.
#include <wincodec.h>
#include <windows.h>

#include <cstring>
#include <utility>

#include "ui/image/Image.h"

namespace ui {
namespace {

// Owns one COM reference.
template <typename T>
class Com {
 public:
  Com() = default;
  ~Com() {
    if (p_) p_->Release();
  }
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  T* operator->() const { return p_; }
  T* get() const { return p_; }
  T** out() { return &p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

// COM for this thread for the length of one decode; the thread may have it
// already, in either model.
class ComForThisThread {
 public:
  ComForThisThread() : hr_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
  ~ComForThisThread() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  ComForThisThread(const ComForThisThread&) = delete;
  ComForThisThread& operator=(const ComForThisThread&) = delete;

 private:
  HRESULT hr_;
};

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

// The largest power of two, at most 8, by which a w x h picture can shrink and
// still be at least as large as its fit into a boxWidth x boxHeight box.
unsigned FitShrink(int64_t w, int64_t h, int boxWidth, int boxHeight) {
  if (boxWidth <= 0 || boxHeight <= 0) return 1;
  unsigned shrink = 1;
  while (shrink < 8) {
    const unsigned next = shrink * 2;
    if (!(next * static_cast<int64_t>(boxWidth) <= w ||
          next * static_cast<int64_t>(boxHeight) <= h))
      break;
    shrink = next;
  }
  return shrink;
}

// The frame scaled to the size a JPEG shrinks to for its box. A scaler works
// on every system; not all decoders can decode at a smaller size themselves.
bool Scaled(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, UINT width, UINT height,
            Com<IWICBitmapSource>& out) {
  Com<IWICBitmapScaler> scaler;
  if (FAILED(factory->CreateBitmapScaler(scaler.out())) ||
      FAILED(scaler->Initialize(frame, width, height, WICBitmapInterpolationModeFant)))
    return false;
  *out.out() = scaler.get();
  scaler->AddRef();
  return true;
}

}  // namespace

Image DecodeImage(std::string_view bytes, int fitWidth, int fitHeight) {
  const bool jpeg = IsJpeg(bytes);
  if (!IsPng(bytes) && !jpeg) return {};
  if (bytes.size() > 0xFFFFFFFFu) return {};
  ComForThisThread com;

  Com<IWICImagingFactory> factory;
  Com<IWICStream> stream;
  Com<IWICBitmapDecoder> decoder;
  Com<IWICBitmapFrameDecode> frame;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWICImagingFactory, reinterpret_cast<void**>(factory.out()))) ||
      FAILED(factory->CreateStream(stream.out())) ||
      FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                          static_cast<DWORD>(bytes.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              decoder.out())) ||
      FAILED(decoder->GetFrame(0, frame.out())))
    return {};

  // The size the file declares is checked before any pixel is allocated.
  UINT width = 0, height = 0;
  if (FAILED(frame->GetSize(&width, &height)) || !WithinLimits(width, height)) return {};
  if (jpeg ? !JpegLongEnough(bytes) : !PngLongEnough(bytes, width, height)) return {};

  Com<IWICBitmapSource> source;
  const unsigned shrink = jpeg ? FitShrink(width, height, fitWidth, fitHeight) : 1;
  if (shrink > 1) {
    width = (width + shrink - 1) / shrink;
    height = (height + shrink - 1) / shrink;
    if (!Scaled(factory.get(), frame.get(), width, height, source)) return {};
  } else {
    *source.out() = frame.get();
    frame->AddRef();
  }

  // Straight (not premultiplied) BGRA is what every Windows has; the bytes
  // are swapped to RGBA below.
  Com<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(converter.out())) ||
      FAILED(converter->Initialize(source.get(), GUID_WICPixelFormat32bppBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)))
    return {};

  Image image;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  const UINT stride = width * 4;
  image.rgba.resize(static_cast<size_t>(stride) * height);
  if (FAILED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(image.rgba.size()),
                                   image.rgba.data())))
    return {};
  for (size_t i = 0; i < image.rgba.size(); i += 4) std::swap(image.rgba[i], image.rgba[i + 2]);
  return image;
}

}  // namespace ui
