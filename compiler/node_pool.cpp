#include "compiler/node_pool.h"

namespace kem {

int NodePool::ReserveNodePool(AllocationBudget& budget, Diagnostics& diagnostics) {
  if (nodes_.AllocZeroed(budget, diagnostics, kNodePoolSize)) return 1;
  if (nodes_.AllocZeroed(budget, diagnostics, kSmallNodePoolSize)) return 1;
  return -1;
}

}  // namespace kem
