// A growable array charged to the allocation budget for what it holds. Growth doubles the room;
// while the elements move, the old and the new block are both held and both charged.
#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>

#include "common/allocation.h"
#include "synthesis/synthesis_context.h"

namespace kem {

template <typename T>
class BudgetedVector {
 public:
  BudgetedVector() = default;
  BudgetedVector(BudgetedVector&& other) noexcept { *this = std::move(other); }
  BudgetedVector& operator=(BudgetedVector&& other) noexcept {
    if (this != &other) {
      items_ = std::move(other.items_);
      size_ = std::exchange(other.size_, 0);
    }
    return *this;
  }

  // Room for at least `count` elements. False after E01 (the contents are kept).
  bool Reserve(SynthesisContext& context, std::size_t count) {
    if (count <= items_.size()) return true;
    BudgetedArray<T> larger;
    if (!larger.AllocZeroed(context.budget, context.diagnostics, count)) return false;
    std::copy_n(items_.data(), size_, larger.data());
    items_ = std::move(larger);
    return true;
  }

  bool PushBack(SynthesisContext& context, const T& item) {
    if (size_ == items_.size() && !Reserve(context, std::max<std::size_t>(16, 2 * size_)))
      return false;
    items_[size_++] = item;
    return true;
  }
  void PopBack() { --size_; }
  void Clear() { size_ = 0; }
  void Free() {
    items_.Free();
    size_ = 0;
  }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  T* begin() { return items_.data(); }
  T* end() { return items_.data() + size_; }
  const T* begin() const { return items_.data(); }
  const T* end() const { return items_.data() + size_; }
  T& operator[](std::size_t i) { return items_[i]; }
  const T& operator[](std::size_t i) const { return items_[i]; }
  T& back() { return items_[size_ - 1]; }

 private:
  BudgetedArray<T> items_;
  std::size_t size_ = 0;
};

}  // namespace kem
