#include <gtest/gtest.h>

#include "ui/Backend.h"

#ifdef __linux__
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <thread>

namespace {

bool NetworkThreadRunning() {
  std::error_code error;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", error)) {
    std::ifstream comm(task.path() / "comm");
    std::string name;
    if (std::getline(comm, name) && name.starts_with("QNetworkAccess")) return true;
  }
  return false;
}

// Qt's network thread ends on its own a moment after its network manager has
// gone, and as it ends OpenSSL frees that thread's state. Under load it can
// still be ending when the tests are done; the leak check at exit would then
// report its state. So the process waits for it, half a minute at most.
void WaitForNetworkThreads() {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (NetworkThreadRunning() && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace
#endif

// The window system's events are delivered on this thread while the tests
// run on a second one and act through the driver.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  const int result =
      ui::RunWithUiThread(argc, argv, ui::EmbeddedFontFaces(), [] { return RUN_ALL_TESTS(); });
#ifdef __linux__
  WaitForNetworkThreads();
#endif
  return result;
}
