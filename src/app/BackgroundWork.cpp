#include "app/BackgroundWork.h"

#include <system_error>

namespace app {
namespace {

void RunSilently(const std::function<void()>& work) {
  try {
    work();
  } catch (...) {
    // The work's failures are not reported, like every failure of the start.
  }
}

}  // namespace

void BackgroundWork::Start(std::function<void()> work) {
  std::lock_guard lock(mutex_);
  if (thread_.joinable()) thread_.join();
  try {
    // A copy goes to the thread, so that the work is still here if no
    // thread can be had.
    thread_ = std::thread(RunSilently, work);
  } catch (const std::system_error&) {
    RunSilently(work);
  }
}

void BackgroundWork::Wait() {
  std::lock_guard lock(mutex_);
  if (thread_.joinable()) thread_.join();
}

}  // namespace app
