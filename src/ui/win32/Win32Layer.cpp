#include "ui/win32/Win32Layer.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>

#include "ui/Resources.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/Widgets.h"
#include "ui/win32/WinText.h"

namespace ui::win32 {
namespace {

// Room for the list of a drop-down combo box below its field.
constexpr int kDropDownHeight = 200;

// Work posted to the UI thread: a message to the hidden owner window, whose
// lParam is the work (a std::function<void()> made with new).
constexpr UINT kPostedWork = WM_APP + 1;

LRESULT CALLBACK PostedWorkProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                DWORD_PTR data) {
  if (msg != kPostedWork) return DefSubclassProc(hwnd, msg, wp, lp);
  std::unique_ptr<std::function<void()>> work(reinterpret_cast<std::function<void()>*>(lp));
  if (!reinterpret_cast<Win32Layer*>(data)->Ended()) (*work)();
  return 0;
}

std::vector<std::wstring> ItemsOf(const char* utf8) {
  std::vector<std::wstring> items;
  std::string_view all(utf8);
  if (all.empty()) return items;
  for (;;) {
    const std::size_t end = all.find('\n');
    items.push_back(FromUtf8(all.substr(0, end)));
    if (end == std::string_view::npos) break;
    all.remove_prefix(end + 1);
  }
  return items;
}

Widget* NewWidget(Role role, Win32Layer* layer, const WindowSpec& window, const ControlSpec* decl) {
  auto* w = new Widget;
  w->role = role;
  w->layer = layer;
  w->window = window.id;
  w->windowDecl = &window;
  w->decl = decl;
  return w;
}

// The order the controls of a window are made in. A new child window goes
// below its siblings, so making each holder's controls the last declared
// first leaves every control above those declared before it, as the
// catalogue lays them, without restacking each one. A holder is made before
// what it holds.
std::vector<std::size_t> CreationOrder(const WindowSpec& decl) {
  const std::size_t count = decl.controls.size();
  std::vector<std::size_t> depth(count, 0);
  for (std::size_t i = 0; i < count; ++i) {
    if (const std::optional<Holder> holder = HolderOf(decl, i)) depth[i] = depth[holder->index] + 1;
  }
  std::vector<std::size_t> order(count);
  for (std::size_t i = 0; i < count; ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&depth](std::size_t a, std::size_t b) {
    return depth[a] != depth[b] ? depth[a] < depth[b] : a > b;
  });
  return order;
}

// The controls a window does not show when it first appears: those on the
// pages of a page container other than its first, and hidden ones that hold
// no other. They are made once the window has been drawn, or before, when a
// handler or the user first needs one; each window made costs the first
// frame time of its own. Timers are no windows.
std::vector<bool> MadeLater(const WindowSpec& decl) {
  const std::size_t count = decl.controls.size();
  std::vector<bool> later(count, false), holds(count, false);
  for (std::size_t i = 0; i < count; ++i) {
    if (const std::optional<Holder> holder = HolderOf(decl, i)) holds[holder->index] = true;
  }
  for (std::size_t i = 0; i < count; ++i) {
    const ControlSpec& c = decl.controls[i];
    if (c.kind == Kind::Timer) continue;
    if (const std::optional<Holder> holder = HolderOf(decl, i)) {
      if ((holder->page && *holder->page != 0) || later[holder->index]) later[i] = true;
    }
    if (!c.visible && !holds[i]) later[i] = true;
  }
  return later;
}

// What is made at once when one control made later is needed: the whole
// page it lies on, so that the page's controls lie as declared, or the
// control alone.
struct LaterUnit {
  std::size_t holder;  // the page container, or the control itself
  int page;            // the page, or -1: the control alone
  friend bool operator==(const LaterUnit&, const LaterUnit&) = default;
};

LaterUnit LaterUnitOf(const WindowSpec& decl, std::size_t index) {
  LaterUnit unit{index, -1};
  std::optional<Holder> holder = HolderOf(decl, index);
  while (holder) {
    if (holder->page && *holder->page != 0) unit = {holder->index, *holder->page};
    holder = HolderOf(decl, holder->index);
  }
  return unit;
}

UINT_PTR TimerId(std::size_t index) {
  return kFirstControlId + index;
}

// Places the edit control of an edit box in the middle of its area: a
// single-line edit control draws its text at its top.
void PlaceEdit(HWND host, HWND edit, HFONT font, int dpi) {
  RECT client;
  GetClientRect(host, &client);
  HDC dc = GetDC(edit);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(edit, dc);
  const int margin = Scaled(3, dpi);
  const int height = std::min<int>(metrics.tmHeight + Scaled(2, dpi), client.bottom);
  MoveWindow(edit, margin, (client.bottom - height) / 2,
             std::max<int>(client.right - 2 * margin, 1), height, FALSE);
}

struct Placement {
  int left, top, width, height;
};

// A window of the catalogue at a scale, centred on the screen.
Placement CentredOnScreen(const WindowSpec& decl, int dpi) {
  const int width = Scaled(decl.width, dpi), height = Scaled(decl.height, dpi);
  return {(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
          width, height};
}

// A combo box's window holds its field and the room of its list below.
int ComboHeight(const ControlSpec& c, int h, int dpi) {
  return c.comboStyle == ComboStyle::Simple ? h : h + Scaled(kDropDownHeight, dpi);
}

// The field of a combo box takes the declared height.
void SetComboFieldHeight(HWND combo, int h, int dpi) {
  SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(h - Scaled(6, dpi), 1));
}

// A list box of the window itself stays inside the window's client area,
// whatever the frame takes, so that its border and scroll bar stay in view.
void KeepInside(HWND list, HWND parent, int x, int y, int w, int h) {
  RECT client;
  GetClientRect(parent, &client);
  SetWindowPos(list, nullptr, x, y, std::min<int>(w, client.right - x),
               std::min<int>(h, client.bottom - y), SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CALLBACK EndOneDialog(HWND hwnd, LPARAM) {
  wchar_t name[16] = {};
  GetClassNameW(hwnd, name, 16);
  if (lstrcmpW(name, L"#32770") == 0) EndDialog(hwnd, IDCANCEL);
  return TRUE;
}

bool IsFullPath(const std::wstring& text) {
  return (text.size() >= 3 && text[1] == L':' && (text[2] == L'\\' || text[2] == L'/')) ||
         text.starts_with(L"\\\\");
}

// Watches the browse dialog's OK button: a full path in the edit box is what
// the user typed, whatever the tree shows.
LRESULT CALLBACK BrowseDialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                  DWORD_PTR data) {
  if (msg == WM_COMMAND && LOWORD(wp) == IDOK) {
    if (HWND edit = FindWindowExW(dialog, nullptr, L"Edit", nullptr)) {
      const std::wstring typed = WindowText(edit);
      if (IsFullPath(typed)) reinterpret_cast<Win32Layer*>(data)->SetTypedPath(typed.c_str());
    }
  } else if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(dialog, BrowseDialogProc, id);
  }
  return DefSubclassProc(dialog, msg, wp, lp);
}

int CALLBACK BrowseCallback(HWND dialog, UINT msg, LPARAM param, LPARAM data) {
  auto* layer = reinterpret_cast<Win32Layer*>(data);
  if (msg == BFFM_INITIALIZED) {
    layer->SetBrowseDialog(dialog);
    SetWindowSubclass(dialog, BrowseDialogProc, 1, static_cast<DWORD_PTR>(data));
  }
  // A path typed into the edit box that names nothing in the tree is still
  // the user's choice: a file may be named before it exists.
  if (msg == BFFM_VALIDATEFAILEDW) layer->SetTypedPath(reinterpret_cast<const wchar_t*>(param));
  return 0;
}

}  // namespace

bool PumpOneMessage() {
  MSG msg;
  const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
  if (got == 0) {
    PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
  }
  if (got < 0) return false;
  // Tab moves between the controls of a window.
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (root && WidgetOf(root) && IsDialogMessageW(root, &msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

Win32Layer::Win32Layer(const HandlerTable& handlers, LayerOptions options)
    : LayerBase(handlers, options) {
  hiddenOwner_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
  if (hiddenOwner_)
    SetWindowSubclass(hiddenOwner_, PostedWorkProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

Win32Layer::~Win32Layer() {
  DestroyAll();
  if (!hiddenOwner_) return;
  MSG posted;
  while (PeekMessageW(&posted, hiddenOwner_, kPostedWork, kPostedWork, PM_REMOVE)) {
    delete reinterpret_cast<std::function<void()>*>(posted.lParam);
  }
  RemoveWindowSubclass(hiddenOwner_, PostedWorkProc, 1);
  DestroyWindow(hiddenOwner_);
}

void Win32Layer::Post(std::function<void()> work) {
  auto* posted = new std::function<void()>(std::move(work));
  if (!hiddenOwner_ ||
      !PostMessageW(hiddenOwner_, kPostedWork, 0, reinterpret_cast<LPARAM>(posted)))
    delete posted;
}

BuiltControl* Win32Layer::FindControl(ControlId c) {
  OpenWindow* window = Find(c.window);
  if (!window || c.index >= window->controls.size()) return nullptr;
  EnsureMade(*window, c.index);
  return &window->controls[c.index];
}

std::optional<WindowId> Win32Layer::WindowOf(HWND topLevel) const {
  return FirstOpen([topLevel](const WindowState& w) {
    return static_cast<const OpenWindow&>(w).hwnd == topLevel;
  });
}

std::optional<ControlId> Win32Layer::ControlOf(HWND hwnd) {
  const std::optional<WindowId> w = WindowOf(GetAncestor(hwnd, GA_ROOT));
  if (!w) return std::nullopt;
  const int index = GetDlgCtrlID(hwnd) - kFirstControlId;
  const ControlId id{*w, static_cast<uint16_t>(index)};
  const BuiltControl* b = index >= 0 ? FindControl(id) : nullptr;
  if (!b || b->hwnd != hwnd) return std::nullopt;
  return id;
}

std::vector<HWND> Win32Layer::DisableOthers(HWND except) {
  std::vector<HWND> disabled;
  for (const WindowState* window : OpenStates()) {
    HWND hwnd = static_cast<const OpenWindow*>(window)->hwnd;
    if (hwnd != except && IsWindowEnabled(hwnd)) {
      EnableWindow(hwnd, FALSE);
      disabled.push_back(hwnd);
    }
  }
  return disabled;
}

void Win32Layer::RunModalLoop(WindowState& window) {
  const WindowId w = window.decl->id;
  const uint64_t opening = window.opening;
  bool done = false;
  static_cast<OpenWindow&>(window).modalDone = &done;
  while (!done && !Ended()) {
    if (!PumpOneMessage()) break;
  }
  // Left by the end of the event loop: the window no longer waits.
  if (OpenWindow* still = Find(w); !done && still && still->opening == opening)
    still->modalDone = nullptr;
}

void Win32Layer::EndModalLoop(WindowState& window) {
  if (bool* done = static_cast<OpenWindow&>(window).modalDone) *done = true;
}

void Win32Layer::RaiseNative(WindowState& window) {
  HWND hwnd = static_cast<OpenWindow&>(window).hwnd;
  // Brought to the front, out of the task bar if it was minimised.
  if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
  ShowWindow(hwnd, SW_SHOW);
  BringWindowToTop(hwnd);
  SetForegroundWindow(hwnd);
}

std::unique_ptr<WindowState> Win32Layer::CreateNative(const WindowSpec& decl,
                                                      std::optional<WindowId> owner, bool) {
  OpenWindow* ownerWindow = owner ? Find(*owner) : nullptr;
  HWND ownerHwnd = ownerWindow ? ownerWindow->hwnd : decl.taskbar ? nullptr : hiddenOwner_;

  DWORD style = WS_CLIPCHILDREN;
  DWORD exStyle = 0;
  if (decl.border == Border::None) {
    style |= WS_POPUP;
  } else if (HasCaptionBar(decl)) {
    style |= WS_OVERLAPPED | WS_CAPTION;
    if (decl.systemMenu) style |= WS_SYSMENU;
    if (decl.systemMenu && decl.minimizeBox) style |= WS_MINIMIZEBOX;
  } else {
    style |= WS_POPUP | WS_DLGFRAME;  // a fixed frame without caption bar
  }
  if (decl.topmost) exStyle |= WS_EX_TOPMOST;
  if (decl.taskbar && ownerHwnd) exStyle |= WS_EX_APPWINDOW;

  // Centred on the screen at its scale; where the system knows the scale of
  // the screen the window lands on and it is another, the window takes that.
  int dpi = ScreenDpi();
  const Placement at = CentredOnScreen(decl, dpi);
  HWND hwnd = CreateWidget(NewWidget(Role::Top, this, decl, nullptr), FromUtf8(decl.caption), style,
                           exStyle, at.left, at.top, at.width, at.height, ownerHwnd, 0);
  if (!hwnd) return nullptr;
  if (const int own = DpiOfScreenUnder(hwnd); own != dpi) {
    dpi = own;
    const Placement there = CentredOnScreen(decl, dpi);
    SetWindowPos(hwnd, nullptr, there.left, there.top, there.width, there.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  WidgetOf(hwnd)->dpi = dpi;

  auto window = std::make_unique<OpenWindow>();
  window->hwnd = hwnd;
  return window;
}

void Win32Layer::ShowNative(WindowState& state, bool fresh) {
  auto& window = static_cast<OpenWindow&>(state);
  if (window.modal) window.disabledWhileModal = DisableOthers(window.hwnd);
  ShowWindow(window.hwnd, SW_SHOW);
  UpdateWindow(window.hwnd);
  if (fresh) guard_.Guard(window.hwnd);
  // Drawn: the controls it does not show yet are made next.
  Post([this, id = window.decl->id, opening = window.opening] {
    if (OpenWindow* open = Find(id); open && open->opening == opening) MakeAllLater(*open);
  });
}

void Win32Layer::Build(OpenWindow& window) {
  const WindowSpec& decl = *window.decl;
  window.controls.resize(decl.controls.size());
  const std::vector<bool> later = MadeLater(decl);
  for (std::size_t i = 0; i < decl.controls.size(); ++i) {
    window.controls[i].decl = &decl.controls[i];
    window.controls[i].later = later[i];
  }
  for (const std::size_t i : CreationOrder(decl)) {
    if (!window.controls[i].later) Make(window, i);
  }
}

void Win32Layer::EnsureMade(OpenWindow& window, std::size_t index) {
  if (index >= window.controls.size() || !window.controls[index].later) return;
  const WindowSpec& decl = *window.decl;
  const LaterUnit unit = LaterUnitOf(decl, index);
  for (const std::size_t i : CreationOrder(decl)) {
    if (window.controls[i].later && LaterUnitOf(decl, i) == unit) Make(window, i);
  }
  if (unit.page >= 0) return;
  // Made alone among siblings made before it, it goes where the catalogue
  // has it: right below the next one declared after it.
  BuiltControl& made = window.controls[index];
  if (!made.hwnd) return;
  HWND above = HWND_TOP;
  for (std::size_t j = index + 1; j < window.controls.size(); ++j) {
    HWND sibling = window.controls[j].hwnd;
    if (sibling && GetParent(sibling) == GetParent(made.hwnd)) {
      above = sibling;
      break;
    }
  }
  SetWindowPos(made.hwnd, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Layer::MakeAllLater(OpenWindow& window) {
  for (std::size_t i = 0; i < window.controls.size(); ++i) EnsureMade(window, i);
}

void Win32Layer::Make(OpenWindow& window, std::size_t i) {
  const WindowSpec& decl = *window.decl;
  const int dpi = WidgetOf(window.hwnd)->dpi;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const ControlSpec& c = decl.controls[i];
  BuiltControl& b = window.controls[i];
  b.later = false;
  HWND parent = window.hwnd;
  if (const std::optional<Holder> holder = HolderOf(decl, i)) {
    const BuiltControl& h = window.controls[holder->index];
    parent = holder->page ? h.pages[static_cast<std::size_t>(*holder->page)] : h.hwnd;
  }
  const int id = kFirstControlId + static_cast<int>(i);
  const int x = Scaled(c.left, dpi), y = Scaled(c.top, dpi), w = Scaled(c.width, dpi),
            h = Scaled(c.height, dpi);
  const DWORD common = WS_CHILD | WS_CLIPSIBLINGS | (c.visible ? WS_VISIBLE : 0u);
  const std::wstring text = FromUtf8(c.text);
  HFONT font = FontFor(c.font, dpi);
  auto standard = [&](const wchar_t* cls, DWORD style, DWORD exStyle, const std::wstring& caption,
                      int height) {
    HWND hwnd =
        CreateWindowExW(exStyle, cls, caption.c_str(), common | style, x, y, w, height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return hwnd;
  };
  auto own = [&](Role role, DWORD style, DWORD exStyle, const std::wstring& caption) {
    return CreateWidget(NewWidget(role, this, decl, &c), caption, common | style, exStyle, x, y, w,
                        h, parent, id);
  };
  HWND hwnd = nullptr;
  switch (c.kind) {
    case Kind::SuperButton:
      hwnd = own(Role::SuperButton, 0, 0, text);
      break;
    case Kind::Label:
      hwnd = own(Role::Label, 0, 0, text);
      break;
    case Kind::TransparentLabel:
      hwnd = own(Role::TransparentLabel, 0, 0, text);
      break;
    case Kind::EditBox: {
      hwnd = own(Role::EditHost, WS_CLIPCHILDREN, 0, L"");
      DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
      style |= c.halign == HAlign::Center  ? ES_CENTER
               : c.halign == HAlign::Right ? ES_RIGHT
                                           : ES_LEFT;
      if (c.editMode == EditMode::Password) style |= ES_PASSWORD;
      if (c.editMode == EditMode::ReadOnly) style |= ES_READONLY;
      b.edit = CreateWindowExW(0, L"EDIT", text.c_str(), style, 0, 0, 1, 1, hwnd, nullptr, instance,
                               nullptr);
      SendMessageW(b.edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
      SendMessageW(b.edit, EM_SETLIMITTEXT, 0, 0);  // no limit of its own
      if (c.editMode == EditMode::Password) SendMessageW(b.edit, EM_SETPASSWORDCHAR, L'*', 0);
      PlaceEdit(hwnd, b.edit, font, dpi);
      if (!c.enabled) EnableWindow(b.edit, FALSE);
      break;
    }
    case Kind::Button:
      hwnd = standard(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE, 0, text, h);
      break;
    case Kind::RadioButton:
      hwnd = standard(L"BUTTON", WS_TABSTOP | BS_RADIOBUTTON, 0, text, h);
      SendMessageW(hwnd, BM_SETCHECK, c.checked ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case Kind::GroupBox:
      hwnd = own(Role::Group, WS_CLIPCHILDREN, 0, text);
      break;
    case Kind::ComboBox: {
      DWORD style = WS_TABSTOP | WS_VSCROLL;
      style |= c.comboStyle == ComboStyle::Simple             ? CBS_SIMPLE | CBS_AUTOHSCROLL
               : c.comboStyle == ComboStyle::EditableDropDown ? CBS_DROPDOWN | CBS_AUTOHSCROLL
                                                              : CBS_DROPDOWNLIST;
      const int height = ComboHeight(c, h, dpi);
      hwnd = standard(L"COMBOBOX", style, 0, L"", height);
      for (const std::wstring& item : ItemsOf(c.items)) {
        SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
      }
      SetComboFieldHeight(hwnd, h, dpi);
      SendMessageW(hwnd, CB_SETCURSEL, static_cast<WPARAM>(c.selection), 0);
      // The declared text is applied after the selection.
      if (c.comboStyle != ComboStyle::DropDownList) SetWindowTextW(hwnd, text.c_str());
      break;
    }
    case Kind::ListBox:
      hwnd = standard(L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                      WS_EX_CLIENTEDGE, L"", h);
      for (const std::wstring& item : ItemsOf(c.items)) {
        SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
      }
      if (!c.container) KeepInside(hwnd, parent, x, y, w, h);
      break;
    case Kind::PictureBox:
      hwnd = own(Role::Picture, WS_CLIPCHILDREN, 0, L"");
      SetBuiltInPicture(hwnd, Picture(c.picture));
      break;
    case Kind::Timer:
      SetInterval(ControlId{decl.id, static_cast<uint16_t>(i)}, c.interval);
      return;
    case Kind::PageContainer: {
      hwnd = own(Role::PageArea, WS_CLIPCHILDREN, 0, L"");
      const std::vector<std::wstring> titles = ItemsOf(c.items);
      for (std::size_t p = 0; p < std::max<std::size_t>(1, titles.size()); ++p) {
        HWND page =
            CreateWidget(NewWidget(Role::Page, this, decl, &c), p < titles.size() ? titles[p] : L"",
                         WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (p == 0 ? WS_VISIBLE : 0u),
                         0, 0, 0, w, h, hwnd, 0);
        b.pages.push_back(page);
      }
      break;
    }
  }
  if (!hwnd) return;
  if (c.kind == Kind::SuperButton || c.kind == Kind::Label || c.kind == Kind::TransparentLabel ||
      c.kind == Kind::GroupBox) {
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  if (!c.enabled) EnableWindow(hwnd, FALSE);
  b.hwnd = hwnd;
  // A text the handlers gave it before it was made.
  if (b.text) {
    const std::string text = std::move(*b.text);
    b.text.reset();
    WriteText(Native{window, i, c}, text);
  }
}

bool Win32Layer::DeferText(WindowState& state, std::size_t index, std::string_view gbk) {
  auto& window = static_cast<OpenWindow&>(state);
  if (index >= window.controls.size() || !window.controls[index].later) return false;
  window.controls[index].text = std::string(gbk);
  return true;
}

void Win32Layer::ChangeScale(WindowId w, int dpi, const RECT& suggested) {
  OpenWindow* window = Find(w);
  if (!window || dpi <= 0) return;
  WidgetOf(window->hwnd)->dpi = dpi;
  SetWindowPos(window->hwnd, nullptr, suggested.left, suggested.top,
               suggested.right - suggested.left, suggested.bottom - suggested.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  // Every control from the catalogue's pixels at the new scale, so that
  // changing there and back leaves each where it was. Captions are fitted
  // and pictures drawn for their new size when they are painted next.
  for (BuiltControl& b : window->controls) {
    if (!b.hwnd) continue;
    const ControlSpec& c = *b.decl;
    const int x = Scaled(c.left, dpi), y = Scaled(c.top, dpi), width = Scaled(c.width, dpi),
              height = Scaled(c.height, dpi);
    HFONT font = FontFor(c.font, dpi);
    SendMessageW(b.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const int windowHeight = c.kind == Kind::ComboBox ? ComboHeight(c, height, dpi) : height;
    SetWindowPos(b.hwnd, nullptr, x, y, width, windowHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    if (c.kind == Kind::ComboBox) SetComboFieldHeight(b.hwnd, height, dpi);
    if (c.kind == Kind::ListBox && !c.container)
      KeepInside(b.hwnd, GetParent(b.hwnd), x, y, width, height);
    for (HWND page : b.pages)
      SetWindowPos(page, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (b.edit) {
      SendMessageW(b.edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
      PlaceEdit(b.hwnd, b.edit, font, dpi);
    }
  }
  RedrawWindow(window->hwnd, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void Win32Layer::OnCloseBox(WindowId w) {
  OpenWindow* window = Find(w);
  if (window && IsWindowEnabled(window->hwnd)) ClosedByUser(w);
}

void Win32Layer::DestroyNative(WindowState& state) {
  auto& window = static_cast<OpenWindow&>(state);
  for (std::size_t i = 0; i < window.controls.size(); ++i) {
    if (window.controls[i].decl && window.controls[i].decl->kind == Kind::Timer)
      KillTimer(window.hwnd, TimerId(i));
  }
  // The windows a modal window blocked take input again before it goes, so
  // that one of them becomes the active window.
  for (HWND other : window.disabledWhileModal) {
    if (IsWindow(other)) EnableWindow(other, TRUE);
  }
  if (GetCapture() && GetAncestor(GetCapture(), GA_ROOT) == window.hwnd) ReleaseCapture();
  guard_.Forget(window.hwnd);
  CloseLater(window.hwnd);
}

// Message boxes and the browse dialog close with the program.
void Win32Layer::CloseDialogs() {
  EnumThreadWindows(GetCurrentThreadId(), EndOneDialog, 0);
}

void Win32Layer::QuitEventLoop(int exitCode) {
  PostQuitMessage(exitCode);
}

int Win32Layer::RunEventLoop() {
  while (PumpOneMessage()) {
  }
  return 0;
}

void Win32Layer::ShowFatal(const char* utf8Message) {
  MessageBoxW(nullptr, FromUtf8(utf8Message).c_str(), L"",
              MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_TOPMOST);
}

BuiltControl& Win32Layer::Built(const Native& c) {
  auto& window = static_cast<OpenWindow&>(c.window);
  EnsureMade(window, c.index);
  return window.controls[c.index];
}

std::string Win32Layer::ReadText(const Native& c) {
  const BuiltControl& b = Built(c);
  switch (c.decl.kind) {
    case Kind::EditBox:
      return ToGbk(WindowText(b.edit));
    case Kind::ListBox: {
      const int row = static_cast<int>(SendMessageW(b.hwnd, LB_GETCURSEL, 0, 0));
      return row < 0 ? std::string() : ItemText(c, row);
    }
    default:
      return ToGbk(WindowText(b.hwnd));
  }
}

void Win32Layer::WriteText(const Native& c, std::string_view text) {
  const BuiltControl& b = Built(c);
  const std::wstring value = FromGbk(text);
  switch (c.decl.kind) {
    case Kind::EditBox:
      SetWindowTextW(b.edit, value.c_str());
      return;
    case Kind::ComboBox:
      if (c.decl.comboStyle != ComboStyle::DropDownList) SetWindowTextW(b.hwnd, value.c_str());
      return;
    case Kind::ListBox:
    case Kind::PictureBox:
    case Kind::PageContainer:
      return;
    default:
      SetWindowTextW(b.hwnd, value.c_str());
      return;
  }
}

bool Win32Layer::ReadFlag(const Native& c, Flag flag) {
  HWND hwnd = Built(c).hwnd;
  switch (flag) {
    case Flag::Visible:
      return (GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
    case Flag::Enabled:
      return IsWindowEnabled(hwnd) != FALSE;
    case Flag::Checked:
      return SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  return false;
}

void Win32Layer::WriteFlag(const Native& c, Flag flag, bool on) {
  const BuiltControl& b = Built(c);
  switch (flag) {
    case Flag::Visible:
      ShowWindow(b.hwnd, on ? SW_SHOWNA : SW_HIDE);
      return;
    case Flag::Enabled:
      EnableWindow(b.hwnd, on ? TRUE : FALSE);
      if (b.edit) EnableWindow(b.edit, on ? TRUE : FALSE);
      return;
    case Flag::Checked:
      if (on) {
        MakeAllLater(static_cast<OpenWindow&>(c.window));
        // Radio buttons of one container form a group.
        for (const BuiltControl& other : static_cast<OpenWindow&>(c.window).controls) {
          if (&other != &b && other.hwnd && other.decl->kind == Kind::RadioButton &&
              GetParent(other.hwnd) == GetParent(b.hwnd)) {
            SendMessageW(other.hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
          }
        }
      }
      SendMessageW(b.hwnd, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
      return;
  }
}

int Win32Layer::ReadSelection(const Native& c) {
  const UINT message = c.decl.kind == Kind::ComboBox ? CB_GETCURSEL : LB_GETCURSEL;
  return static_cast<int>(SendMessageW(Built(c).hwnd, message, 0, 0));
}

void Win32Layer::WriteSelection(const Native& c, int index) {
  const UINT message = c.decl.kind == Kind::ComboBox ? CB_SETCURSEL : LB_SETCURSEL;
  SendMessageW(Built(c).hwnd, message, static_cast<WPARAM>(index), 0);
}

int Win32Layer::ItemCount(const Native& c) {
  const UINT message = c.decl.kind == Kind::ComboBox ? CB_GETCOUNT : LB_GETCOUNT;
  return static_cast<int>(SendMessageW(Built(c).hwnd, message, 0, 0));
}

int Win32Layer::AppendItem(const Native& c, std::string_view text) {
  const std::wstring item = FromGbk(text);
  const UINT message = c.decl.kind == Kind::ComboBox ? CB_ADDSTRING : LB_ADDSTRING;
  const LRESULT index =
      SendMessageW(Built(c).hwnd, message, 0, reinterpret_cast<LPARAM>(item.c_str()));
  return index < 0 ? -1 : static_cast<int>(index);
}

std::string Win32Layer::ItemText(const Native& c, int index) {
  const bool combo = c.decl.kind == Kind::ComboBox;
  HWND hwnd = Built(c).hwnd;
  std::wstring item(static_cast<std::size_t>(
                        SendMessageW(hwnd, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, index, 0)) +
                        1,
                    L'\0');
  item.resize(static_cast<std::size_t>(SendMessageW(hwnd, combo ? CB_GETLBTEXT : LB_GETTEXT, index,
                                                    reinterpret_cast<LPARAM>(item.data()))));
  return ToGbk(item);
}

void Win32Layer::ShowPicture(const Native& c, std::string encoded) {
  SetPictureBytes(Built(c).hwnd, std::move(encoded));
}

void Win32Layer::OnCommand(HWND child, int code) {
  const std::optional<ControlId> id = ControlOf(child);
  if (!id) return;
  BuiltControl* b = FindControl(*id);
  switch (b->decl->kind) {
    case Kind::Button:
      if (code == BN_CLICKED) Deliver(b->decl->handler);
      return;
    case Kind::RadioButton:
      if (code == BN_CLICKED) {
        SetChecked(*id, true);
        Deliver(b->decl->handler);
      }
      return;
    case Kind::ListBox:
      if (code == LBN_DBLCLK) Deliver(b->decl->handler);
      return;
    default:
      return;
  }
}

void Win32Layer::RestartTimer(WindowState& window, std::size_t index, int ms) {
  HWND top = static_cast<OpenWindow&>(window).hwnd;
  KillTimer(top, TimerId(index));
  if (ms > 0) SetTimer(top, TimerId(index), static_cast<UINT>(ms), nullptr);
}

void Win32Layer::OnTimer(WindowId w, UINT_PTR id) {
  const ControlId c{w, static_cast<uint16_t>(id - kFirstControlId)};
  FireTimer(c);
}

void Win32Layer::ShowPageNative(WindowState& window, std::size_t index, int page) {
  MakeAllLater(static_cast<OpenWindow&>(window));
  const BuiltControl& area = static_cast<OpenWindow&>(window).controls[index];
  for (std::size_t p = 0; p < area.pages.size(); ++p) {
    if (static_cast<int>(p) != page) ShowWindow(area.pages[p], SW_HIDE);
  }
  ShowWindow(area.pages[static_cast<std::size_t>(page)], SW_SHOWNA);
}

void Win32Layer::BeginDrag(WindowId w, POINT screen) {
  OpenWindow* window = Find(w);
  if (!window) return;
  window->dragging = true;
  window->dragLast = screen;
  SetCapture(window->hwnd);
}

bool Win32Layer::DragMove(WindowId w, POINT screen) {
  OpenWindow* window = Find(w);
  if (!window || !window->dragging) return false;
  const int dx = screen.x - window->dragLast.x, dy = screen.y - window->dragLast.y;
  if (dx == 0 && dy == 0) return true;
  RECT r;
  GetWindowRect(window->hwnd, &r);
  SetWindowPos(window->hwnd, nullptr, r.left + dx, r.top + dy, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  window->dragLast = screen;
  return true;
}

void Win32Layer::EndDrag(WindowId w) {
  OpenWindow* window = Find(w);
  if (!window || !window->dragging) return;
  window->dragging = false;
  if (GetCapture() == window->hwnd) ReleaseCapture();
}

void Win32Layer::ShowMessageBox(WindowState* owner, std::string_view text, std::string_view title) {
  HWND ownerHwnd = owner ? static_cast<OpenWindow*>(owner)->hwnd : nullptr;
  // Modal for the whole program: every window waits for the box.
  const std::vector<HWND> disabled = DisableOthers(nullptr);
  guard_.DialogOpening();
  MessageBoxW(ownerHwnd, FromGbk(text).c_str(), FromGbk(title).c_str(),
              MB_OK | MB_TASKMODAL | (ownerHwnd ? 0u : static_cast<UINT>(MB_TOPMOST)));
  guard_.DialogClosed();
  for (HWND other : disabled) {
    if (IsWindow(other)) EnableWindow(other, TRUE);
  }
  if (ownerHwnd && IsWindow(ownerHwnd)) SetForegroundWindow(ownerHwnd);
}

std::string Win32Layer::Browse(std::string_view prompt) {
  const std::wstring title = FromGbk(prompt);
  HWND active = GetActiveWindow();
  BROWSEINFOW info{};
  info.hwndOwner = active && WindowOf(GetAncestor(active, GA_ROOT)) ? active : nullptr;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_BROWSEINCLUDEFILES | BIF_EDITBOX;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(this);
  const std::vector<HWND> disabled = DisableOthers(nullptr);
  browsePrompt_.assign(prompt);
  typedPath_.clear();
  guard_.DialogOpening();
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  guard_.DialogClosed();
  browseDialog_ = nullptr;
  browsePrompt_.clear();
  for (HWND other : disabled) {
    if (IsWindow(other)) EnableWindow(other, TRUE);
  }
  if (!typedPath_.empty()) {
    if (chosen) CoTaskMemFree(chosen);
    return ToGbk(typedPath_);
  }
  if (!chosen) return {};
  wchar_t path[MAX_PATH * 4] = {};
  const bool named = SHGetPathFromIDListW(chosen, path) != FALSE;
  CoTaskMemFree(chosen);
  return named ? ToGbk(path) : std::string();
}

bool Win32Layer::RegisterFontFile(const std::string& nativePath) {
  return RegisterFontFile(std::filesystem::path(FromAnsi(nativePath)));
}

bool Win32Layer::RegisterFontFile(const std::filesystem::path& fontFile) {
  return AddFontResourceExW(fontFile.c_str(), FR_PRIVATE, nullptr) > 0;
}

Win32Layer* AsWin32Layer(Layer& layer) {
  return dynamic_cast<Win32Layer*>(&layer);
}

}  // namespace ui::win32
