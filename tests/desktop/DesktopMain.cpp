#include <gtest/gtest.h>

#include "desktop/VirtualDesktop.h"
#include "ui/Backend.h"

// The tests run on a virtual X display with a window manager, which this
// process starts for them. When it cannot start, the program's windows go to
// no screen and every test skips.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  std::unique_ptr<testing_support::VirtualDesktop> desktop;
  std::string why;
  if (!GTEST_FLAG_GET(list_tests)) desktop = testing_support::VirtualDesktop::Start(why);
  if (!desktop) std::fprintf(stderr, "no virtual desktop: %s\n", why.c_str());
  const int result = ui::RunWithUiThread(
      argc, argv, ui::EmbeddedFontFaces(), [] { return RUN_ALL_TESTS(); },
      /*onDisplay=*/desktop != nullptr);
  desktop.reset();
  return result;
}
