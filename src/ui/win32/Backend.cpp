#include "ui/Backend.h"

#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <objbase.h>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "ui/win32/Fonts.h"
#include "ui/win32/SystemFunction.h"
#include "ui/win32/UiThread.h"
#include "ui/win32/Widgets.h"
#include "ui/win32/Win32Layer.h"

namespace ui {
namespace {

constexpr UINT kRunSent = WM_APP + 1;    // lParam: a std::function<void()>* to run
constexpr UINT kRunPosted = WM_APP + 2;  // lParam: a heap std::function<void()>* to run and delete
constexpr UINT kMarker = WM_APP + 3;     // lParam: an event to set
constexpr UINT kBodyDone = WM_APP + 4;

HWND g_invoker = nullptr;
DWORD g_uiThread = 0;
bool g_bodyDone = false;

LRESULT CALLBACK InvokerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kRunSent:
      (*reinterpret_cast<std::function<void()>*>(lp))();
      return 0;
    case kRunPosted: {
      auto* fn = reinterpret_cast<std::function<void()>*>(lp);
      (*fn)();
      delete fn;
      return 0;
    }
    case kMarker:
      SetEvent(reinterpret_cast<HANDLE>(lp));
      return 0;
    case kBodyDone:
      g_bodyDone = true;
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

// The program draws its own pixels at the scale of the screen each window is
// on. Its manifest says so; a program without it (a test) asks the same of
// the system, which Windows 7 and 8 know only for the screen as a whole.
void BeAwareOfEachScreensScale() {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  const auto setContext = win32::SystemFunction<SetContext>(GetModuleHandleW(L"user32.dll"),
                                                            "SetProcessDpiAwarenessContext");
  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, which the headers for
  // Windows 7 do not know. Either call fails harmlessly when the manifest has
  // spoken.
  const auto perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
  if (setContext) {
    setContext(perMonitorV2);
  } else {
    SetProcessDPIAware();
  }
}

void StartWindowSystem(const FontFaces& faces) {
  BeAwareOfEachScreensScale();
  // First: the faces are made ready while the rest starts.
  win32::RegisterFaces(faces);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  std::setlocale(LC_NUMERIC, "C");
  win32::RegisterWindowClasses();
  win32::ReadScreenDpi();

  g_uiThread = GetCurrentThreadId();
  WNDCLASSEXW invoker{};
  invoker.cbSize = sizeof invoker;
  invoker.lpfnWndProc = InvokerProc;
  invoker.hInstance = GetModuleHandleW(nullptr);
  invoker.lpszClassName = L"BrevantInvoker";
  RegisterClassExW(&invoker);
  g_invoker = CreateWindowExW(0, invoker.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              invoker.hInstance, nullptr);
}

}  // namespace

std::unique_ptr<Layer> CreateLayer(const HandlerTable& handlers, LayerOptions options) {
  return std::make_unique<win32::Win32Layer>(handlers, options);
}

void InitBackend(int&, char**, const FontFaces& faces) {
  StartWindowSystem(faces);
}

// Windows always draws on its own screen, so onDisplay changes nothing here.
int RunWithUiThread(int&, char**, const FontFaces& faces, const std::function<int()>& body, bool) {
  StartWindowSystem(faces);
  int result = 1;
  std::thread worker([&] {
    result = body();
    PostMessageW(g_invoker, kBodyDone, 0, 0);
  });
  while (!g_bodyDone && win32::PumpOneMessage()) {
  }
  worker.join();
  return result;
}

void RunOnUiThread(const std::function<void()>& fn) {
  if (GetCurrentThreadId() == g_uiThread) {
    fn();
    return;
  }
  SendMessageW(g_invoker, kRunSent, 0, reinterpret_cast<LPARAM>(&fn));
}

}  // namespace ui

namespace ui::win32 {

void PostToUiThread(std::function<void()> fn) {
  PostMessageW(g_invoker, kRunPosted, 0,
               reinterpret_cast<LPARAM>(new std::function<void()>(std::move(fn))));
}

bool WaitUntilUiIdle() {
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  bool idle = true;
  // Twice: what the handled messages posted is handled too.
  for (int round = 0; round < 2 && idle; ++round) {
    PostMessageW(g_invoker, kMarker, 0, reinterpret_cast<LPARAM>(event));
    idle = WaitForSingleObject(event, 60000) == WAIT_OBJECT_0;
  }
  CloseHandle(event);
  return idle;
}

}  // namespace ui::win32
