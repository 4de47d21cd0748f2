#include "ui/win32/Widgets.h"

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "ui/image/FitRect.h"
#include "ui/image/Image.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/Win32Layer.h"

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

UINT CaptionFlags(bool wrap) { return DT_NOPREFIX | (wrap ? DT_WORDBREAK : 0u); }

bool CaptionFitsIn(HDC dc, HFONT font, const std::wstring& text, const CaptionArea& area) {
  HGDIOBJ old = SelectObject(dc, font);
  RECT need{0, 0, area.rect.right - area.rect.left, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &need, CaptionFlags(area.wrap) | DT_CALCRECT);
  SelectObject(dc, old);
  return need.right <= area.rect.right - area.rect.left && need.bottom <= area.rect.bottom - area.rect.top;
}

int CharacterPx(HDC dc, HFONT font, int dpi) {
  // The height the font was made for: the face's metrics round it.
  LOGFONTW made{};
  GetObjectW(font, sizeof made, &made);
  if (made.lfHeight < 0) return Unscaled(-made.lfHeight, dpi);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  return Unscaled(metrics.tmHeight - metrics.tmInternalLeading, dpi);
}

HFONT CaptionFont(HDC dc, const std::wstring& text, const Font& decl, const CaptionArea& area,
                  int dpi) {
  HFONT font = FontFor(decl, dpi);
  if (text.empty() || CaptionFitsIn(dc, font, text, area)) return font;
  Font smaller = decl;
  for (int px = (decl.px > 0 ? decl.px : CharacterPx(dc, font, dpi)) - 1; px >= kSmallestCaptionPx;
       --px) {
    smaller.px = static_cast<int16_t>(px);
    font = FontFor(smaller, dpi);
    if (CaptionFitsIn(dc, font, text, area)) break;
  }
  return font;
}

namespace {

// Posted to a closed window: it is destroyed once the handler that closed it
// has returned, as the handler may run inside one of its controls.
constexpr UINT kDestroyLater = WM_APP + 40;

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Where a control draws its caption: labels on their whole area; a super
// button's caption keeps a little room at the sides; a group box's title is
// one line in the frame's top edge, indented from both sides.
CaptionArea CaptionAreaOf(const Widget& w, const RECT& client, int dpi) {
  switch (w.role) {
    case Role::SuperButton:
      return {{Scaled(2, dpi), 0, client.right - Scaled(2, dpi), client.bottom}, true};
    case Role::Group:
      return {{Scaled(8, dpi), 0, client.right - Scaled(8, dpi), 1 << 20}, false};
    default:
      return {client, w.decl && w.decl->wrap};
  }
}

// Draws a caption in its area with the control's alignment, smaller if it
// does not fit there. The vertical alignment places the block of lines.
void DrawCaption(HDC dc, const CaptionArea& area, const std::wstring& text, const ControlSpec& decl,
                 int dpi, COLORREF color, HAlign halign, VAlign valign) {
  if (text.empty()) return;
  RECT rect = area.rect;
  HGDIOBJ oldFont = SelectObject(dc, CaptionFont(dc, text, decl.font, area, dpi));
  SetTextColor(dc, color);
  SetBkMode(dc, TRANSPARENT);
  UINT flags = CaptionFlags(area.wrap);
  flags |= halign == HAlign::Left ? DT_LEFT : halign == HAlign::Center ? DT_CENTER : DT_RIGHT;
  RECT measured = rect;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, flags | DT_CALCRECT);
  const int height = measured.bottom - measured.top;
  const int room = rect.bottom - rect.top;
  if (valign == VAlign::Center) {
    rect.top += (room - height) / 2;
  } else if (valign == VAlign::Bottom) {
    rect.top += room - height;
  }
  rect.bottom = rect.top + height;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags | DT_NOCLIP);
  SelectObject(dc, oldFont);
}

void Fill(HDC dc, const RECT& rect, COLORREF color) { FillRect(dc, &rect, BrushFor(color)); }

POINT OriginIn(HWND hwnd, HWND ancestor) {
  POINT p{0, 0};
  MapWindowPoints(hwnd, ancestor, &p, 1);
  return p;
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
  const std::string_view bytes = w.builtIn.empty() ? std::string_view(w.encoded) : w.builtIn;
  if (bytes.empty()) return;
  // The program's own pictures are the same in every window that opens.
  static std::map<std::tuple<const char*, LONG, LONG, PictureMode>, DrawnPicture> kept;
  const auto key = std::make_tuple(w.builtIn.data(), box.right, box.bottom, w.decl->pictureMode);
  if (!w.builtIn.empty()) {
    if (auto it = kept.find(key); it != kept.end()) {
      w.drawn = it->second.bitmap;
      w.drawnRect = it->second.rect;
      w.sharedDrawn = true;
      return;
    }
  }
  const bool fit = w.decl->pictureMode == PictureMode::Fit;
  const Image image = DecodeImage(bytes, fit ? box.right : 0, fit ? box.bottom : 0);
  if (image.empty()) return;
  const Rect r = ui::PictureRect(w.decl->pictureMode, box.right, box.bottom, image.width, image.height);
  w.drawn = ScaledBitmap(image, r.width, r.height);
  w.drawnRect = {r.left, r.top, r.left + r.width, r.top + r.height};
  if (!w.builtIn.empty() && w.drawn) {
    kept.emplace(key, DrawnPicture{w.drawn, w.drawnRect});
    w.sharedDrawn = true;
  }
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
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption, DT_NOPREFIX | DT_SINGLELINE | DT_CALCRECT);
    InflateRect(&caption, Scaled(2, dpi), 0);
    Fill(dc, caption, BackgroundOf(hwnd));
    InflateRect(&caption, -Scaled(2, dpi), 0);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(hwnd) ? ToColorRef(w.decl->textColor, COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption, DT_NOPREFIX | DT_SINGLELINE);
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
      const COLORREF color =
          IsWindowEnabled(hwnd) ? ToColorRef(w.decl->textColor, COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT);
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

void Paint(HWND hwnd, Widget& w) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  // Drawn off screen first, so that nothing flickers.
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
  HGDIOBJ old = SelectObject(memory, bitmap);
  PaintAll(hwnd, w, memory);
  BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EndPaint(hwnd, &ps);
}

POINT ScreenPoint(HWND hwnd, LPARAM lp) {
  POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  ClientToScreen(hwnd, &p);
  return p;
}

bool InClient(HWND hwnd, LPARAM lp) {
  RECT client;
  GetClientRect(hwnd, &client);
  const POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  return PtInRect(&client, p) != FALSE;
}

LRESULT SuperButtonMouse(HWND hwnd, Widget& w, UINT msg, LPARAM lp) {
  switch (msg) {
    case WM_MOUSEMOVE: {
      const bool inside = InClient(hwnd, lp);
      if (inside != w.hover) {
        w.hover = inside;
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      if (inside && !w.tracking) {
        // Tells the button when the pointer leaves it, to return to rest.
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
        w.tracking = TrackMouseEvent(&track) != FALSE;
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      w.tracking = false;
      if (w.hover && !w.pressed) {
        w.hover = false;
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      w.pressed = true;
      w.hover = true;
      SetCapture(hwnd);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP: {
      if (!w.pressed) return 0;
      w.pressed = false;
      w.hover = InClient(hwnd, lp);
      if (GetCapture() == hwnd) ReleaseCapture();
      InvalidateRect(hwnd, nullptr, FALSE);
      // Clicked when released over the button. The handler may close the
      // window, so nothing of it is used afterwards.
      // A press that came without the pointer moving over the button first (a
      // tap on a touch screen) is told when the pointer is not, or no longer,
      // over it, so the button does not stay in its pointer-over look.
      if (w.hover && !w.tracking) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
        w.tracking = TrackMouseEvent(&track) != FALSE;
      }
      if (w.hover && w.layer) w.layer->Deliver(w.decl->handler);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (w.pressed) {
        w.pressed = false;
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      return 0;
    default:
      return 0;
  }
}

LRESULT CtlColor(HWND hwnd, const Widget& w, HDC dc, UINT msg) {
  if (w.role == Role::EditHost) {
    const COLORREF back = ToColorRef(w.decl->backColor, COLOR_WINDOW);
    SetTextColor(dc, ToColorRef(w.decl->textColor, COLOR_WINDOWTEXT));
    SetBkColor(dc, back);
    return reinterpret_cast<LRESULT>(BrushFor(back));
  }
  if (msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN) {
    // Radio and push buttons on the container's own colour.
    const COLORREF back = BackgroundOf(hwnd);
    SetBkColor(dc, back);
    return reinterpret_cast<LRESULT>(BrushFor(back));
  }
  return 0;
}

bool StartsDrag(Role role) {
  return role == Role::Top || role == Role::PageArea || role == Role::Page || role == Role::Group ||
         role == Role::Label || role == Role::Picture;
}

LRESULT CALLBACK WidgetProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  Widget* w = WidgetOf(hwnd);
  if (!w) return DefWindowProcW(hwnd, msg, wp, lp);
  switch (msg) {
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      ReleaseDrawn(*w);
      delete w;
      return DefWindowProcW(hwnd, msg, wp, lp);
    case kDestroyLater:
      DestroyWindow(hwnd);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT draws everything
    case WM_PAINT:
      Paint(hwnd, *w);
      return 0;
    case WM_PRINTCLIENT:
      PaintAll(hwnd, *w, reinterpret_cast<HDC>(wp));
      return 0;
    case WM_SETTEXT:
    case WM_ENABLE: {
      const LRESULT result = DefWindowProcW(hwnd, msg, wp, lp);
      InvalidateRect(hwnd, nullptr, FALSE);
      return result;
    }
    case WM_COMMAND:
      if (lp && w->layer) w->layer->OnCommand(reinterpret_cast<HWND>(lp), HIWORD(wp));
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (LRESULT brush = CtlColor(hwnd, *w, reinterpret_cast<HDC>(wp), msg)) return brush;
      return DefWindowProcW(hwnd, msg, wp, lp);
    case WM_SETFOCUS:
      if (w->role == Role::EditHost) {
        if (HWND edit = GetWindow(hwnd, GW_CHILD)) SetFocus(edit);
      }
      return 0;
    case WM_TIMER:
      if (w->role == Role::Top && w->layer) w->layer->OnTimer(w->window, wp);
      return 0;
    case WM_CLOSE:
      if (w->role == Role::Top && w->layer) w->layer->ClosedByUser(w->window);
      return 0;
    case WM_DPICHANGED:
      // Moved to a screen of another scale, or the scale changed: the window
      // takes the size the system suggests and is laid out anew.
      if (w->role == Role::Top && w->layer) {
        w->layer->ChangeScale(w->window, HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
      }
      return 0;
    case WM_MOUSEMOVE:
      if (w->role == Role::SuperButton) return SuperButtonMouse(hwnd, *w, msg, lp);
      if (w->role == Role::Top && w->layer && (wp & MK_LBUTTON)) w->layer->DragMove(w->window, ScreenPoint(hwnd, lp));
      return 0;
    case WM_LBUTTONUP:
      if (w->role == Role::SuperButton) return SuperButtonMouse(hwnd, *w, msg, lp);
      if (w->role == Role::Top && w->layer) {
        w->layer->DragMove(w->window, ScreenPoint(hwnd, lp));
        w->layer->EndDrag(w->window);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (w->role == Role::SuperButton) return SuperButtonMouse(hwnd, *w, msg, lp);
      if (w->role == Role::Top && w->layer) w->layer->EndDrag(w->window);
      return 0;
    case WM_MOUSELEAVE:
      if (w->role == Role::SuperButton) return SuperButtonMouse(hwnd, *w, msg, lp);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (w->role == Role::SuperButton) return SuperButtonMouse(hwnd, *w, msg, lp);
      if (w->role == Role::EditHost) {
        if (HWND edit = GetWindow(hwnd, GW_CHILD)) SetFocus(edit);
        return 0;
      }
      Win32Layer* layer = w->layer;
      if (!layer) return 0;
      const WindowId window = w->window;
      const bool drag = w->windowDecl->dragAnywhere && StartsDrag(w->role);
      const POINT at = ScreenPoint(hwnd, lp);
      // The picture box reports the press first; its handler may close the window.
      if (w->role == Role::Picture && msg == WM_LBUTTONDOWN) layer->Deliver(w->decl->handler);
      if (drag) layer->BeginDrag(window, at);
      return 0;
    }
    default:
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

}  // namespace

void RegisterWindowClasses() {
  WNDCLASSEXW top{};
  top.cbSize = sizeof top;
  top.lpfnWndProc = WidgetProc;
  top.hInstance = GetModuleHandleW(nullptr);
  top.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  // The program's icon (resource 1) in the sizes the system shows: the task
  // bar's and Alt+Tab's, and the caption's.
  auto icon = [](int width, int height) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                         GetSystemMetrics(width), GetSystemMetrics(height),
                                         LR_SHARED));
  };
  top.hIcon = icon(SM_CXICON, SM_CYICON);
  top.hIconSm = icon(SM_CXSMICON, SM_CYSMICON);
  top.lpszClassName = kTopClass;
  RegisterClassExW(&top);
  WNDCLASSEXW control = top;
  control.hIcon = nullptr;
  control.hIconSm = nullptr;
  control.lpszClassName = kControlClass;
  RegisterClassExW(&control);
}

Widget* WidgetOf(HWND hwnd) {
  return hwnd ? reinterpret_cast<Widget*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)) : nullptr;
}

int DpiOf(HWND hwnd) {
  HWND top = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
  wchar_t name[32] = {};
  if (!top || !GetClassNameW(top, name, 32) || lstrcmpW(name, kTopClass) != 0) return ScreenDpi();
  const Widget* w = WidgetOf(top);
  return w ? w->dpi : ScreenDpi();
}

HWND CreateWidget(Widget* widget, const std::wstring& text, DWORD style, DWORD exStyle, int x, int y, int w, int h,
                  HWND parent, int id) {
  const bool top = widget->role == Role::Top;
  HWND hwnd = CreateWindowExW(exStyle, top ? kTopClass : kControlClass, text.c_str(), style, x, y, w, h, parent,
                              top ? nullptr : reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), widget);
  if (!hwnd) delete widget;
  return hwnd;
}

COLORREF ToColorRef(Color c, int systemColor) {
  return c.isDefault ? GetSysColor(systemColor) : RGB(c.r, c.g, c.b);
}

HBRUSH BrushFor(COLORREF color) {
  static std::map<COLORREF, HBRUSH> brushes;
  auto [it, added] = brushes.try_emplace(color, nullptr);
  if (added) it->second = CreateSolidBrush(color);
  return it->second;
}

COLORREF BackgroundOf(HWND container) {
  const Widget* w = WidgetOf(container);
  if (!w) return GetSysColor(COLOR_BTNFACE);
  switch (w->role) {
    case Role::Top:
      return ToColorRef(w->windowDecl->background, COLOR_BTNFACE);
    case Role::Label:
      return ToColorRef(w->decl->backColor, COLOR_BTNFACE);
    case Role::EditHost:
      return ToColorRef(w->decl->backColor, COLOR_WINDOW);
    case Role::Group:
    case Role::Picture:
      if (!w->decl->backColor.isDefault) return ToColorRef(w->decl->backColor, COLOR_BTNFACE);
      return BackgroundOf(GetParent(container));
    default:
      return BackgroundOf(GetParent(container));
  }
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

void SetPictureBytes(HWND picture, std::string encoded) { ReplacePicture(picture, std::move(encoded), {}); }

// A picture the program carries is drawn from its own bytes, never copied.
void SetBuiltInPicture(HWND picture, std::string_view resource) { ReplacePicture(picture, {}, resource); }

bool HasPicture(HWND picture) {
  Widget* w = WidgetOf(picture);
  if (!w || w->role != Role::Picture) return false;
  DecodePicture(picture, *w);
  return w->drawn != nullptr;
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
  SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(area.dc()), PRF_CLIENT | PRF_ERASEBKGND);
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
  BitBlt(whole.dc(), client.x - window.left, client.y - window.top, inner.right, inner.bottom, area.dc(), 0, 0,
         SRCCOPY);
  BitBlt(dc, 0, 0, width, height, whole.dc(), 0, 0, SRCCOPY);
}

bool IsControlOfOurs(HWND hwnd) {
  wchar_t name[32] = {};
  GetClassNameW(hwnd, name, 32);
  return lstrcmpW(name, kControlClass) == 0;
}

std::optional<CaptionLayout> CaptionLayoutOf(HWND hwnd) {
  const Widget* w = IsControlOfOurs(hwnd) ? WidgetOf(hwnd) : nullptr;
  if (!w || !w->decl || (w->role != Role::Label && w->role != Role::TransparentLabel &&
                         w->role != Role::SuperButton && w->role != Role::Group)) {
    return std::nullopt;
  }
  RECT client;
  GetClientRect(hwnd, &client);
  const int dpi = DpiOf(hwnd);
  const CaptionArea area = CaptionAreaOf(*w, client, dpi);
  HDC dc = GetDC(hwnd);
  HFONT font = CaptionFont(dc, WindowText(hwnd), w->decl->font, area, dpi);
  ReleaseDC(hwnd, dc);
  return CaptionLayout{font, area};
}

namespace {

// Cuts a control of ours off from the layer (an EnumChildWindows callback).
BOOL CALLBACK ForgetLayer(HWND child, LPARAM) {
  if (IsControlOfOurs(child)) WidgetOf(child)->layer = nullptr;
  return TRUE;
}

}  // namespace

void CloseLater(HWND top) {
  if (Widget* w = WidgetOf(top)) w->layer = nullptr;
  EnumChildWindows(top, ForgetLayer, 0);
  ShowWindow(top, SW_HIDE);
  PostMessageW(top, kDestroyLater, 0, 0);
}

}  // namespace ui::win32
