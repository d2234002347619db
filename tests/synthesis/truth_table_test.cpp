// The truth table against a plain evaluation of the tree, one row at a time: random trees of every
// operator over up to 18 signals among the design's variables, deep chains on either side, and
// double negations, so that every block size and every way of ordering the operands is covered.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "synthesis/expansion.h"
#include "tests/support/round_count.h"
#include "tests/support/tree_builder.h"

namespace kem {
namespace {

using testing_support::SynthesisFixture;

// The value of the tree for one assignment of the variables, walked node by node.
bool Evaluate(const NodePool& pool, NodeRef tree, int first, const std::vector<bool>& value_of) {
  std::vector<std::pair<NodeRef, bool>> pending{{tree, false}};
  std::vector<bool> done;
  while (!pending.empty()) {
    const auto [ref, expanded] = pending.back();
    pending.pop_back();
    const ExprNode& n = pool[ref];
    if (n.leaf) {
      done.push_back(value_of[static_cast<std::size_t>(n.record - first)]);
      continue;
    }
    if (n.type == kNodeTrue || n.type == kNodeFalse) {
      done.push_back(n.type == kNodeTrue);
      continue;
    }
    if (!expanded) {
      pending.push_back({ref, true});
      if (n.type != kNodeNot) pending.push_back({n.right, false});
      pending.push_back({n.left, false});
      continue;
    }
    if (n.type == kNodeNot) {
      done.back() = !done.back();
      continue;
    }
    const bool right = done.back();
    done.pop_back();
    const bool left = done.back();
    done.back() = n.type == kNodeOr    ? left || right
                  : n.type == kNodeAnd ? left && right
                                       : left != right;
  }
  return done.back();
}

class TruthTableTest : public testing::Test, public SynthesisFixture {
 protected:
  static constexpr int kVariables = 41;
  VariableMap map{18, kVariables};
  std::mt19937 random{577};

  // A random tree over the given variables with about `size` leaves.
  NodeRef RandomTree(const std::vector<int>& signals, int size) {
    if (size <= 1) {
      const NodeRef leaf = Leaf(signals[random() % signals.size()]);
      return random() % 4 == 0 ? Not(leaf) : leaf;
    }
    const int left = 1 + static_cast<int>(random() % static_cast<unsigned>(size - 1));
    const NodeRef a = RandomTree(signals, left);
    const NodeRef b = RandomTree(signals, size - left);
    const int kind = static_cast<int>(random() % 7);
    const NodeRef node = kind < 2   ? Or(a, b)
                         : kind < 4 ? And(a, b)
                         : kind < 6 ? Xor(a, b)
                                    : Not(Or(a, b));
    return random() % 6 == 0 ? Not(Not(node)) : node;
  }

  // Builds the table and checks every row (or every `stride`-th): the used signals' codes, the
  // value, the counts.
  void ExpectTableMatches(NodeRef tree, int stride = 1) {
    std::vector<int> used(kVariables, 0);
    const int v = MarkUsedVariables(pool, tree, map, used.data());
    Expansion e;
    ASSERT_TRUE(BuildCover(context, pool, tree, used.data(), v, map, true, e));
    ASSERT_FALSE(e.direct);
    ASSERT_EQ(e.rows, 1 << v);
    std::vector<int> signals;
    for (int c = 0; c < kVariables; ++c) {
      if (used[static_cast<std::size_t>(c)]) signals.push_back(c);
    }
    int on = 0;
    std::vector<bool> value_of(kVariables, false);
    int checked = 0;
    for (int row = 0; row < e.rows; row += stride) {
      ++checked;
      ASSERT_TRUE(e.cover.present(row));
      for (int j = 0; j < v; ++j)
        value_of[static_cast<std::size_t>(signals[j])] = ((row >> (v - 1 - j)) & 1) != 0;
      for (int c = 0; c < kVariables; ++c) {
        const int want = !used[static_cast<std::size_t>(c)]      ? kCodeAbsent
                         : value_of[static_cast<std::size_t>(c)] ? kCodeTrue
                                                                 : kCodeComplement;
        ASSERT_EQ(e.cover.RawGet(row, c), want) << "row " << row << " column " << c;
      }
      const bool value = Evaluate(pool, tree, first, value_of);
      ASSERT_EQ(e.cover.RawGet(row, kVariables), value ? 1 : 0) << "row " << row;
      on += value ? 1 : 0;
    }
    if (stride == 1) {
      EXPECT_EQ(e.on_count, on);
      EXPECT_EQ(e.off_count, e.rows - on);
    }
    EXPECT_GT(checked, 0);
    pool.FreeTree(tree);
  }
  // Signal k joins above the layers of signals 0..k-1, as in a Davio or Shannon decomposition:
  // the first signals lie under almost every node, the last ones under few.
  NodeRef Layered(const std::vector<int>& signals, int k) {
    if (k < 3) return RandomTree({signals[0], signals[1], signals[2]}, 4);
    const NodeRef low = Layered(signals, k - 1);
    const NodeRef high =
        k <= 8 ? Layered(signals, k - 1)
               : RandomTree(std::vector<int>(signals.begin(), signals.begin() + k), 6);
    const NodeRef x = Leaf(signals[static_cast<std::size_t>(k)]);
    switch (random() % 3) {
      case 0:
        return Xor(low, And(x, high));
      case 1:
        return Or(And(Not(x), low), And(Leaf(signals[static_cast<std::size_t>(k)]), high));
      default:
        return Not(Xor(And(high, Not(x)), low));
    }
  }
};

TEST_F(TruthTableTest, RandomTreesAsEvaluatedRowByRow) {
  for (int round = 0; round < testing_support::RoundCount(300); ++round) {
    const int v = 1 + round % 14;
    std::vector<int> signals(kVariables);
    for (int c = 0; c < kVariables; ++c) signals[static_cast<std::size_t>(c)] = c;
    std::shuffle(signals.begin(), signals.end(), random);
    signals.resize(static_cast<std::size_t>(v));
    SCOPED_TRACE(round);
    ExpectTableMatches(RandomTree(signals, v + static_cast<int>(random() % 40)));
  }
}

TEST_F(TruthTableTest, EighteenSignals) {
  std::vector<int> signals;
  for (int c = 0; c < 18; ++c) signals.push_back(2 * c);
  ExpectTableMatches(RandomTree(signals, 60));
}

TEST_F(TruthTableTest, LayeredFunctionsOverScatteredSignals) {
  // The signals under most nodes may sit anywhere in the row number, high or low: the evaluation
  // orders the rows its own way and must give every row its own value back.
  for (int v : {7, 10, 13, 16, 18}) {
    std::vector<int> signals(kVariables);
    for (int c = 0; c < kVariables; ++c) signals[static_cast<std::size_t>(c)] = c;
    std::shuffle(signals.begin(), signals.end(), random);
    signals.resize(static_cast<std::size_t>(v));
    SCOPED_TRACE(v);
    ExpectTableMatches(Layered(signals, v - 1), v < 13 ? 1 : 1 + (1 << (v - 12)));
  }
}

TEST_F(TruthTableTest, ManyPartsWithinABlock) {
  // Thousands of subtrees over the low row bits under a high one: more than are kept across
  // blocks, so some are evaluated in every block.
  NodeRef tree = And(Leaf(0), Xor(Leaf(12), Leaf(11)));
  for (int i = 1; i < 5000; ++i) {
    const NodeRef low = i % 2 == 0 ? Xor(Leaf(1 + i % 12), Not(Leaf(1 + (i / 12) % 12)))
                                   : Or(Leaf(1 + i % 12), And(Leaf(12), Leaf(1 + (i / 7) % 12)));
    tree = i % 3 == 0 ? Xor(tree, And(Leaf(i % 2), low)) : Or(And(Not(Leaf(0)), low), tree);
  }
  ExpectTableMatches(tree, 7);
}

TEST_F(TruthTableTest, DeepChainsOnEitherSide) {
  // Chains as deep as the parser can build them; the walk must not recurse.
  NodeRef left = Leaf(0);
  NodeRef right = Leaf(1);
  for (int i = 0; i < 50000; ++i) {
    left = i % 3 == 0   ? Xor(left, Leaf(i % 5))
           : i % 3 == 1 ? Or(left, Not(Leaf(i % 4)))
                        : And(left, Leaf(i % 2));
    right = i % 2 == 0 ? Xor(Leaf(i % 5), right) : Not(right);
  }
  ExpectTableMatches(left);
  ExpectTableMatches(right);
}

}  // namespace
}  // namespace kem
