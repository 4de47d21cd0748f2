#include "platform/RunDirectoryClaim.h"

namespace platform {

void ListeningClaim::WhenAskedToComeForward(std::function<void()> comeForward) {
  std::lock_guard lock(mutex_);
  comeForward_ = std::move(comeForward);
  if (comeForward_ && asked_) {
    asked_ = false;
    comeForward_();
  }
}

void ListeningClaim::Asked() {
  std::lock_guard lock(mutex_);
  if (comeForward_) {
    comeForward_();
  } else {
    asked_ = true;
  }
}

}  // namespace platform
