// The minimizer driver at every level: the edge cases its rules spell out, thousands of random
// functions checked for their meaning, and running out of memory.
#include "synthesis/minimizer.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "tests/support/cover_text.h"
#include "tests/support/round_count.h"
#include "tests/support/tree_builder.h"

namespace kem {
namespace {

using testing_support::RowsText;
using testing_support::SynthesisFixture;
using Rows = std::vector<std::string>;

using testing_support::kVariables;

struct EdgeCase {
  const char* name;
  int level;
  bool allow_complement;
  bool minimization_flag;
  // Variables 0..3 are A, B, C and D.
  std::function<NodeRef(SynthesisFixture&)> tree;
  Rows terms;  // empty for a constant
  int polarity;
  int marker;
};

void PrintTo(const EdgeCase& c, std::ostream* out) {
  *out << c.name;
}

NodeRef AbPlusD(SynthesisFixture& f) {
  return f.Or(f.And(f.Leaf(0), f.Leaf(1)), f.Leaf(3));
}
// A·¬B + A·B + ¬A·B, that is A + B.
NodeRef NotAbPlusD(SynthesisFixture& f) {
  return f.Not(AbPlusD(f));
}
NodeRef AOrB(SynthesisFixture& f) {
  return f.Or(f.Or(f.And(f.Leaf(0), f.Not(f.Leaf(1))), f.And(f.Leaf(0), f.Leaf(1))),
              f.And(f.Not(f.Leaf(0)), f.Leaf(1)));
}
NodeRef Vcc(SynthesisFixture& f) {
  return f.Constant(true);
}
NodeRef Gnd(SynthesisFixture& f) {
  return f.Constant(false);
}
NodeRef XorANotA(SynthesisFixture& f) {
  return f.Xor(f.Leaf(0), f.Not(f.Leaf(0)));
}
NodeRef APlusNotA(SynthesisFixture& f) {
  return f.Or(f.Leaf(0), f.Not(f.Leaf(0)));
}
NodeRef SingleMinterm(SynthesisFixture& f) {
  return f.And(f.And(f.Leaf(0), f.Not(f.Leaf(1))), f.Leaf(2));
}
NodeRef NotA(SynthesisFixture& f) {
  return f.Not(f.Leaf(0));
}
NodeRef AbTwice(SynthesisFixture& f) {
  return f.Or(f.And(f.Leaf(0), f.Leaf(1)), f.And(f.Leaf(0), f.Leaf(1)));
}

class MinimizerEdgeCases : public testing::TestWithParam<EdgeCase>, public SynthesisFixture {};

TEST_P(MinimizerEdgeCases, Result) {
  const EdgeCase& c = GetParam();
  context.level = c.level;
  context.minimization_flag = c.minimization_flag ? 1 : 0;
  Minimized m;
  ASSERT_TRUE(
      MinimizeEquation(context, pool, c.tree(*this), {18, kVariables}, c.allow_complement, m));
  EXPECT_EQ(m.polarity, c.polarity);
  EXPECT_EQ(m.cover.ConstantMarker(), c.marker);
  if (c.marker == 0) {
    EXPECT_EQ(RowsText(m.cover, m.last, 4, [&](int row) { return m.cover.IsTerm(row); }), c.terms);
  }
  EXPECT_EQ(pool.in_use(), 0u);
}

constexpr int kOne = kMarkerOne;
constexpr int kZero = kMarkerZero;
constexpr int kF = kPolarityFunction;
constexpr int kC = kPolarityComplement;

INSTANTIATE_TEST_SUITE_P(
    Rules, MinimizerEdgeCases,
    testing::Values(
        // The prime that survives the first pass comes before the one made in the second; the
        // recursive split puts D first. The complement ¬A·¬D + ¬B·¬D ties and loses.
        EdgeCase{"AbPlusD_Exact", 1, true, true, AbPlusD, {"11--", "---1"}, kF, 0},
        EdgeCase{"AbPlusD_Recursive", 2, true, true, AbPlusD, {"---1", "11--"}, kF, 0},
        EdgeCase{"NotAbPlusD_Exact", 1, true, true, NotAbPlusD, {"0--0", "-0-0"}, kF, 0},
        EdgeCase{"AOrB_Exact", 1, true, true, AOrB, {"00--"}, kC, 0},
        EdgeCase{"AOrB_Recursive", 2, true, true, AOrB, {"00--"}, kC, 0},
        EdgeCase{"AOrB_NoComplement_Exact", 1, false, true, AOrB, {"-1--", "1---"}, kF, 0},
        EdgeCase{"AOrB_NoComplement_Recursive", 2, false, true, AOrB, {"-1--", "1---"}, kF, 0},
        EdgeCase{"AOrB_None", 0, true, true, AOrB, {"10--", "11--", "01--"}, kF, 0},
        EdgeCase{"Vcc_None", 0, true, true, Vcc, {}, kF, kOne},
        EdgeCase{"Vcc_Exact", 1, true, true, Vcc, {}, kF, kOne},
        EdgeCase{"Vcc_Recursive", 2, true, true, Vcc, {}, kF, kOne},
        EdgeCase{"Gnd_Exact", 1, true, true, Gnd, {}, kF, kZero},
        EdgeCase{"XorANotA_None", 0, true, true, XorANotA, {}, kF, kOne},
        EdgeCase{"XorANotA_Exact", 1, true, true, XorANotA, {}, kF, kOne},
        EdgeCase{"XorANotA_Recursive", 2, true, true, XorANotA, {}, kF, kOne},
        EdgeCase{"APlusNotA_None", 0, true, true, APlusNotA, {"1---", "0---"}, kF, 0},
        EdgeCase{"APlusNotA_Exact", 1, true, true, APlusNotA, {}, kF, kOne},
        EdgeCase{"APlusNotA_Recursive", 2, true, true, APlusNotA, {}, kF, kOne},
        EdgeCase{"SingleMinterm_Exact", 1, true, true, SingleMinterm, {"101-"}, kF, 0},
        // One signal: one minterm on each side, a tie, the function.
        EdgeCase{"OneSignal_Exact", 1, true, true, NotA, {"0---"}, kF, 0},
        EdgeCase{"OneSignal_Recursive", 2, true, true, NotA, {"0---"}, kF, 0},
        // Inside NOMIN every level behaves as level 0.
        EdgeCase{"Nomin_Exact", 1, true, false, AbTwice, {"11--", "11--"}, kF, 0},
        EdgeCase{"Nomin_Recursive", 2, true, false, APlusNotA, {"1---", "0---"}, kF, 0},
        EdgeCase{"NominAOrB_Exact", 1, true, false, AOrB, {"10--", "11--", "01--"}, kF, 0}),
    [](const testing::TestParamInfo<EdgeCase>& info) { return info.param.name; });

// A boolean function of up to 10 signals as a bit set over its assignments; bit i of an
// assignment is the value of the i-th used variable in increasing column order.
using Function = std::vector<std::uint64_t>;

struct RandomCase {
  int v = 0;
  std::vector<int> columns;  // the used variables, increasing
  Function function;
  NodeRef tree = kNoNode;
};

class RandomFunctions : public testing::TestWithParam<int>, public SynthesisFixture {
 protected:
  NodeRef Literal(const RandomCase& rc, int i, bool value) {
    const NodeRef leaf = Leaf(rc.columns[i]);
    return value ? leaf : Not(leaf);
  }

  // OR of the given products, as a balanced tree.
  NodeRef Sum(std::vector<NodeRef> terms) {
    while (terms.size() > 1) {
      std::vector<NodeRef> next;
      for (std::size_t i = 0; i + 1 < terms.size(); i += 2)
        next.push_back(Or(terms[i], terms[i + 1]));
      if (terms.size() % 2 == 1) next.push_back(terms.back());
      terms.swap(next);
    }
    return terms[0];
  }

  // A random truth table of random density, written as its minterms.
  RandomCase Make(std::mt19937& random, int round) {
    RandomCase rc;
    rc.v = 1 + round % 10;
    const int n = std::max(rc.v, std::vector<int>{10, 16, 24, 41}[round / 10 % 4]);
    map = {first, n};
    std::vector<int> all(static_cast<std::size_t>(n));
    for (int c = 0; c < n; ++c) all[c] = c;
    std::shuffle(all.begin(), all.end(), random);
    rc.columns.assign(all.begin(), all.begin() + rc.v);
    std::sort(rc.columns.begin(), rc.columns.end());
    const unsigned size = 1u << rc.v;
    rc.function.assign((size + 63) / 64, 0);

    const int density = std::uniform_int_distribution<int>(0, 16)(random);
    std::vector<NodeRef> minterms;
    for (unsigned x = 0; x < size; ++x) {
      if (std::uniform_int_distribution<int>(0, 15)(random) >= density) continue;
      rc.function[x / 64] |= std::uint64_t{1} << (x % 64);
      NodeRef product = Literal(rc, 0, (x & 1u) != 0);
      for (int i = 1; i < rc.v; ++i) product = And(product, Literal(rc, i, ((x >> i) & 1u) != 0));
      minterms.push_back(product);
    }
    // Every signal is used even when the function is 0.
    rc.tree = minterms.empty() ? And(Literal(rc, 0, true), Literal(rc, 0, false)) : Sum(minterms);
    for (int i = 1; i < rc.v; ++i)
      rc.tree = Or(rc.tree, And(Literal(rc, i, true), Literal(rc, i, false)));
    return rc;
  }

  VariableMap map{18, kVariables};
};

// The assignments a cube covers, as a bit set; false when it holds a literal of an unused column.
// `values[i]` is the set of assignments in which the i-th used variable is 1.
bool CubeSet(const Cover& cover, int row, const RandomCase& rc, const std::vector<Function>& values,
             Function& set) {
  const unsigned size = 1u << rc.v;
  set.assign(rc.function.size(), ~std::uint64_t{0});
  if (size < 64) set[0] = (std::uint64_t{1} << size) - 1;
  for (int c = 0; c < cover.variables(); ++c) {
    const int code = cover.FieldGet(row, c);
    if (code == kCodeAbsent) continue;
    const auto at = std::find(rc.columns.begin(), rc.columns.end(), c);
    if (at == rc.columns.end() || (code != kCodeTrue && code != kCodeComplement)) return false;
    const Function& value = values[static_cast<std::size_t>(at - rc.columns.begin())];
    for (std::size_t w = 0; w < set.size(); ++w) set[w] &= code == kCodeTrue ? value[w] : ~value[w];
  }
  return true;
}

bool Implies(const Function& cube, const Function& f) {
  for (std::size_t w = 0; w < f.size(); ++w) {
    if ((cube[w] & ~f[w]) != 0) return false;
  }
  return true;
}

TEST_P(RandomFunctions, CoverIsTheFunctionAndAsSmallAsTheRulesSay) {
  const int level = GetParam();
  context.level = level;
  std::mt19937 random(7919 + level);
  for (int round = 0; round < testing_support::RoundCount(1000); ++round) {
    RandomCase rc = Make(random, round);
    const bool allow_complement = round % 7 != 3;
    const unsigned size = 1u << rc.v;
    int on = 0;
    for (std::uint64_t w : rc.function) on += std::popcount(w);
    const int off = static_cast<int>(size) - on;

    std::vector<Function> values(static_cast<std::size_t>(rc.v), Function(rc.function.size()));
    for (unsigned x = 0; x < size; ++x) {
      for (int i = 0; i < rc.v; ++i) {
        if (((x >> i) & 1u) != 0) values[i][x / 64] |= std::uint64_t{1} << (x % 64);
      }
    }
    // Level 0 writes the minterms as the source gives them.
    const bool as_written = level == kLevelNone;

    Minimized m;
    ASSERT_TRUE(MinimizeEquation(context, pool, rc.tree, map, allow_complement, m)) << round;
    ASSERT_EQ(pool.in_use(), 0u);
    const std::string at = "round " + std::to_string(round) + ", V " + std::to_string(rc.v);

    // The written function: the equation, or its complement with polarity 3.
    Function written = rc.function;
    if (m.polarity == kPolarityComplement) {
      ASSERT_TRUE(allow_complement) << at;
      for (std::size_t w = 0; w < written.size(); ++w) written[w] = ~written[w];
    }
    if (size < 64) written[0] &= (std::uint64_t{1} << size) - 1;

    const int marker = m.cover.ConstantMarker();
    // Products written as they stand carry no marker unless none of them remains.
    if (on == 0 || (off == 0 && !as_written)) {
      EXPECT_EQ(marker, on == 0 ? kMarkerZero : kMarkerOne) << at;
      EXPECT_EQ(m.polarity, kPolarityFunction) << at;
      continue;
    }
    ASSERT_EQ(marker, 0) << at;
    Function covered(written.size(), 0);
    Function cube;
    int terms = 0;
    for (int row = 0; row <= m.last; ++row) {
      if (!m.cover.IsTerm(row)) continue;
      ++terms;
      ASSERT_TRUE(CubeSet(m.cover, row, rc, values, cube)) << at;
      ASSERT_TRUE(Implies(cube, written)) << at << ": term " << row << " is no implicant";
      for (std::size_t w = 0; w < cube.size(); ++w) covered[w] |= cube[w];
      if (level != kLevelExact) continue;
      // Prime: no literal can be left out.
      for (int c = 0; c < m.cover.variables(); ++c) {
        if (m.cover.FieldGet(row, c) == kCodeAbsent) continue;
        const int code = m.cover.FieldGet(row, c);
        m.cover.FieldSet(row, c, kCodeAbsent);
        Function larger;
        ASSERT_TRUE(CubeSet(m.cover, row, rc, values, larger));
        EXPECT_FALSE(Implies(larger, written)) << at << ": term " << row << " is not prime";
        m.cover.FieldSet(row, c, code);
      }
    }
    EXPECT_EQ(covered, written) << at;

    if (as_written) {
      EXPECT_EQ(m.polarity, kPolarityFunction) << at;
      EXPECT_EQ(terms, on) << at;
    } else {
      EXPECT_LE(terms, allow_complement ? std::min(on, off) : on) << at;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Levels, RandomFunctions, testing::Values(0, 1, 2, 3));

// An exclusive or of the first `signals` variables.
// The product of the first `signals` variables, those with bit `pattern` set complemented.
NodeRef Product(SynthesisFixture& f, int signals, int pattern) {
  NodeRef tree = kNoNode;
  for (int v = 0; v < signals; ++v) {
    const NodeRef literal = ((v >> pattern) & 1) != 0 ? f.Not(f.Leaf(v)) : f.Leaf(v);
    tree = tree == kNoNode ? literal : f.And(literal, tree);
  }
  return tree;
}

TEST(MinimizerBudget, MinimizationBeyondTheBudgetFailsAndGivesEverythingBack) {
  // 12 signals: the truth table (4096 rows of 2 words) and its two row sets fit, what either level
  // makes of 2048 minterms a side does not.
  const std::size_t table = (1u << 12) * (WordsFor(kVariables + 1) + 1) * 4u;
  for (int level : {kLevelExact, kLevelRecursive}) {
    SynthesisFixture f(kNodePoolSize * sizeof(ExprNode) + table + 1024);
    f.context.level = level;
    Minimized m;
    EXPECT_FALSE(MinimizeEquation(f.context, f.pool, f.Parity(12), {18, kVariables}, true, m))
        << level;
    EXPECT_GE(f.diagnostics.counts().errors, 1) << level;
    EXPECT_EQ(f.pool.in_use(), 0u) << level;
    EXPECT_EQ(f.budget.in_use(), kNodePoolSize * sizeof(ExprNode)) << level;
    EXPECT_LE(f.budget.peak(), f.budget.limit()) << level;
  }
}

// Address decoders: the complement of a wide product has 3^V implicants but only V primes, so
// level 1 holds little more than the truth table.
TEST(MinimizerBudget, WideProductsAtTheExactLevel) {
  for (int products : {1, 4}) {
    SynthesisFixture f;
    f.context.level = kLevelExact;
    NodeRef tree = Product(f, 18, 0);
    for (int p = 1; p < products; ++p) tree = f.Or(tree, Product(f, 18, p));
    Minimized m;
    ASSERT_TRUE(MinimizeEquation(f.context, f.pool, tree, {18, kVariables}, true, m)) << products;
    EXPECT_EQ(f.diagnostics.counts().errors, 0);
    EXPECT_EQ(m.polarity, kPolarityFunction) << products;
    EXPECT_EQ(m.cover.CountTerms(m.last), products);
    EXPECT_LT(f.budget.peak(), kNodePoolSize * sizeof(ExprNode) + (16u << 20)) << products;
  }
}

TEST(MinimizerBudget, RecursiveLevelNeedsNoTags) {
  // 16 signals: the exact level's first cover would need 4.5 GB; the recursive one needs the
  // minterms only.
  SynthesisFixture f(kNodePoolSize * sizeof(ExprNode) + (16u << 20));
  f.context.level = kLevelRecursive;
  NodeRef all = f.Leaf(0);
  for (int v = 1; v < 16; ++v) all = f.And(f.Leaf(v), all);
  Minimized m;
  ASSERT_TRUE(MinimizeEquation(f.context, f.pool, all, {18, kVariables}, true, m));
  EXPECT_EQ(m.polarity, kPolarityFunction);
  EXPECT_EQ(m.cover.CountTerms(m.last), 1);
}

}  // namespace
}  // namespace kem
