// The node pool of the expression parser: one array of expression-tree nodes, reserved at the start
// of each compilation and released as a whole at its end.
#pragma once

#include <cstddef>
#include <string>

#include "common/allocation.h"
#include "common/diagnostics.h"

namespace kem {

inline constexpr std::size_t kNodePoolSize = 393216;
inline constexpr std::size_t kSmallNodePoolSize = 196608;  // when the larger array cannot be had

// A node of an expression tree: a leaf names a signal; any other node is an operator or constant.
struct ExprNode {
  char status = 0;  // 'T' in use, 'F' released; 0 (fresh) is free as well
  bool leaf = false;
  int type = 0;  // 0 OR, 1 XOR, 2 AND, 3 NOT, 4 constant 1, 5 constant 0
  int left_value = 0;
  int right_value = 0;
  int left = -1;  // node indices, -1 none
  int right = -1;
  std::string name;
};

class NodePool {
 public:
  // 1, or -1 when neither size can be reserved (each failed attempt reports E01).
  int ReserveNodePool(AllocationBudget& budget, Diagnostics& diagnostics);
  void ReleaseNodePool() { nodes_.Free(); }

  std::size_t size() const { return nodes_.size(); }

 private:
  BudgetedArray<ExprNode> nodes_;
};

}  // namespace kem
