#include "synthesis/expansion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "synthesis/minimizer.h"
#include "tests/support/tree_builder.h"

namespace kem {
namespace {

using testing_support::SynthesisFixture;

using testing_support::kVariables;

// The variable codes of a row as text: "1" true, "0" complemented, "-" absent.
std::string FieldRowText(const Cover& cover, int row, int variables) {
  std::string text;
  for (int v = 0; v < variables; ++v) {
    const int code = cover.FieldGet(row, v);
    text += code == kCodeTrue ? '1' : code == kCodeComplement ? '0' : '-';
  }
  return text;
}

// Without minimization, so that the covers are the expansion's own.
class ExpansionTest : public testing::Test, public SynthesisFixture {
 protected:
  ExpansionTest() { context.level = kLevelNone; }

  VariableMap map{18, kVariables};

  Minimized Minimize(NodeRef tree, bool allow_complement = true) {
    Minimized result;
    EXPECT_TRUE(MinimizeEquation(context, pool, tree, map, allow_complement, result));
    return result;
  }
  std::vector<std::string> Rows(const Minimized& m, int variables = 4) {
    std::vector<std::string> rows;
    for (int row = 0; row <= m.last; ++row) {
      if (m.cover.IsTerm(row)) rows.push_back(FieldRowText(m.cover, row, variables));
    }
    return rows;
  }
};

TEST_F(ExpansionTest, SumOfProductsShape) {
  const NodeRef a = Leaf(0), b = Leaf(1), d = Leaf(3);
  EXPECT_TRUE(IsSumOfProducts(pool, Or(And(a, b), Not(d))));
  EXPECT_FALSE(IsSumOfProducts(pool, And(Leaf(0), Or(Leaf(1), Leaf(3)))));
  EXPECT_FALSE(IsSumOfProducts(pool, Xor(Leaf(0), Leaf(1))));
  EXPECT_FALSE(IsSumOfProducts(pool, Not(And(Leaf(0), Leaf(1)))));
  EXPECT_TRUE(IsSumOfProducts(pool, Leaf(2)));
  EXPECT_EQ(CountTerms(pool, Or(Leaf(0), Or(And(Leaf(1), Leaf(2)), Leaf(3)))), 3);
  EXPECT_EQ(CountTerms(pool, And(Leaf(0), Leaf(1))), 1);
}

TEST_F(ExpansionTest, UsedVariablesCountOnce) {
  std::vector<int> used(kVariables, 0);
  const NodeRef tree = Or(And(Leaf(0), Leaf(5)), And(Not(Leaf(5)), Leaf(0)));
  EXPECT_EQ(MarkUsedVariables(pool, tree, map, used.data()), 2);
  EXPECT_EQ(used[0], 1);
  EXPECT_EQ(used[5], 1);
  EXPECT_EQ(used[1], 0);
}

TEST_F(ExpansionTest, TruthTableOrder) {
  std::vector<int> used(kVariables, 0);
  const NodeRef tree = Xor(Leaf(0), Leaf(1));
  const int v = MarkUsedVariables(pool, tree, map, used.data());
  Expansion e;
  ASSERT_TRUE(BuildCover(context, pool, tree, used.data(), v, map, true, e));
  EXPECT_FALSE(e.direct);
  ASSERT_EQ(e.rows, 4);
  EXPECT_EQ(FieldRowText(e.cover, 0, 3), "00-");
  EXPECT_EQ(FieldRowText(e.cover, 1, 3), "01-");
  EXPECT_EQ(FieldRowText(e.cover, 2, 3), "10-");
  EXPECT_EQ(FieldRowText(e.cover, 3, 3), "11-");
  EXPECT_EQ(e.cover.RawGet(1, kVariables), 1);
  EXPECT_EQ(e.cover.RawGet(3, kVariables), 0);
  EXPECT_EQ(e.on_count, 2);
  EXPECT_EQ(e.off_count, 2);
}

TEST_F(ExpansionTest, LevelZeroWritesProductsAsGiven) {
  // A·B + ¬D, already a sum of products: two rows in source order.
  EXPECT_EQ(Rows(Minimize(Or(And(Leaf(0), Leaf(1)), Not(Leaf(3))))),
            (std::vector<std::string>{"11--", "---0"}));
  // Duplicates stay.
  EXPECT_EQ(Rows(Minimize(Or(And(Leaf(0), Leaf(1)), And(Leaf(0), Leaf(1))))),
            (std::vector<std::string>{"11--", "11--"}));
  // A + ¬A is written as its two products at level 0.
  EXPECT_EQ(Rows(Minimize(Or(Leaf(0), Not(Leaf(0))))), (std::vector<std::string>{"1---", "0---"}));
}

TEST_F(ExpansionTest, LevelZeroMintermsAndComplement) {
  // XOR: two on-set minterms against two off-set ones: the function itself.
  Minimized x = Minimize(Xor(Leaf(0), Leaf(1)));
  EXPECT_EQ(x.polarity, kPolarityFunction);
  EXPECT_EQ(Rows(x), (std::vector<std::string>{"01--", "10--"}));
  // ¬(¬A·¬B) = A + B through the truth table: three on-set minterms, one off-set: the complement.
  Minimized o = Minimize(Not(And(Not(Leaf(0)), Not(Leaf(1)))));
  EXPECT_EQ(o.polarity, kPolarityComplement);
  EXPECT_EQ(Rows(o), (std::vector<std::string>{"00--"}));
  // Not allowed to complement (TRST equations and nodes): the three minterms.
  Minimized f = Minimize(Not(And(Not(Leaf(0)), Not(Leaf(1)))), false);
  EXPECT_EQ(f.polarity, kPolarityFunction);
  EXPECT_EQ(Rows(f), (std::vector<std::string>{"01--", "10--", "11--"}));
}

TEST_F(ExpansionTest, Constants) {
  EXPECT_EQ(Minimize(Constant(true)).cover.ConstantMarker(), kMarkerOne);
  EXPECT_EQ(Minimize(Constant(false)).cover.ConstantMarker(), kMarkerZero);
  Minimized tautology = Minimize(Xor(Leaf(0), Not(Leaf(0))));
  EXPECT_EQ(tautology.cover.ConstantMarker(), kMarkerOne);
  EXPECT_EQ(tautology.polarity, kPolarityFunction);
  EXPECT_EQ(Minimize(And(Leaf(0), Not(Leaf(0)))).cover.ConstantMarker(), kMarkerZero);
}

TEST_F(ExpansionTest, ContradictoryProductIsDropped) {
  // A·¬A + B: the first product is always false; B stays and nothing of A leaks into it.
  Minimized m = Minimize(Or(And(Leaf(0), Not(Leaf(0))), Leaf(1)));
  EXPECT_EQ(m.cover.ConstantMarker(), 0);
  EXPECT_EQ(Rows(m), (std::vector<std::string>{"-1--"}));
  // B + C·¬C·D: the last product goes, its D with it.
  Minimized late = Minimize(Or(Leaf(1), And(Leaf(2), And(Not(Leaf(2)), Leaf(3)))));
  EXPECT_EQ(Rows(late), (std::vector<std::string>{"-1--"}));
  // Only contradictions: GND.
  Minimized none = Minimize(Or(And(Leaf(0), Not(Leaf(0))), And(Not(Leaf(1)), Leaf(1))));
  EXPECT_EQ(none.cover.ConstantMarker(), kMarkerZero);
}

TEST_F(ExpansionTest, VariableLimit) {
  NodeRef tree = Leaf(0);
  for (int v = 1; v < 18; ++v) tree = Xor(Leaf(v), tree);
  Minimized eighteen = Minimize(tree);
  EXPECT_EQ(diagnostics.counts().errors, 0);
  EXPECT_EQ(eighteen.cover.CountTerms(eighteen.last), 1 << 17);

  tree = Leaf(0);
  for (int v = 1; v < 19; ++v) tree = And(Leaf(v), tree);
  Minimized nineteen = Minimize(tree);
  EXPECT_EQ(diagnostics.counts().errors, 1);  // E02
  EXPECT_EQ(nineteen.cover.ConstantMarker(), kMarkerZero);
  EXPECT_EQ(pool.in_use(), 0u);  // every tree was released
}

TEST_F(ExpansionTest, TruthTableBeyondTheBudget) {
  SynthesisFixture small(kSmallNodePoolSize * sizeof(ExprNode) + 4096);
  NodeRef tree = small.Leaf(0);
  for (int v = 1; v < 12; ++v) tree = small.Xor(small.Leaf(v), tree);
  const int errors = small.diagnostics.counts().errors;
  Minimized m;
  EXPECT_FALSE(MinimizeEquation(small.context, small.pool, tree, map, true, m));
  EXPECT_EQ(small.diagnostics.counts().errors - errors, 2);  // the allocation and the cover
  EXPECT_EQ(small.pool.in_use(), 0u);
}

}  // namespace
}  // namespace kem
