// Expression trees and the node pool they live in. The pool is one array reserved per compilation;
// nodes are handed out first-fit from its start and taken back by their status alone, so a pool
// of a given size is exhausted after exactly as many nodes as it holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/allocation.h"
#include "synthesis/synthesis_context.h"

namespace kem {

inline constexpr std::size_t kNodePoolSize = 393216;
inline constexpr std::size_t kSmallNodePoolSize = 196608;  // when the larger array cannot be had

enum NodeType : int {
  kNodeOr = 0,
  kNodeXor = 1,
  kNodeAnd = 2,
  kNodeNot = 3,
  kNodeTrue = 4,
  kNodeFalse = 5,
};

using NodeRef = int;  // index into the pool
inline constexpr NodeRef kNoNode = -1;

// A node of an expression tree: a leaf names a signal by its pin table record; any other node is
// an operator (NOT has its operand on the left) or a constant.
struct ExprNode {
  char status = 0;  // 'T' in use, 'F' released; 0 (fresh) is free as well
  bool leaf = false;
  std::int32_t type = 0;
  std::int32_t record = 0;  // leaves: the design record the name was found in
  NodeRef left = kNoNode;
  NodeRef right = kNoNode;
};

class NodePool {
 public:
  // 1, or -1 when neither size can be reserved (each failed attempt reports E01).
  int ReserveNodePool(SynthesisContext& context);
  void ReleaseNodePool();

  // A node marked in use, or kNoNode when the pool is exhausted.
  NodeRef AllocNode(SynthesisContext& context);
  void FreeNode(NodeRef node);
  // Releases a node and everything below it; kNoNode does nothing.
  void FreeTree(NodeRef node);
  // A new operator or constant node, or kNoNode after E01 when the pool is exhausted.
  NodeRef MakeOperatorNode(SynthesisContext& context, NodeRef left, NodeRef right, int type);
  // A new leaf for a design record, or kNoNode after E01.
  NodeRef MakeLeaf(SynthesisContext& context, int record);

  ExprNode& operator[](NodeRef node) { return nodes_[static_cast<std::size_t>(node)]; }
  const ExprNode& operator[](NodeRef node) const { return nodes_[static_cast<std::size_t>(node)]; }
  std::size_t size() const { return size_; }
  std::size_t in_use() const;

 private:
  NodeRef NewNode(SynthesisContext& context);  // AllocNode, reporting E01 when none is free
  void RestoreHeap();                          // makes all of free_below_high_water_ the heap

  // The whole pool is charged to the budget when it is reserved; its nodes are made as the
  // high-water mark first reaches them, so a compilation pays only for the nodes it uses.
  BudgetCharge charge_;
  std::size_t size_ = 0;
  std::vector<ExprNode> nodes_;
  std::size_t high_water_ = 0;  // one past the highest node ever handed out
  std::uint16_t probes_ = 0;    // nodes passed over in the search; a wrap moves the marker
  // A min-heap in its first heap_size_ entries, followed by the nodes released since.
  std::vector<NodeRef> free_below_high_water_;
  std::size_t heap_size_ = 0;
};

}  // namespace kem
