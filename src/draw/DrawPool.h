#pragma once

#include <cstdint>
#include <vector>

namespace draw {

// The draw pool: the numbers 1..N appended once per pass, with the entries
// drawn so far removed. It is kept as blocks (one per append) with the values
// taken out of each, so a large headcount costs no memory; entry k is the
// same entry a plain list of all appended numbers would hold.
class DrawPool {
 public:
  // Appends 1, 2, ..., n in ascending order; nothing when n is below 1.
  void AppendRange(int32_t n);
  int64_t Size() const { return size_; }
  // Removes entry k (1-based, 1 <= k <= Size()) and returns its value; the
  // other entries keep their order.
  int32_t Take(int64_t k);

 private:
  struct Block {
    int32_t n = 0;
    std::vector<int32_t> taken;  // ascending
    int64_t Size() const { return n - static_cast<int64_t>(taken.size()); }
  };
  std::vector<Block> blocks_;
  int64_t size_ = 0;
};

}  // namespace draw
