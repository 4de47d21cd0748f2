#include "ui/win32/Fonts.h"

#include <map>
#include <tuple>

namespace ui::win32 {
namespace {

// The family names inside the embedded font files.
constexpr wchar_t kRegularFamily[] = L"LXGW WenKai Mono";
constexpr wchar_t kLightFamily[] = L"LXGW WenKai Mono Light";

int g_dpi = 96;
bool g_lightRegistered = false;

bool AddFace(std::string_view bytes) {
  if (bytes.empty()) return false;
  DWORD count = 0;
  return AddFontMemResourceEx(const_cast<char*>(bytes.data()), static_cast<DWORD>(bytes.size()), nullptr,
                              &count) != nullptr &&
         count > 0;
}

LOGFONTW SystemMessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return metrics.lfMessageFont;
  LOGFONTW fallback{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof fallback, &fallback);
  return fallback;
}

}  // namespace

void RegisterFaces(const FontFaces& faces) {
  AddFace(faces.regular);
  AddFace(faces.bold);
  g_lightRegistered = AddFace(faces.light);
}

HFONT FontFor(const Font& decl) {
  static std::map<std::tuple<int, int, int, bool>, HFONT> made;
  const auto key = std::make_tuple(static_cast<int>(decl.face), static_cast<int>(decl.px),
                                   static_cast<int>(decl.weight), decl.italic);
  if (auto it = made.find(key); it != made.end()) return it->second;
  LOGFONTW lf = SystemMessageFont();
  if (decl.face == Face::WenKai || (decl.face == Face::WenKaiLight && !g_lightRegistered)) {
    lstrcpynW(lf.lfFaceName, kRegularFamily, LF_FACESIZE);
    lf.lfCharSet = DEFAULT_CHARSET;
  } else if (decl.face == Face::WenKaiLight) {
    lstrcpynW(lf.lfFaceName, kLightFamily, LF_FACESIZE);
    lf.lfCharSet = DEFAULT_CHARSET;
  }
  // A negative height is the height of the characters, not of the cell.
  if (decl.px > 0) lf.lfHeight = -Scaled(decl.px);
  lf.lfWidth = 0;
  lf.lfWeight = decl.weight;
  lf.lfItalic = decl.italic ? TRUE : FALSE;
  lf.lfQuality = CLEARTYPE_QUALITY;
  HFONT font = CreateFontIndirectW(&lf);
  made.emplace(key, font);
  return font;
}

void ReadScreenDpi() {
  if (HDC screen = GetDC(nullptr)) {
    g_dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
  }
  if (g_dpi <= 0) g_dpi = 96;
}

int Scaled(int px) { return MulDiv(px, g_dpi, 96); }
int Unscaled(int devicePx) { return MulDiv(devicePx, 96, g_dpi); }

}  // namespace ui::win32
