#pragma once

#include <cstdint>

namespace draw {

// The draw's random numbers: a linear congruential generator on a 32-bit
// state, seeded from the millisecond tick count and an accumulator so that two
// seedings within one millisecond still differ.
class Generator {
 public:
  void Seed(uint32_t tickCount) {
    state_ = tickCount + accumulator_;
    accumulator_ = accumulator_ + (state_ & 0xFFu) + 100u;
  }
  int Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFFu);
  }
  // lo..hi inclusive; negative bounds count as 0, swapped bounds are put in order.
  int Between(int lo, int hi) {
    if (lo < 0) lo = 0;
    if (hi < 0) hi = 0;
    if (lo > hi) {
      const int t = lo;
      lo = hi;
      hi = t;
    }
    if (lo == hi) return lo;
    const auto span = static_cast<uint32_t>(hi - lo) + 1u;
    return lo + static_cast<int>(static_cast<uint32_t>(Next()) % span);
  }
  uint32_t State() const { return state_; }
  uint32_t Accumulator() const { return accumulator_; }

 private:
  uint32_t state_ = 0;
  uint32_t accumulator_ = 0;
};

}  // namespace draw
