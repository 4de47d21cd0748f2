// Copies of the built program, each started from its folder as a teacher
// starts it: one runs per folder, and a second start from that folder ends
// and brings the running copy to the front.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "support/ProgramCopy.h"
#include "support/TempDir.h"

namespace {

using testing_support::ProgramCopy;
using testing_support::RunningProgram;
namespace fs = std::filesystem;

struct Search {
  DWORD process;
  HWND found;
};

BOOL CALLBACK FindShownWindow(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (process != search->process || !IsWindowVisible(hwnd)) return TRUE;
  search->found = hwnd;
  return FALSE;
}

bool WaitFor(const std::function<bool()>& done,
             std::chrono::seconds limit = std::chrono::seconds(30)) {
  const auto until = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

// The copy's window once it shows; nullptr if it never does.
HWND WindowOf(const RunningProgram& copy) {
  Search search{copy.Id(), nullptr};
  WaitFor([&] {
    EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  });
  return search.found;
}

// Whether upper comes before lower in the order of the top-level windows.
bool Above(HWND upper, HWND lower) {
  for (HWND at = GetTopWindow(nullptr); at; at = GetWindow(at, GW_HWNDNEXT)) {
    if (at == upper) return true;
    if (at == lower) return false;
  }
  return false;
}

// A condition for WaitFor that is met once done has held for a while.
std::function<bool()> HoldsFor(std::chrono::milliseconds span, std::function<bool()> done) {
  auto since = std::make_shared<std::optional<std::chrono::steady_clock::time_point>>();
  return [=] {
    if (!done()) {
      since->reset();
      return false;
    }
    const auto now = std::chrono::steady_clock::now();
    if (!*since) *since = now;
    return now - **since >= span;
  };
}

// What a failure shows: which window has the foreground, and the order.
std::string WhereTheyAre(HWND first, HWND beside) {
  const HWND foreground = GetForegroundWindow();
  std::string said = foreground == first    ? "the first copy's window"
                     : foreground == beside ? "the other folder's window"
                     : foreground           ? "another window"
                                            : "no window";
  said += " has the foreground; the first copy's window is ";
  said += IsWindow(first) ? (IsWindowVisible(first) ? "shown" : "hidden") : "gone";
  said += Above(first, beside) ? " and above" : " and below";
  return said;
}

TEST(CopiesTest, OneRunsPerFolderAndASecondStartBringsItForward) {
  const fs::path root = testing_support::MakeTempDir("brevant-copies");
  const ProgramCopy classroom(root / u8"一班 教室"), other(root / "other");
  classroom.Write("2e.vlok", "enable");
  other.Write("2e.vlok", "enable");

  RunningProgram first = classroom.Start();
  const HWND firstWindow = WindowOf(first);
  ASSERT_NE(firstWindow, nullptr);
  RunningProgram beside = other.Start();
  const HWND besideWindow = WindowOf(beside);
  ASSERT_NE(besideWindow, nullptr) << "a copy in another folder runs beside the first";
  // The other copy has come up and taken the foreground, and its window
  // system has done with it: under Wine its activation may still restack the
  // windows a moment after they show.
  ASSERT_TRUE(WaitFor(HoldsFor(std::chrono::milliseconds(500), [&] {
    return GetForegroundWindow() == besideWindow && Above(besideWindow, firstWindow);
  }))) << WhereTheyAre(firstWindow, besideWindow);

  RunningProgram second = classroom.Start();
  EXPECT_EQ(second.Exit(std::chrono::seconds(30)), 0);
  EXPECT_TRUE(WaitFor([&] {
    return GetForegroundWindow() == firstWindow && Above(firstWindow, besideWindow);
  })) << "the running copy comes forward; "
      << WhereTheyAre(firstWindow, besideWindow);
  EXPECT_FALSE(first.Exit(std::chrono::milliseconds(0)));
  EXPECT_FALSE(beside.Exit(std::chrono::milliseconds(0)));

  // A copy ended by the task manager blocks no later start.
  first.Kill();
  RunningProgram after = classroom.Start();
  EXPECT_NE(WindowOf(after), nullptr);
  EXPECT_FALSE(after.Exit(std::chrono::milliseconds(0)));
  after.Kill();
  beside.Kill();
  std::error_code ec;
  fs::remove_all(root, ec);
}

}  // namespace
