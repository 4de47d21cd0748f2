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

LRESULT CALLBACK FreshWindowGuard::OnMessage(int code, WPARAM wp, LPARAM lp) {
  // Only a message taken off the queue counts; a look at it does not.
  if (code == HC_ACTION && wp == PM_REMOVE && t_guard) {
    auto* msg = reinterpret_cast<MSG*>(lp);
    if (t_guard->Drops(*msg)) msg->message = WM_NULL;
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

bool FreshWindowGuard::Drops(const MSG& msg) {
  const bool press = IsPress(msg.message), release = IsRelease(msg.message);
  if (!press && !release && !IsKey(msg.message)) return false;
  const DWORD at = inputTime_.value_or(msg.time);
  if (!msg.hwnd || (!press && !release)) {
    rule_.Input(at);
    return false;
  }
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  return press ? !rule_.TakesPress(root, at, IsDialog(root)) : !rule_.TakesRelease(root, at);
}

}  // namespace ui::win32
