// The yardstick of the Windows start-up benchmark: a static Win32 program
// that shows an empty window of the main window's size, centred and without
// a frame as the main window is, and does nothing else.
#include <windows.h>

namespace {

LRESULT CALLBACK BareProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  SetProcessDPIAware();
  WNDCLASSEXW cls{};
  cls.cbSize = sizeof cls;
  cls.lpfnWndProc = BareProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  cls.lpszClassName = L"BrevantBareWindow";
  RegisterClassExW(&cls);
  constexpr int kWidth = 712, kHeight = 477;
  HWND hwnd = CreateWindowExW(0, cls.lpszClassName, L"", WS_POPUP,
                              (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2,
                              (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2, kWidth, kHeight,
                              nullptr, nullptr, instance, nullptr);
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
