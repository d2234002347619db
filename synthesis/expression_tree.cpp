// The node pool's life (reserve, release) and its first-fit allocation from a heap of the nodes
// freed below the high-water mark; the log's marker moves once per kProbeWrap nodes passed over.
#include "synthesis/expression_tree.h"

#include <algorithm>
#include <functional>

namespace kem {

namespace {

constexpr std::uint32_t kProbeWrap = 65536;

}  // namespace

int NodePool::ReserveNodePool(SynthesisContext& context) {
  ReleaseNodePool();
  for (std::size_t size : {kNodePoolSize, kSmallNodePoolSize}) {
    if (charge_.Take(context.budget, context.diagnostics, size, sizeof(ExprNode))) {
      size_ = size;
      nodes_.reserve(size);  // address space only: a node's memory is touched when it is made
      return 1;
    }
  }
  return -1;
}

void NodePool::ReleaseNodePool() {
  charge_.Drop();
  size_ = 0;
  std::vector<ExprNode>().swap(nodes_);
  free_below_high_water_.clear();
  heap_size_ = 0;
  high_water_ = 0;
}

NodeRef NodePool::AllocNode(SynthesisContext& context) {
  if (size_ == 0) return kNoNode;
  // First fit: every node before the first free one is in use and is passed over.
  std::size_t chosen = high_water_;
  if (!free_below_high_water_.empty()) {
    RestoreHeap();
    std::pop_heap(free_below_high_water_.begin(), free_below_high_water_.end(), std::greater<>());
    chosen = static_cast<std::size_t>(free_below_high_water_.back());
    free_below_high_water_.pop_back();
    heap_size_ = free_below_high_water_.size();
  }
  const std::uint32_t passed = static_cast<std::uint32_t>(std::min(chosen, size_));
  const std::uint32_t total = probes_ + passed;
  for (std::uint32_t wraps = total / kProbeWrap; wraps > 0; --wraps)
    context.log.AdvanceProgressMarker();
  probes_ = static_cast<std::uint16_t>(total % kProbeWrap);
  if (chosen >= size_) return kNoNode;

  if (chosen == high_water_) {
    // The nodes below the high-water mark exist, the ones from it on are made as it rises.
    nodes_.emplace_back();
    ++high_water_;
  } else {
    nodes_[chosen] = ExprNode{};
  }
  nodes_[chosen].status = 'T';
  return static_cast<NodeRef>(chosen);
}

void NodePool::RestoreHeap() {
  auto& free = free_below_high_water_;
  const std::size_t added = free.size() - heap_size_;
  if (added > heap_size_ / 4) {
    std::make_heap(free.begin(), free.end(), std::greater<>());
  } else {
    for (std::size_t end = heap_size_ + 1; end <= free.size(); ++end)
      std::push_heap(free.begin(), free.begin() + static_cast<std::ptrdiff_t>(end),
                     std::greater<>());
  }
  heap_size_ = free.size();
}

void NodePool::FreeNode(NodeRef node) {
  ExprNode& n = (*this)[node];
  if (n.status != 'T') return;
  n.status = 'F';
  // It joins the heap when a node is next wanted: a tree released whole is ordered at once.
  free_below_high_water_.push_back(node);
}

void NodePool::FreeTree(NodeRef root) {
  // Iterative, so that no depth of nesting can exhaust the stack.
  std::vector<NodeRef> pending;
  if (root != kNoNode) pending.push_back(root);
  while (!pending.empty()) {
    const NodeRef node = pending.back();
    pending.pop_back();
    const ExprNode& n = (*this)[node];
    if (!n.leaf) {
      if (n.left != kNoNode) pending.push_back(n.left);
      if (n.type != kNodeNot && n.right != kNoNode) pending.push_back(n.right);
    }
    FreeNode(node);
  }
}

NodeRef NodePool::NewNode(SynthesisContext& context) {
  const NodeRef node = AllocNode(context);
  if (node == kNoNode) context.ReportOutOfMemory();
  return node;
}

NodeRef NodePool::MakeOperatorNode(SynthesisContext& context, NodeRef left, NodeRef right,
                                   int type) {
  const NodeRef node = NewNode(context);
  if (node == kNoNode) return kNoNode;
  ExprNode& n = (*this)[node];
  n.type = type;
  n.left = left;
  n.right = type == kNodeNot ? kNoNode : right;
  return node;
}

NodeRef NodePool::MakeLeaf(SynthesisContext& context, int record) {
  const NodeRef node = NewNode(context);
  if (node == kNoNode) return kNoNode;
  ExprNode& n = (*this)[node];
  n.leaf = true;
  n.record = record;
  return node;
}

std::size_t NodePool::in_use() const {
  return high_water_ - free_below_high_water_.size();
}

}  // namespace kem
