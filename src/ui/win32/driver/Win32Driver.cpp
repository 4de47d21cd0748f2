// The test driver on Win32: it acts as the user with real input messages
// posted to the controls and reads what the windows show.

#include <shlobj.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "ui/Backend.h"
#include "ui/DriverBase.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/UiThread.h"
#include "ui/win32/Widgets.h"
#include "ui/win32/Win32Layer.h"
#include "ui/win32/WinText.h"
#include "ui/win32/driver/PngFile.h"

namespace ui::win32 {
namespace {

// Where a window is on the screen: its position in screen pixels, its size in
// the catalogue's pixels at the scale its window is laid out at.
Rect OnScreen(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  const int dpi = DpiOf(hwnd);
  return Rect{r.left, r.top, Unscaled(r.right - r.left, dpi), Unscaled(r.bottom - r.top, dpi)};
}

bool IsDialogClass(HWND hwnd) {
  wchar_t name[16] = {};
  GetClassNameW(hwnd, name, 16);
  return lstrcmpW(name, L"#32770") == 0;
}

struct BoxSearch {
  HWND except;
  HWND found = nullptr;
};

// An EnumWindows callback: stops at the first visible dialog of this thread
// that the search does not exclude.
BOOL CALLBACK FindMessageBox(HWND hwnd, LPARAM data) {
  auto* s = reinterpret_cast<BoxSearch*>(data);
  if (hwnd != s->except && IsWindowVisible(hwnd) && IsDialogClass(hwnd) &&
      GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId()) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// The open message box of the program: a dialog of the standard class that
// is not the browse dialog.
HWND CurrentMessageBox(HWND browseDialog) {
  BoxSearch search{browseDialog};
  EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

LPARAM ClientPoint(HWND target, POINT screen) {
  ScreenToClient(target, &screen);
  return MAKELPARAM(static_cast<short>(screen.x), static_cast<short>(screen.y));
}

POINT CentreOnScreen(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  POINT p{r.right / 2, r.bottom / 2};
  ClientToScreen(hwnd, &p);
  return p;
}

class Win32Driver final : public DriverBase {
 public:
  explicit Win32Driver(Win32Layer& layer) : DriverBase(layer), layer_(layer) {}

  void Sync(std::function<void()> fn) override { RunOnUiThread(fn); }

  bool Click(ControlId c) override { return PressAndRelease(c); }
  bool DoubleClick(ControlId c) override {
    auto at = std::make_shared<POINT>();
    auto started = std::make_shared<DWORD>();
    if (!Act(c, [this, at, started](BuiltControl& b) {
          *at = CentreOnScreen(b.hwnd);
          *started = now_;
          PostMessageW(b.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(b.hwnd, *at));
        }))
      return false;
    SendToPointer(c, WM_LBUTTONUP, 0, *at);
    // The second click goes to whatever is under the pointer by now: the
    // first may have opened a window there.
    Post([this, at, started] {
      HWND under = WindowFromPoint(*at);
      // Pointer input never reaches a window that a modal one has disabled.
      if (!under || !IsWindowEnabled(GetAncestor(under, GA_ROOT))) return;
      InputAt(*started + 150);
      PostMessageW(under, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(under, *at));
      PostMessageW(under, WM_LBUTTONUP, 0, ClientPoint(under, *at));
    });
    return true;
  }
  bool PressMouse(ControlId c) override { return PressAndRelease(c); }

  bool Type(ControlId c, std::string_view gbk) override {
    const std::wstring text = FromGbk(gbk);
    return Act(c, [text](BuiltControl& b) {
      HWND target = b.edit ? b.edit : b.hwnd;
      SetFocus(target);
      SendMessageW(target, EM_SETSEL, 0, -1);
      // The selection goes, then each character arrives as the keyboard or an
      // input method delivers it.
      PostMessageW(target, WM_CHAR, VK_BACK, 1);
      for (wchar_t ch : text) PostMessageW(target, WM_CHAR, ch, 1);
    });
  }

  bool ChooseItem(ControlId c, int index) override {
    return Act(c, [index](BuiltControl& b) {
      const int count = static_cast<int>(SendMessageW(b.hwnd, CB_GETCOUNT, 0, 0));
      if (index < 0 || index >= count) return;
      SendMessageW(b.hwnd, CB_SHOWDROPDOWN, TRUE, 0);
      SendMessageW(b.hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
      SendMessageW(b.hwnd, CB_SHOWDROPDOWN, FALSE, 0);
      PostMessageW(GetParent(b.hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(b.hwnd), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(b.hwnd));
    });
  }

  bool DoubleClickItem(ControlId c, int index) override { return ClickItem(c, index, true); }
  bool SelectItem(ControlId c, int index) override { return ClickItem(c, index, false); }

  bool Drag(ControlId c, int dx, int dy) override {
    auto start = std::make_shared<POINT>();
    if (!Act(c, [start](BuiltControl& b) {
          *start = CentreOnScreen(b.hwnd);
          PostMessageW(b.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(b.hwnd, *start));
        }))
      return false;
    const POINT end{start->x + dx, start->y + dy};
    // The moves and the release go where the pointer is captured, as input does.
    SendToPointer(c, WM_MOUSEMOVE, MK_LBUTTON, end);
    SendToPointer(c, WM_LBUTTONUP, 0, end);
    return true;
  }

  std::optional<WindowId> ModalWindow() override {
    return Read([&]() -> std::optional<WindowId> {
      if (CurrentMessageBox(nullptr)) return std::nullopt;
      for (int i = 0; i < kWindowCount; ++i) {
        OpenWindow* window = layer_.Find(static_cast<WindowId>(i));
        if (window && window->modalDone && IsWindowEnabled(window->hwnd))
          return static_cast<WindowId>(i);
      }
      return std::nullopt;
    });
  }

  bool IsShown(ControlId c) override {
    return Read([&] {
      BuiltControl* b = layer_.FindControl(c);
      return b && b->hwnd && IsWindowVisible(b->hwnd);
    });
  }

  bool IsEnabled(ControlId c) override {
    return Read([&] {
      BuiltControl* b = layer_.FindControl(c);
      return b && b->hwnd && IsWindowEnabled(b->hwnd);
    });
  }

  Rect WindowGeometry(WindowId w) override {
    return Read([&] {
      OpenWindow* window = layer_.Find(w);
      return window ? OnScreen(window->hwnd) : Rect{};
    });
  }

  Rect ClientGeometry(WindowId w) override {
    return Read([&] {
      OpenWindow* window = layer_.Find(w);
      if (!window) return Rect{};
      RECT r;
      GetClientRect(window->hwnd, &r);
      POINT topLeft{0, 0};
      ClientToScreen(window->hwnd, &topLeft);
      const int dpi = DpiOf(window->hwnd);
      return Rect{topLeft.x, topLeft.y, Unscaled(r.right, dpi), Unscaled(r.bottom, dpi)};
    });
  }

  Rect ScreenRect(ControlId c) override {
    return Read([&] {
      BuiltControl* b = layer_.FindControl(c);
      return b && b->hwnd ? OnScreen(b->hwnd) : Rect{};
    });
  }

  // Measured with the font and in the area the caption is drawn with: a
  // control of ours may draw it smaller than declared; a standard control
  // draws it with its own font in its client area.
  bool CaptionFits(ControlId c) override {
    return Read([&] {
      BuiltControl* b = layer_.FindControl(c);
      if (!b || !b->hwnd || b->edit) return true;
      const std::wstring text = WindowText(b->hwnd);
      if (text.empty()) return true;
      HFONT font = nullptr;
      CaptionArea area{};
      if (IsControlOfOurs(b->hwnd)) {
        const std::optional<CaptionLayout> layout = CaptionLayoutOf(b->hwnd);
        if (!layout) return true;
        font = layout->font;
        area = layout->area;
      } else {
        font = reinterpret_cast<HFONT>(SendMessageW(b->hwnd, WM_GETFONT, 0, 0));
        GetClientRect(b->hwnd, &area.rect);
        area.wrap = b->decl->wrap;
      }
      if (!font) return true;
      HDC dc = GetDC(b->hwnd);
      const bool fits = CharacterPx(dc, font, DpiOf(b->hwnd)) >= kSmallestCaptionPx &&
                        CaptionFitsIn(dc, font, text, area);
      ReleaseDC(b->hwnd, dc);
      return fits;
    });
  }

  uint64_t NativeHandle(WindowId w) override {
    return Read([&]() -> uint64_t {
      OpenWindow* window = layer_.Find(w);
      return window && IsWindowVisible(window->hwnd) ? reinterpret_cast<uintptr_t>(window->hwnd)
                                                     : 0;
    });
  }

  std::optional<MessageBoxInfo> OpenMessageBox() override {
    return Read([&]() -> std::optional<MessageBoxInfo> {
      HWND box = CurrentMessageBox(layer_.BrowseDialog());
      if (!box) return std::nullopt;
      wchar_t text[4096] = {};
      GetDlgItemTextW(box, 0xFFFF, text, 4096);
      MessageBoxInfo info{ToGbk(text), ToGbk(WindowText(box)), std::nullopt};
      if (HWND owner = GetWindow(box, GW_OWNER)) info.owner = layer_.WindowOf(owner);
      return info;
    });
  }

  bool AnswerMessageBox() override {
    return Attempt([this]() -> Action {
      HWND box = CurrentMessageBox(layer_.BrowseDialog());
      HWND button = box ? GetDlgItem(box, IDOK) : nullptr;
      if (!button) return {};
      return [box, button] {
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
      };
    });
  }

  std::optional<std::string> OpenBrowseDialog() override {
    return Read([&]() -> std::optional<std::string> {
      if (!layer_.BrowseDialog()) return std::nullopt;
      return layer_.BrowsePrompt();
    });
  }

  bool AnswerBrowseDialog(std::string_view gbkPath) override {
    const std::wstring path = FromGbk(gbkPath);
    return Attempt([this, path]() -> Action {
      HWND dialog = layer_.BrowseDialog();
      if (!dialog) return {};
      return [this, dialog, path] {
        if (path.empty()) {
          PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
          return;
        }
        // The user types the full path into the edit box and accepts it. A
        // dialog without an edit box (Wine's) gets the typed path handed over.
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
        if (HWND edit = FindWindowExW(dialog, nullptr, L"Edit", nullptr)) {
          SetWindowTextW(edit, path.c_str());
        } else {
          layer_.SetTypedPath(path.c_str());
        }
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
      };
    });
  }

  // Both spellings of the file, so that the driver follows the interface
  // whichever one it declares.
  bool Snapshot(WindowId w, const std::string& pngPath) {
    return Snapshot(w, std::filesystem::path(FromAnsi(pngPath)));
  }

  bool Snapshot(WindowId w, const std::filesystem::path& pngPath) override {
    return Read([&] {
      OpenWindow* window = layer_.Find(w);
      if (!window) return false;
      RECT r;
      GetWindowRect(window->hwnd, &r);
      const int width = r.right - r.left, height = r.bottom - r.top;
      void* bits = nullptr;
      HBITMAP bitmap = TopDownBitmap(width, height, &bits);
      if (!bitmap) return false;
      HDC dc = CreateCompatibleDC(nullptr);
      HGDIOBJ old = SelectObject(dc, bitmap);
      DrawFrame(window->hwnd, dc, width, height);
      PrintTree(window->hwnd, dc);
      GdiFlush();
      auto* pixels = static_cast<uint8_t*>(bits);
      for (int i = 0; i < width * height; ++i) pixels[i * 4 + 3] = 255;
      const bool written = WritePng(pngPath.wstring(), bits, width, height);
      SelectObject(dc, old);
      DeleteDC(dc);
      DeleteObject(bitmap);
      return written;
    });
  }

 private:
  void PostToUiThread(std::function<void()> fn) override { win32::PostToUiThread(std::move(fn)); }

  Rect PlacedRect(ControlId c) override {
    HWND hwnd = layer_.FindControl(c)->hwnd;
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    const int dpi = DpiOf(hwnd);
    return Rect{Unscaled(r.left, dpi), Unscaled(r.top, dpi), Unscaled(r.right - r.left, dpi),
                Unscaled(r.bottom - r.top, dpi)};
  }

  Action CloseBox(WindowId w) override {
    HWND hwnd = layer_.Find(w)->hwnd;
    if (!IsWindowEnabled(hwnd)) return {};
    return [hwnd] { PostMessageW(hwnd, WM_CLOSE, 0, 0); };
  }

  // The frame and caption bar as a plain drawing, under whatever the system
  // draws of them itself: a window manager may draw them instead.
  static void DrawFrame(HWND hwnd, HDC dc, int width, int height) {
    RECT all{0, 0, width, height};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    if (!(style & (WS_BORDER | WS_DLGFRAME))) return;
    HBRUSH edge = CreateSolidBrush(RGB(100, 100, 100));
    FrameRect(dc, &all, edge);
    DeleteObject(edge);
    if ((style & WS_CAPTION) != WS_CAPTION) return;
    RECT window;
    GetWindowRect(hwnd, &window);
    POINT client{0, 0};
    ClientToScreen(hwnd, &client);
    RECT bar{1, 1, width - 1, client.y - window.top};
    FillRect(dc, &bar, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(dc, FontFor(Px(12), DpiOf(hwnd)));
    const std::wstring title = WindowText(hwnd);
    RECT text{8, bar.top, width - 60, bar.bottom};
    DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    RECT close{width - 28, bar.top, width - 4, bar.bottom};
    if (style & WS_SYSMENU)
      DrawTextW(dc, L"\u00d7", 1, &close, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    RECT minimise{width - 52, bar.top, width - 28, bar.bottom};
    if (style & WS_MINIMIZEBOX)
      DrawTextW(dc, L"\u2013", 1, &minimise, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    SelectObject(dc, old);
  }

  void Settle() override {
    if (!WaitUntilUiIdle()) {
      std::fprintf(stderr, "the UI thread did not answer within the time limit\n");
      std::abort();
    }
  }

  // The input posted from now on (on the UI thread) comes at this time. The
  // driver keeps a time line of its own: the layer tells input that comes
  // close together (a double click) from input that does not by these times.
  void InputAt(DWORD at) {
    now_ = at;
    layer_.SetInputTime(at);
  }

  // Checks on the UI thread that the user could reach the control, then acts.
  // Each action of the user comes a moment after the one before: never as
  // part of a double click, and never onto a window that has just opened.
  bool Act(ControlId c, std::function<void(BuiltControl&)> action) {
    return Attempt([this, c, action = std::move(action)]() -> Action {
      BuiltControl* b = layer_.FindControl(c);
      if (!b || !b->hwnd || !IsWindowVisible(b->hwnd) || !IsWindowEnabled(b->hwnd)) return {};
      // A window blocked by a modal window or box takes no input.
      if (!IsWindowEnabled(GetAncestor(b->hwnd, GA_ROOT))) return {};
      return [this, b, action] {
        InputAt(now_ + 1000);
        action(*b);
      };
    });
  }

  // Posts a mouse message to the window that has the pointer captured, or
  // else to the control, at a point of the screen.
  void SendToPointer(ControlId c, UINT msg, WPARAM keys, POINT screen) {
    Post([this, c, msg, keys, screen] {
      HWND target = GetCapture();
      if (!target) {
        BuiltControl* b = layer_.FindControl(c);
        if (!b || !b->hwnd) return;
        target = b->hwnd;
      }
      InputAt(now_ + 60);
      PostMessageW(target, msg, keys, ClientPoint(target, screen));
    });
  }

  bool PressAndRelease(ControlId c) {
    auto at = std::make_shared<POINT>();
    if (!Act(c, [at](BuiltControl& b) {
          *at = CentreOnScreen(b.hwnd);
          PostMessageW(b.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(b.hwnd, *at));
        }))
      return false;
    SendToPointer(c, WM_LBUTTONUP, 0, *at);
    return true;
  }

  bool ClickItem(ControlId c, int index, bool twice) {
    auto at = std::make_shared<POINT>();
    if (!Act(c, [index, twice, at](BuiltControl& b) {
          const int count = static_cast<int>(SendMessageW(b.hwnd, LB_GETCOUNT, 0, 0));
          if (index < 0 || index >= count) return;
          SendMessageW(b.hwnd, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
          RECT item;
          SendMessageW(b.hwnd, LB_GETITEMRECT, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(&item));
          POINT p{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
          ClientToScreen(b.hwnd, &p);
          *at = p;
          const LPARAM lp = ClientPoint(b.hwnd, p);
          PostMessageW(b.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, lp);
          PostMessageW(b.hwnd, WM_LBUTTONUP, 0, lp);
          if (twice) {
            PostMessageW(b.hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, lp);
            PostMessageW(b.hwnd, WM_LBUTTONUP, 0, lp);
          }
        }))
      return false;
    return true;
  }

  Win32Layer& layer_;
  DWORD now_ = 0;  // the time of the last input posted (UI thread only)
};

}  // namespace
}  // namespace ui::win32

std::unique_ptr<ui::Driver> ui::CreateDriver(Layer& layer) {
  return MakeDriver<win32::Win32Driver, win32::Win32Layer>(layer);
}
