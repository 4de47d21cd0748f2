#pragma once

#include <atomic>
#include <mutex>

#include "core/Clock.h"

namespace testing_support {

// A clock the test sets by hand.
class FakeClock final : public core::Clock {
 public:
  core::LocalTime Now() override {
    std::lock_guard lock(mutex_);
    return now_;
  }
  uint32_t TickCount() override { return tick_.load(); }

  void SetNow(core::LocalTime t) {
    std::lock_guard lock(mutex_);
    now_ = t;
  }
  void SetTickCount(uint32_t ms) { tick_.store(ms); }

 private:
  std::mutex mutex_;
  core::LocalTime now_{2024, 3, 6, 14, 54, 50};
  std::atomic<uint32_t> tick_{1000};
};

}  // namespace testing_support
