#include "app/shared/BackgroundWork.h"

#include <system_error>

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace app {
namespace {

// The work yields to the UI thread when both want the processor: nobody
// waits for it, and the windows should appear and answer first.
void YieldToTheUiThread() {
#if defined(__linux__)
  // On Linux a thread has a priority of its own; lower only this thread's.
  ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 10);
#endif
}

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
    thread_ = std::thread([this, work] {
      YieldToTheUiThread();
      {
        std::unique_lock hold(holdMutex_);
        released_.wait(hold, [this] { return !held_; });
      }
      RunSilently(work);
    });
  } catch (const std::system_error&) {
    RunSilently(work);
  }
}

void BackgroundWork::Wait() {
  Release();
  std::lock_guard lock(mutex_);
  if (thread_.joinable()) thread_.join();
}

void BackgroundWork::Hold() {
  std::lock_guard hold(holdMutex_);
  held_ = true;
}

void BackgroundWork::Release() {
  {
    std::lock_guard hold(holdMutex_);
    held_ = false;
  }
  released_.notify_all();
}

}  // namespace app
