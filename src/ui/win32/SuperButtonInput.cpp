// A super button's look follows the pointer; it is clicked when released over it.
#include "ui/win32/WidgetParts.h"
#include "ui/win32/Win32Layer.h"

namespace ui::win32 {
namespace {

bool InClient(HWND hwnd, LPARAM lp) {
  RECT client;
  GetClientRect(hwnd, &client);
  const POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  return PtInRect(&client, p) != FALSE;
}

}  // namespace

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

}  // namespace ui::win32
