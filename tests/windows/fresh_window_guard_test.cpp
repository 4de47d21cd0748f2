// A message box runs a loop of its own, out of the layer's reach: its OK
// button must still not take the rest of the click that opened the box.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/TestProgram.h"
#include "ui/win32/Win32Layer.h"

namespace {

using testing_support::G;
using testing_support::TestProgram;
namespace main_window = ui::MainWindow;

BOOL CALLBACK TakeVisibleDialog(HWND hwnd, LPARAM out) {
  wchar_t name[16] = {};
  GetClassNameW(hwnd, name, 16);
  if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  *reinterpret_cast<HWND*>(out) = hwnd;
  return FALSE;
}

HWND OpenBox() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), TakeVisibleDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

// A press and release on a window at a given time of the input's clock.
void ClickAt(ui::win32::Win32Layer& layer, HWND target, DWORD at) {
  layer.SetInputTime(at);
  PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

TEST(FreshWindowGuardTest, MessageBoxTakesNoPressUntilAMomentAfterItOpened) {
  TestProgram p;
  p.Write("RS.vlok", "30");
  p.Write("CH.vlok", G("同学"));
  p.Write("ynreward.vlok", "no");
  p.StartPastSplash();
  ASSERT_TRUE(p.ui().Click(main_window::随机选人));
  auto& layer = *ui::win32::AsWin32Layer(p.layer());

  // A draw that ends in a message box, started by a click at 5000.
  p.ui().Post([&] { ClickAt(layer, layer.FindControl(main_window::随机选人开始)->hwnd, 5000); });
  ASSERT_TRUE(p.ui().OpenMessageBox());
  for (DWORD at : {5100u, 5390u}) {
    p.ui().Post([&] { ClickAt(layer, GetDlgItem(OpenBox(), IDOK), at); });
    EXPECT_TRUE(p.ui().OpenMessageBox()) << "pressed at " << at;
  }
  p.ui().Post([&] { ClickAt(layer, GetDlgItem(OpenBox(), IDOK), 5400); });
  EXPECT_FALSE(p.ui().OpenMessageBox());
}

}  // namespace
