#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>

namespace platform {

// This copy's hold on its run directory: while it lives, a later start of the
// program from the same folder gives way to this copy and asks it forward.
class RunDirectoryClaim {
 public:
  virtual ~RunDirectoryClaim() = default;
  // From now on comeForward runs, on a thread of the claim's own, each time a
  // later start gives way to this copy; one that asked before runs it at
  // once. An empty function stops the calls: this returns once no call of
  // the former function is running.
  virtual void WhenAskedToComeForward(std::function<void()> comeForward) = 0;
};

// What the claims of every system share: the function to call when asked
// forward, called by the claim's listening thread through Asked().
class ListeningClaim : public RunDirectoryClaim {
 public:
  void WhenAskedToComeForward(std::function<void()> comeForward) override;

 protected:
  // A later start gave way to this copy.
  void Asked();

 private:
  std::mutex mutex_;  // held while the function runs
  std::function<void()> comeForward_;
  bool asked_ = false;  // asked before there was a function to call
};

// The claim of this system (platform/linux, platform/windows), for its
// Platform: nothing when a running copy holds the folder, which has been
// asked to come forward.
std::unique_ptr<RunDirectoryClaim> ClaimOnThisSystem(const std::filesystem::path& runDirectory);

}  // namespace platform
