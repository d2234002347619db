#include "common/allocation.h"

#include <algorithm>

namespace kem {

bool AllocationBudget::Reserve(std::size_t bytes) {
  if (bytes > limit_ - in_use_) return false;
  in_use_ += bytes;
  peak_ = std::max(peak_, in_use_);
  return true;
}

void AllocationBudget::Release(std::size_t bytes) {
  in_use_ -= std::min(bytes, in_use_);
}

}  // namespace kem
