#include "ui/win32/Fonts.h"

#include <cstdlib>
#include <functional>
#include <map>
#include <system_error>
#include <thread>
#include <tuple>

namespace ui::win32 {
namespace {

// The family names inside the embedded font files.
constexpr wchar_t kRegularFamily[] = L"LXGW WenKai Mono";
constexpr wchar_t kLightFamily[] = L"LXGW WenKai Mono Light";

int g_dpi = 96;
bool g_lightRegistered = false;
// Makes the faces ready beside the UI thread, until the first font is made.
std::thread g_registering;

// A copy known to hold the face exactly is registered where it lies: the
// system then reads only the parts of it that are drawn, and the bytes the
// program carries are not read at all, where a face registered from memory is
// copied whole into the system's own memory. A copy that is missing, torn or
// altered is never registered.
bool AddFace(const FontFace& face) {
  if (face.CopyIsWhole() && AddFontResourceExW(face.copy.c_str(), FR_PRIVATE, nullptr) > 0)
    return true;
  if (face.bytes.empty()) return false;
  DWORD count = 0;
  return AddFontMemResourceEx(const_cast<char*>(face.bytes.data()),
                              static_cast<DWORD>(face.bytes.size()), nullptr, &count) != nullptr &&
         count > 0;
}

// Has the system load a registered face once, as the first window's fonts
// would: that first load is the slow one.
void LoadFace(const wchar_t* family, int weight) {
  LOGFONTW lf{};
  lf.lfHeight = -16;
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, family, LF_FACESIZE);
  HFONT font = CreateFontIndirectW(&lf);
  HDC dc = CreateCompatibleDC(nullptr);
  if (font && dc) {
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size;
    GetTextExtentPoint32W(dc, L"\u8bfe", 1, &size);
    SelectObject(dc, old);
  }
  if (dc) DeleteDC(dc);
  if (font) DeleteObject(font);
}

// Runs work on a thread of its own, or here and now when there is no thread.
std::thread Beside(std::function<void()> work) {
  try {
    return std::thread(std::move(work));
  } catch (const std::system_error&) {
    work();
    return {};
  }
}

void RegisterAndLoad(const FontFaces& faces) {
  // Checking a copy reads it whole: the three are read side by side.
  bool lightAdded = false;
  std::thread bold = Beside([&] { AddFace(faces.bold); });
  std::thread light = Beside([&] { lightAdded = AddFace(faces.light); });
  AddFace(faces.regular);
  if (bold.joinable()) bold.join();
  if (light.joinable()) light.join();
  g_lightRegistered = lightAdded;
  // The light face shows only on pages that are not shown first; under Wine
  // the pages of a loaded face count towards the program's memory.
  LoadFace(kRegularFamily, FW_NORMAL);
  LoadFace(kRegularFamily, FW_BOLD);
}

void WaitForFaces() {
  if (g_registering.joinable()) g_registering.join();
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
  // While the window system starts. A program that ends before its first
  // font still lets the work end first.
  g_registering = Beside([faces] { RegisterAndLoad(faces); });
  std::atexit(WaitForFaces);
}

HFONT FontFor(const Font& decl) {
  WaitForFaces();
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
