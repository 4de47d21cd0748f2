#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace app {

// Work that runs on a thread of its own while the UI thread goes on, for
// jobs that nothing on screen waits for. Whoever needs what it does waits for
// it first, and so does the end of the program.
class BackgroundWork {
 public:
  BackgroundWork() = default;
  ~BackgroundWork() { Wait(); }
  BackgroundWork(const BackgroundWork&) = delete;
  BackgroundWork& operator=(const BackgroundWork&) = delete;

  // Runs work on its own thread once the work started before has finished.
  // Exceptions end the work silently. Without a thread it runs here and now.
  void Start(std::function<void()> work);
  // Returns once all work started so far has finished. From any thread but
  // the work's own. Held work is released first.
  void Wait();
  // Work held does not begin until it is released: the thread is there, but
  // leaves the processor and the system's locks to the UI thread until the
  // window that is coming has been drawn.
  void Hold();
  void Release();

 private:
  std::mutex mutex_;
  std::thread thread_;
  std::mutex holdMutex_;
  std::condition_variable released_;
  bool held_ = false;
};

}  // namespace app
