// Builds expression trees by hand in a node pool, for tests of logic synthesis.
#pragma once

#include "common/allocation.h"
#include "common/diagnostics.h"
#include "common/message_log.h"
#include "common/progress.h"
#include "synthesis/expression_tree.h"

namespace kem::testing_support {

// The variables of the minimizer tests' variable map: 18 inputs, then the outputs' feedback.
inline constexpr int kVariables = 24;

// Counts the ticks, so a test can tell that long work reports progress.
class CountingProgress final : public Progress {
 public:
  void Tick() override { ++ticks_; }
  long ticks() const { return ticks_; }

 private:
  long ticks_ = 0;
};

struct SynthesisFixture {
  explicit SynthesisFixture(std::size_t budget_bytes = kDefaultMemoryBudget)
      : budget(budget_bytes) {
    log.EnsureLogWindow();
    pool.ReserveNodePool(context);
  }

  // Leaves name design records; variable v is record first + v.
  NodeRef Leaf(int variable) { return pool.MakeLeaf(context, first + variable); }
  NodeRef Op(int type, NodeRef left, NodeRef right = kNoNode) {
    return pool.MakeOperatorNode(context, left, right, type);
  }
  NodeRef Or(NodeRef a, NodeRef b) { return Op(kNodeOr, a, b); }
  NodeRef And(NodeRef a, NodeRef b) { return Op(kNodeAnd, a, b); }
  NodeRef Xor(NodeRef a, NodeRef b) { return Op(kNodeXor, a, b); }
  NodeRef Not(NodeRef a) { return Op(kNodeNot, a); }
  NodeRef Constant(bool one) { return Op(one ? kNodeTrue : kNodeFalse, kNoNode); }
  // The parity of variables 0 .. signals - 1: a function no level can make smaller than 2^(n-1)
  // terms.
  NodeRef Parity(int signals) {
    NodeRef tree = Leaf(0);
    for (int v = 1; v < signals; ++v) tree = Xor(tree, Leaf(v));
    return tree;
  }

  int first = 18;
  AllocationBudget budget;
  Diagnostics diagnostics;
  LogModel log;
  CountingProgress progress;
  SynthesisContext context{budget, diagnostics, log, progress};
  NodePool pool;
};

}  // namespace kem::testing_support
