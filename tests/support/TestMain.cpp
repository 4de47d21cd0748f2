#include <gtest/gtest.h>

#include "ui/Backend.h"

// The window system's events are delivered on this thread while the tests
// run on a second one and act through the driver.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return ui::RunWithUiThread(argc, argv, ui::EmbeddedFontFaces(), [] { return RUN_ALL_TESTS(); });
}
