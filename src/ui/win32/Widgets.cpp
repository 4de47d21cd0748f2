// The window classes of the program's own windows and controls, and the
// window procedure that hands their messages on.
#include "ui/win32/Widgets.h"

#include <map>

#include "ui/win32/Fonts.h"
#include "ui/win32/WidgetParts.h"
#include "ui/win32/Win32Layer.h"

namespace ui::win32 {
namespace {

// Posted to a closed window: it is destroyed once the handler that closed it
// has returned, as the handler may run inside one of its controls.
constexpr UINT kDestroyLater = WM_APP + 40;

POINT ScreenPoint(HWND hwnd, LPARAM lp) {
  POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  ClientToScreen(hwnd, &p);
  return p;
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
      if (w->role == Role::Top && w->layer) w->layer->OnCloseBox(w->window);
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
      if (w->role == Role::Top && w->layer && (wp & MK_LBUTTON))
        w->layer->DragMove(w->window, ScreenPoint(hwnd, lp));
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

HWND CreateWidget(Widget* widget, const std::wstring& text, DWORD style, DWORD exStyle, int x,
                  int y, int w, int h, HWND parent, int id) {
  const bool top = widget->role == Role::Top;
  HWND hwnd =
      CreateWindowExW(exStyle, top ? kTopClass : kControlClass, text.c_str(), style, x, y, w, h,
                      parent, top ? nullptr : reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
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

bool IsControlOfOurs(HWND hwnd) {
  wchar_t name[32] = {};
  GetClassNameW(hwnd, name, 32);
  return lstrcmpW(name, kControlClass) == 0;
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
