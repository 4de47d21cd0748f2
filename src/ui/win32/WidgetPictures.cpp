// The pictures of picture boxes: decoded once for each size they are drawn at.
#include <algorithm>
#include <future>
#include <map>
#include <system_error>
#include <tuple>

#include "ui/image/FitRect.h"
#include "ui/image/Image.h"
#include "ui/win32/WidgetParts.h"
#include "ui/win32/Widgets.h"

namespace ui::win32 {

HBITMAP TopDownBitmap(int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

namespace {

// A picture scaled to width x height by averaging the source pixels each
// target pixel covers, as premultiplied BGRA for AlphaBlend.
HBITMAP ScaledBitmap(const Image& image, int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  void* bits = nullptr;
  HBITMAP bitmap = TopDownBitmap(width, height, &bits);
  if (!bitmap) return nullptr;
  auto* out = static_cast<uint8_t*>(bits);
  const int64_t sw = image.width, sh = image.height;
  for (int y = 0; y < height; ++y) {
    const int y0 = static_cast<int>(y * sh / height);
    const int y1 = std::max(y0 + 1, static_cast<int>((y + 1) * sh / height));
    for (int x = 0; x < width; ++x) {
      const int x0 = static_cast<int>(x * sw / width);
      const int x1 = std::max(x0 + 1, static_cast<int>((x + 1) * sw / width));
      uint64_t r = 0, g = 0, b = 0, a = 0, n = 0;
      for (int sy = y0; sy < y1; ++sy) {
        const uint8_t* p = &image.rgba[(static_cast<std::size_t>(sy) * image.width + x0) * 4];
        for (int sx = x0; sx < x1; ++sx, p += 4) {
          r += uint64_t{p[0]} * p[3];
          g += uint64_t{p[1]} * p[3];
          b += uint64_t{p[2]} * p[3];
          a += p[3];
          ++n;
        }
      }
      uint8_t* q = out + (static_cast<std::size_t>(y) * width + x) * 4;
      q[0] = static_cast<uint8_t>(b / (255 * n));
      q[1] = static_cast<uint8_t>(g / (255 * n));
      q[2] = static_cast<uint8_t>(r / (255 * n));
      q[3] = static_cast<uint8_t>(a / n);
    }
  }
  return bitmap;
}

struct DrawnPicture {
  HBITMAP bitmap = nullptr;
  RECT rect{};
};

// A picture decoded and scaled for a box box.right x box.bottom.
DrawnPicture Drawn(std::string_view bytes, const RECT& box, PictureMode mode) {
  const bool fit = mode == PictureMode::Fit;
  const Image image = DecodeImage(bytes, fit ? box.right : 0, fit ? box.bottom : 0);
  if (image.empty()) return {};
  const Rect r = ui::PictureRect(mode, box.right, box.bottom, image.width, image.height);
  return {ScaledBitmap(image, r.width, r.height),
          {r.left, r.top, r.left + r.width, r.top + r.height}};
}

// The program's own pictures are the same in every window that opens: each
// is drawn once for each size, and kept.
using BuiltInKey = std::tuple<const char*, LONG, LONG, PictureMode>;
std::map<BuiltInKey, std::shared_future<DrawnPicture>>& BuiltInPictures() {
  static std::map<BuiltInKey, std::shared_future<DrawnPicture>> kept;
  return kept;
}

BuiltInKey KeyOf(const Widget& w, const RECT& box) {
  return {w.builtIn.data(), box.right, box.bottom, w.decl->pictureMode};
}

// Starts drawing a picture of the program's own for its box beside the UI
// thread, as soon as the box is made: the first frame then does not wait for
// the decoder to load and decode.
void PrepareBuiltIn(HWND hwnd, const Widget& w) {
  if (w.builtIn.empty() || !w.decl) return;
  RECT box;
  GetClientRect(hwnd, &box);
  auto& kept = BuiltInPictures();
  const BuiltInKey key = KeyOf(w, box);
  if (kept.count(key)) return;
  auto draw = [bytes = w.builtIn, box, mode = w.decl->pictureMode] {
    return Drawn(bytes, box, mode);
  };
  try {
    kept.emplace(key, std::async(std::launch::async, draw).share());
  } catch (const std::system_error&) {
    kept.emplace(key, std::async(std::launch::deferred, draw).share());
  }
}

}  // namespace

void ReleaseDrawn(Widget& w) {
  if (w.drawn && !w.sharedDrawn) DeleteObject(w.drawn);
  w.drawn = nullptr;
  w.sharedDrawn = false;
}

void DecodePicture(HWND hwnd, Widget& w) {
  RECT box;
  GetClientRect(hwnd, &box);
  if (w.drawnFor.cx == box.right && w.drawnFor.cy == box.bottom) return;
  w.drawnFor = {box.right, box.bottom};
  ReleaseDrawn(w);
  if (!w.builtIn.empty()) {
    PrepareBuiltIn(hwnd, w);
    const DrawnPicture& kept = BuiltInPictures().at(KeyOf(w, box)).get();
    w.drawn = kept.bitmap;
    w.drawnRect = kept.rect;
    w.sharedDrawn = true;
    return;
  }
  if (w.encoded.empty()) return;
  const DrawnPicture drawn = Drawn(w.encoded, box, w.decl->pictureMode);
  w.drawn = drawn.bitmap;
  w.drawnRect = drawn.rect;
}

void PaintPicture(HWND hwnd, Widget& w, HDC dc) {
  DecodePicture(hwnd, w);
  if (!w.drawn) return;
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, w.drawn);
  const RECT& r = w.drawnRect;
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source, 0, 0, r.right - r.left,
             r.bottom - r.top, blend);
  SelectObject(source, old);
  DeleteDC(source);
}

namespace {

void ReplacePicture(HWND picture, std::string encoded, std::string_view builtIn) {
  Widget* w = WidgetOf(picture);
  if (!w || w->role != Role::Picture) return;
  w->encoded = std::move(encoded);
  w->builtIn = builtIn;
  ReleaseDrawn(*w);
  w->drawnFor = {-1, -1};
  InvalidateRect(picture, nullptr, FALSE);
}

}  // namespace

void SetPictureBytes(HWND picture, std::string encoded) {
  ReplacePicture(picture, std::move(encoded), {});
}

// A picture the program carries is drawn from its own bytes, never copied.
void SetBuiltInPicture(HWND picture, std::string_view resource) {
  ReplacePicture(picture, {}, resource);
  if (const Widget* w = WidgetOf(picture); w && w->role == Role::Picture)
    PrepareBuiltIn(picture, *w);
}

bool HasPicture(HWND picture) {
  Widget* w = WidgetOf(picture);
  if (!w || w->role != Role::Picture) return false;
  DecodePicture(picture, *w);
  return w->drawn != nullptr;
}

}  // namespace ui::win32
