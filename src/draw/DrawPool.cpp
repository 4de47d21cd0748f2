#include "draw/DrawPool.h"

#include <algorithm>

namespace draw {

void DrawPool::AppendRange(int32_t n) {
  if (n < 1) return;
  blocks_.push_back(Block{n, {}});
  size_ += n;
}

int32_t DrawPool::Take(int64_t k) {
  for (Block& block : blocks_) {
    if (k > block.Size()) {
      k -= block.Size();
      continue;
    }
    // The k-th value of 1..n that has not been taken: start at k and step past
    // every taken value at or below the candidate (taken is ascending).
    int64_t value = k;
    for (const int32_t t : block.taken) {
      if (t <= value) ++value;
    }
    const auto v = static_cast<int32_t>(value);
    block.taken.insert(std::upper_bound(block.taken.begin(), block.taken.end(), v), v);
    --size_;
    return v;
  }
  return 0;  // k out of range: callers never ask for it
}

}  // namespace draw
