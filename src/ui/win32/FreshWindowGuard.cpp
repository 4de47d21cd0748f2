#include "ui/win32/FreshWindowGuard.h"

namespace ui::win32 {
namespace {

thread_local FreshWindowGuard* t_guard = nullptr;

bool IsPress(UINT msg) {
  return msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDOWN ||
         msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDOWN || msg == WM_MBUTTONDBLCLK;
}

bool IsRelease(UINT msg) {
  return msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP;
}

bool IsKey(UINT msg) {
  return msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_CHAR;
}

bool IsDialog(HWND hwnd) {
  wchar_t name[16] = {};
  GetClassNameW(hwnd, name, 16);
  return lstrcmpW(name, L"#32770") == 0;
}

}  // namespace

FreshWindowGuard::FreshWindowGuard() : outer_(t_guard) {
  t_guard = this;
  hook_ = SetWindowsHookExW(WH_GETMESSAGE, OnMessage, nullptr, GetCurrentThreadId());
}

FreshWindowGuard::~FreshWindowGuard() {
  if (hook_) UnhookWindowsHookEx(hook_);
  if (t_guard == this) t_guard = outer_;
}

void FreshWindowGuard::Guard(HWND top) {
  std::erase_if(fresh_, [top](const Fresh& f) { return f.top == top || !IsWindow(f.top); });
  fresh_.push_back({top, lastInput_});
}

void FreshWindowGuard::DialogOpening() {
  dialogs_.push_back(lastInput_);
}

void FreshWindowGuard::DialogClosed() {
  if (!dialogs_.empty()) dialogs_.pop_back();
}

LRESULT CALLBACK FreshWindowGuard::OnMessage(int code, WPARAM wp, LPARAM lp) {
  // Only a message taken off the queue counts; a look at it does not.
  if (code == HC_ACTION && wp == PM_REMOVE && t_guard) {
    auto* msg = reinterpret_cast<MSG*>(lp);
    if (t_guard->Drops(*msg)) msg->message = WM_NULL;
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

std::optional<DWORD> FreshWindowGuard::OpenedAt(HWND root) const {
  for (const Fresh& f : fresh_) {
    if (f.top == root) return f.openedAt;
  }
  // Only the innermost dialog takes input: the program waits for it.
  if (!dialogs_.empty() && IsDialog(root)) return dialogs_.back();
  return std::nullopt;
}

bool FreshWindowGuard::Drops(const MSG& msg) {
  const bool press = IsPress(msg.message), release = IsRelease(msg.message);
  if (!press && !release && !IsKey(msg.message)) return false;
  const DWORD at = inputTime_.value_or(msg.time);
  lastInput_ = at;
  if (!msg.hwnd || (!press && !release)) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (release) {
    if (!swallowRelease_ || swallowRelease_ != root) return false;
    swallowRelease_ = nullptr;
    return true;
  }
  const std::optional<DWORD> openedAt = OpenedAt(root);
  // Times from before the opening come from another clock (the difference
  // wraps to a large number); only presses just after it are the rest of the
  // click that opened the window.
  const bool drop = openedAt && static_cast<DWORD>(at - *openedAt) < kQuietMs;
  // A release belongs to the last press.
  swallowRelease_ = drop ? root : nullptr;
  return drop;
}

}  // namespace ui::win32
