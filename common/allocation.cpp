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

bool BudgetCharge::Take(AllocationBudget& budget, Diagnostics& diagnostics, std::size_t count,
                        std::size_t size) {
  Drop();
  const bool overflow = size != 0 && count > budget.limit() / size;
  if (overflow || !budget.Reserve(count * size)) {
    diagnostics.ReportDiagnostic(Diag::E01, 0);
    return false;
  }
  budget_ = &budget;
  bytes_ = count * size;
  return true;
}

void BudgetCharge::Drop() {
  if (budget_) budget_->Release(bytes_);
  budget_ = nullptr;
  bytes_ = 0;
}

}  // namespace kem
