// The one allocation point for the large arrays of a compilation (the expression node pool, covers
// and their scratch arrays). A budget bounds what one compilation may hold at a time, so that no
// equation can take the process out of memory and every "out of memory" path can be tested.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <type_traits>
#include <utility>

#include "common/diagnostics.h"

namespace kem {

inline constexpr std::size_t kDefaultMemoryBudget = std::size_t{2} << 30;  // 2 GiB

// The box every layer shows when memory runs out.
inline constexpr std::string_view kOutOfMemoryBox = "Nicht genügend Speicher für Compilierung";

class AllocationBudget {
 public:
  explicit AllocationBudget(std::size_t limit = kDefaultMemoryBudget) : limit_(limit) {}

  bool Reserve(std::size_t bytes);
  void Release(std::size_t bytes);

  std::size_t limit() const { return limit_; }
  std::size_t in_use() const { return in_use_; }
  std::size_t peak() const { return peak_; }

 private:
  std::size_t limit_;
  std::size_t in_use_ = 0;
  std::size_t peak_ = 0;
};

// A share of a budget, given back when it ends.
class BudgetCharge {
 public:
  BudgetCharge() = default;
  BudgetCharge(const BudgetCharge&) = delete;
  BudgetCharge& operator=(const BudgetCharge&) = delete;
  BudgetCharge(BudgetCharge&& other) noexcept { *this = std::move(other); }
  BudgetCharge& operator=(BudgetCharge&& other) noexcept {
    if (this != &other) {
      Drop();
      budget_ = std::exchange(other.budget_, nullptr);
      bytes_ = std::exchange(other.bytes_, 0);
    }
    return *this;
  }
  ~BudgetCharge() { Drop(); }

  // Charges `count` elements of `size` bytes; on failure reports "E01 Speicher voll" and charges
  // nothing.
  bool Take(AllocationBudget& budget, Diagnostics& diagnostics, std::size_t count,
            std::size_t size);
  // Makes the charge at least `bytes`; a charge only grows, so storage that is kept and reused
  // is charged for the most it has held. On failure as Take, with nothing left charged.
  bool GrowTo(AllocationBudget& budget, Diagnostics& diagnostics, std::size_t bytes) {
    return bytes <= bytes_ || Take(budget, diagnostics, bytes, 1);
  }
  void Drop();

 private:
  AllocationBudget* budget_ = nullptr;
  std::size_t bytes_ = 0;
};

// A zero-filled array of `count` elements charged to a budget and given back when it is destroyed.
// Large arrays come zero-filled from the system's page allocator, so their pages cost memory only
// once they are written: a cover's spare rows that are never used are never touched.
template <typename T>
class BudgetedArray {
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_default_constructible_v<T>,
                "zero bytes must be a valid value");

 public:
  BudgetedArray() = default;
  BudgetedArray(BudgetedArray&& other) noexcept { *this = std::move(other); }
  BudgetedArray& operator=(BudgetedArray&& other) noexcept {
    if (this != &other) {
      items_ = std::move(other.items_);
      size_ = std::exchange(other.size_, 0);
      charge_ = std::move(other.charge_);
    }
    return *this;
  }

  // Replaces the contents by `count` zero-filled elements. On failure reports "E01 Speicher voll"
  // and leaves the array empty.
  bool AllocZeroed(AllocationBudget& budget, Diagnostics& diagnostics, std::size_t count) {
    Free();
    if (!charge_.Take(budget, diagnostics, count, sizeof(T))) return false;
    if (count == 0) return true;
    // The budget already refused anything this large; the test tells the compiler as much.
    if (count > static_cast<std::size_t>(PTRDIFF_MAX) / sizeof(T)) {
      charge_.Drop();
      return false;
    }
    items_.reset(static_cast<T*>(std::calloc(count, sizeof(T))));
    if (!items_) {
      charge_.Drop();
      diagnostics.ReportDiagnostic(Diag::E01, 0);
      return false;
    }
    size_ = count;
    return true;
  }
  void Free() {
    charge_.Drop();
    items_.reset();
    size_ = 0;
  }

  T* data() { return items_.get(); }
  const T* data() const { return items_.get(); }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  T& operator[](std::size_t i) { return items_[i]; }
  const T& operator[](std::size_t i) const { return items_[i]; }

 private:
  struct Deleter {
    void operator()(T* items) const { std::free(items); }
  };

  std::unique_ptr<T[], Deleter> items_;
  std::size_t size_ = 0;
  BudgetCharge charge_;
};

}  // namespace kem
