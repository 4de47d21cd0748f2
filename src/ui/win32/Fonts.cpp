#include "ui/win32/Fonts.h"

#include <cstdlib>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <system_error>
#include <thread>
#include <tuple>

#include "ui/win32/SystemFunction.h"

namespace ui::win32 {
namespace {

// The family names inside the embedded font files.
constexpr wchar_t kRegularFamily[] = L"LXGW WenKai Mono";
constexpr wchar_t kLightFamily[] = L"LXGW WenKai Mono Light";

int g_dpi = kCatalogueDpi;  // the screen's as a whole
bool g_lightRegistered = false;
// Makes the faces ready beside the UI thread.
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

// The faces of the first page: registered, then loaded once each.
std::shared_future<void> g_firstFaces;

// One face after another, so that the UI thread keeps a processor of its
// own: checking a copy reads it whole. The light face, shown on no first
// page, comes last; under Wine the pages of a loaded face count towards the
// program's memory, so it is not loaded ahead.
void RegisterAndLoad(const FontFaces& faces, std::promise<void>& firstFaces) {
  AddFace(faces.regular);
  AddFace(faces.bold);
  LoadFace(kRegularFamily, FW_NORMAL);
  LoadFace(kRegularFamily, FW_BOLD);
  firstFaces.set_value();
  g_lightRegistered = AddFace(faces.light);
}

// Waits until the faces a font needs are ready; the light face may take
// longer than the others.
void WaitForFaces(Face face) {
  if (face == Face::WenKaiLight) {
    if (g_registering.joinable()) g_registering.join();
  } else if (g_firstFaces.valid()) {
    g_firstFaces.wait();
  }
}

void WaitForAllFaces() {
  WaitForFaces(Face::WenKaiLight);
}

LOGFONTW SystemMessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    return metrics.lfMessageFont;
  LOGFONTW fallback{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof fallback, &fallback);
  return fallback;
}

}  // namespace

void RegisterFaces(const FontFaces& faces) {
  // While the window system starts. A program that ends before its first
  // font still lets the work end first.
  auto firstFaces = std::make_shared<std::promise<void>>();
  g_firstFaces = firstFaces->get_future().share();
  g_registering = Beside([faces, firstFaces] { RegisterAndLoad(faces, *firstFaces); });
  std::atexit(WaitForAllFaces);
}

HFONT FontFor(const Font& decl, int dpi) {
  WaitForFaces(decl.face);
  static std::map<std::tuple<int, int, int, bool, int>, HFONT> made;
  const auto key = std::make_tuple(static_cast<int>(decl.face), static_cast<int>(decl.px),
                                   static_cast<int>(decl.weight), decl.italic, dpi);
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
  // The system's own size is given at the screen's scale.
  lf.lfHeight = decl.px > 0 ? -Scaled(decl.px, dpi) : MulDiv(lf.lfHeight, dpi, g_dpi);
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
  if (g_dpi <= 0) g_dpi = kCatalogueDpi;
}

int ScreenDpi() {
  return g_dpi;
}

int DpiOfScreenUnder(HWND hwnd) {
  // Windows 10 knows the scale of each screen, Windows 8.1 that of each
  // monitor; earlier systems have one for all.
  using ForWindow = UINT(WINAPI*)(HWND);
  static const auto forWindow =
      SystemFunction<ForWindow>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
  if (forWindow) {
    if (const UINT dpi = forWindow(hwnd); dpi > 0) return static_cast<int>(dpi);
  }
  using ForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto forMonitor = SystemFunction<ForMonitor>(
      LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), "GetDpiForMonitor");
  UINT x = 0, y = 0;
  constexpr int kEffectiveDpi = 0;
  if (forMonitor &&
      SUCCEEDED(
          forMonitor(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), kEffectiveDpi, &x, &y)) &&
      y > 0) {
    return static_cast<int>(y);
  }
  return g_dpi;
}

int Scaled(int px, int dpi) {
  return MulDiv(px, dpi, kCatalogueDpi);
}
int Unscaled(int devicePx, int dpi) {
  return MulDiv(devicePx, kCatalogueDpi, dpi > 0 ? dpi : kCatalogueDpi);
}

}  // namespace ui::win32
