// How the windows of the program's classes draw themselves, on the screen
// and into a picture.
#include <algorithm>
#include <vector>

#include "ui/win32/Fonts.h"
#include "ui/win32/WidgetParts.h"
#include "ui/win32/Widgets.h"

namespace ui::win32 {
namespace {

void Fill(HDC dc, const RECT& rect, COLORREF color) {
  FillRect(dc, &rect, BrushFor(color));
}

// Paints what lies under a window that draws no background: its container
// and the controls below it in the stacking order.
void PaintBelow(HWND hwnd, HDC dc) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  RECT own;
  GetWindowRect(hwnd, &own);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&own), 2);
  const int saved = SaveDC(dc);
  // Only the window's own area is painted over.
  IntersectClipRect(dc, 0, 0, own.right - own.left, own.bottom - own.top);
  OffsetViewportOrgEx(dc, -own.left, -own.top, nullptr);
  SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  std::vector<HWND> below;
  for (HWND s = GetWindow(hwnd, GW_HWNDNEXT); s; s = GetWindow(s, GW_HWNDNEXT)) below.push_back(s);
  for (auto it = below.rbegin(); it != below.rend(); ++it) {
    if (!IsWindowVisible(*it)) continue;
    RECT r, overlap;
    GetWindowRect(*it, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    if (!IntersectRect(&overlap, &r, &own)) continue;
    const int inner = SaveDC(dc);
    OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
    PrintTree(*it, dc);
    RestoreDC(dc, inner);
  }
  RestoreDC(dc, saved);
}

void PaintGroup(HWND hwnd, const Widget& w, HDC dc, const RECT& client, int dpi) {
  const std::wstring text = WindowText(hwnd);
  const CaptionArea area = CaptionAreaOf(w, client, dpi);
  HGDIOBJ oldFont = SelectObject(dc, CaptionFont(dc, text, w.decl->font, area, dpi));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT frame = client;
  frame.top += metrics.tmHeight / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (!text.empty()) {
    RECT caption{area.rect.left, 0, area.rect.right, metrics.tmHeight};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption,
              DT_NOPREFIX | DT_SINGLELINE | DT_CALCRECT);
    InflateRect(&caption, Scaled(2, dpi), 0);
    Fill(dc, caption, BackgroundOf(hwnd));
    InflateRect(&caption, -Scaled(2, dpi), 0);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(hwnd) ? ToColorRef(w.decl->textColor, COLOR_WINDOWTEXT)
                                           : GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption,
              DT_NOPREFIX | DT_SINGLELINE);
  }
  SelectObject(dc, oldFont);
}

void PaintSuperButton(HWND hwnd, const Widget& w, HDC dc, const RECT& client, int dpi) {
  const Scheme& s = w.decl->scheme;
  Color text = s.restText, back = s.restBack;
  if (w.pressed && w.hover) {
    text = s.thirdText;
    back = s.thirdBack;
  } else if (w.hover) {
    text = s.hoverText;
    back = s.hoverBack;
  }
  Fill(dc, client, ToColorRef(back, COLOR_BTNFACE));
  DrawCaption(dc, CaptionAreaOf(w, client, dpi), WindowText(hwnd), *w.decl, dpi,
              ToColorRef(text, COLOR_BTNTEXT), HAlign::Center, VAlign::Center);
}

}  // namespace

POINT OriginIn(HWND hwnd, HWND ancestor) {
  POINT p{0, 0};
  MapWindowPoints(hwnd, ancestor, &p, 1);
  return p;
}

// Everything a window of the program's classes shows, background included.
void PaintAll(HWND hwnd, Widget& w, HDC dc) {
  RECT client;
  GetClientRect(hwnd, &client);
  const int dpi = DpiOf(hwnd);
  switch (w.role) {
    case Role::Top:
    case Role::PageArea:
    case Role::Page:
      Fill(dc, client, BackgroundOf(hwnd));
      return;
    case Role::EditHost:
      Fill(dc, client, BackgroundOf(hwnd));
      if (w.decl->frame) FrameRect(dc, &client, BrushFor(GetSysColor(COLOR_BTNSHADOW)));
      return;
    case Role::Group:
      Fill(dc, client, BackgroundOf(hwnd));
      PaintGroup(hwnd, w, dc, client, dpi);
      return;
    case Role::Label:
    case Role::TransparentLabel: {
      if (w.role == Role::Label) {
        Fill(dc, client, ToColorRef(w.decl->backColor, COLOR_BTNFACE));
      } else {
        PaintBelow(hwnd, dc);
      }
      const COLORREF color = IsWindowEnabled(hwnd) ? ToColorRef(w.decl->textColor, COLOR_WINDOWTEXT)
                                                   : GetSysColor(COLOR_GRAYTEXT);
      DrawCaption(dc, CaptionAreaOf(w, client, dpi), WindowText(hwnd), *w.decl, dpi, color,
                  w.decl->halign, w.decl->valign);
      return;
    }
    case Role::SuperButton:
      PaintSuperButton(hwnd, w, dc, client, dpi);
      return;
    case Role::Picture:
      Fill(dc, client, BackgroundOf(hwnd));
      PaintPicture(hwnd, w, dc);
      return;
  }
}

namespace {

// The picture every window is drawn into before it reaches the screen, so
// that nothing flickers. One serves all windows and grows to the largest: a
// window full of controls paints each of them once, and making a picture for
// each was a good part of the first frame.
class BackBuffer {
 public:
  ~BackBuffer() {
    if (!dc_) return;
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }

  // A device context to draw width x height into, or nullptr while it is
  // in use (a window painted from inside another's painting).
  HDC Take(HDC screen, LONG width, LONG height) {
    if (taken_) return nullptr;
    if (!dc_ || width > width_ || height > height_) {
      const LONG w = std::max(width, width_), h = std::max(height, height_);
      HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
      if (!bitmap) return nullptr;
      if (!dc_) {
        dc_ = CreateCompatibleDC(screen);
        if (!dc_) {
          DeleteObject(bitmap);
          return nullptr;
        }
        old_ = SelectObject(dc_, bitmap);
      } else {
        DeleteObject(SelectObject(dc_, bitmap));
      }
      bitmap_ = bitmap;
      width_ = w;
      height_ = h;
    }
    taken_ = true;
    // Whatever one window's drawing leaves set in the context goes with it.
    saved_ = SaveDC(dc_);
    return dc_;
  }

  void Give() {
    RestoreDC(dc_, saved_);
    taken_ = false;
  }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  LONG width_ = 0, height_ = 0;
  int saved_ = 0;
  bool taken_ = false;
};

}  // namespace

void Paint(HWND hwnd, Widget& w) {
  static BackBuffer buffer;
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  const LONG width = std::max<LONG>(client.right, 1), height = std::max<LONG>(client.bottom, 1);
  if (HDC memory = buffer.Take(dc, width, height)) {
    PaintAll(hwnd, w, memory);
    BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
    buffer.Give();
  } else {
    HDC own = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(own, bitmap);
    PaintAll(hwnd, w, own);
    BitBlt(dc, 0, 0, width, height, own, 0, 0, SRCCOPY);
    SelectObject(own, old);
    DeleteObject(bitmap);
    DeleteDC(own);
  }
  EndPaint(hwnd, &ps);
}

namespace {

// A 32-bit picture with a device context to draw into it.
class Canvas {
 public:
  Canvas(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = std::max(width, 1);
    info.bmiHeader.biHeight = -std::max(height, 1);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

}  // namespace

void PrintTree(HWND hwnd, HDC dc) {
  RECT window, inner;
  GetWindowRect(hwnd, &window);
  GetClientRect(hwnd, &inner);
  const POINT client = OriginIn(hwnd, nullptr);
  const int width = window.right - window.left, height = window.bottom - window.top;
  // Every window draws into a picture of its own with its origin at the
  // corner, as the standard controls expect when asked to print themselves.
  Canvas whole(width, height);
  BitBlt(whole.dc(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
  SendMessageW(hwnd, WM_PRINT, reinterpret_cast<WPARAM>(whole.dc()), PRF_NONCLIENT);
  Canvas area(inner.right, inner.bottom);
  SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(area.dc()), 0);
  SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(area.dc()),
               PRF_CLIENT | PRF_ERASEBKGND);
  // Children from the bottom of the stacking order up.
  std::vector<HWND> children;
  for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    if (!(GetWindowLongW(*it, GWL_STYLE) & WS_VISIBLE)) continue;
    RECT r;
    GetWindowRect(*it, &r);
    const int saved = SaveDC(area.dc());
    OffsetViewportOrgEx(area.dc(), r.left - client.x, r.top - client.y, nullptr);
    PrintTree(*it, area.dc());
    RestoreDC(area.dc(), saved);
  }
  BitBlt(whole.dc(), client.x - window.left, client.y - window.top, inner.right, inner.bottom,
         area.dc(), 0, 0, SRCCOPY);
  BitBlt(dc, 0, 0, width, height, whole.dc(), 0, 0, SRCCOPY);
}

}  // namespace ui::win32
