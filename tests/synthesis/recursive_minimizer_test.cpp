#include "tests/synthesis/cover_minimizer/recursive_minimizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/cover_text.h"
#include "tests/support/tree_builder.h"

namespace kem {
namespace {

using cover_minimizer::CompareCubes;
using cover_minimizer::CubeRelation;
using cover_minimizer::MergeCofactors;
using cover_minimizer::RecursiveMinimize;
using cover_minimizer::RemoveContained;
using testing_support::CoverOf;
using testing_support::RowsText;
using testing_support::SynthesisFixture;
using Rows = std::vector<std::string>;

Rows Present(const Cover& cover, int last, int variables) {
  return RowsText(cover, last, variables, [&](int row) { return cover.present(row); });
}

struct Comparison {
  const char* a;
  const char* b;
  int relation;
  bool equal;
};

class CompareCubesTest : public testing::TestWithParam<Comparison>, public SynthesisFixture {};

TEST_P(CompareCubesTest, Relation) {
  const Comparison& c = GetParam();
  const Cover cover = CoverOf(context, {c.a, c.b}, 20);
  const CubeRelation r = CompareCubes(cover, 0, cover, 1);
  EXPECT_EQ(r.relation, c.relation);
  EXPECT_EQ(r.equal, c.equal);
}

INSTANTIATE_TEST_SUITE_P(
    Cubes, CompareCubesTest,
    testing::Values(Comparison{"1-", "11", 1, false}, Comparison{"11", "1-", 2, false},
                    Comparison{"1-0", "110", 1, false}, Comparison{"10", "11", 0, false},
                    Comparison{"1-", "-1", 0, false}, Comparison{"0--", "1--", 0, false},
                    Comparison{"01", "01", 1, true}, Comparison{"--", "--", 1, true},
                    // Variables 16 and 17 lie in the second word.
                    Comparison{"----------------1-", "----------------10", 1, false},
                    Comparison{"1---------------11", "1---------------1-", 2, false},
                    Comparison{"0---------------1-", "----------------0-", 0, false}));

class RecursiveMinimizerTest : public testing::Test, public SynthesisFixture {};

TEST_F(RecursiveMinimizerTest, AbsentRowsAreUnrelated) {
  Cover cover = CoverOf(context, {"1-", "1-"}, 2);
  cover.Unbind(1);
  EXPECT_EQ(CompareCubes(cover, 0, cover, 1).relation, 0);
}

TEST_F(RecursiveMinimizerTest, RemoveContainedKeepsTheFirstOfEqualRows) {
  Cover cover = CoverOf(context, {"1--", "11-", "-1-", "1--"}, 3);
  RemoveContained(cover, 3);
  EXPECT_EQ(Present(cover, 3, 3), (Rows{"1--", "-1-"}));
  EXPECT_TRUE(cover.present(0));
  // A later row that contains row 0 clears row 0's slot.
  Cover later = CoverOf(context, {"11-", "1--"}, 3);
  RemoveContained(later, 1);
  EXPECT_FALSE(later.present(0));
  EXPECT_EQ(Present(later, 1, 3), (Rows{"1--"}));
}

TEST_F(RecursiveMinimizerTest, MergeMovesContainedCubesUpWithoutTheVariable) {
  // Split on variable 0: equal rows go up once, a C0 row that a C1 row contains goes up, the
  // rest get the variable's literal, C1's before C0's.
  Cover positive = CoverOf(context, {"-1-", "--1"}, 3);
  Cover negative = CoverOf(context, {"-1-", "-11"}, 3);
  Cover merged;
  int last = -1;
  ASSERT_TRUE(MergeCofactors(context, positive, 1, negative, 1, 0, merged, last));
  EXPECT_EQ(last, 2);
  EXPECT_EQ(Present(merged, last, 3), (Rows{"-1-", "-11", "1-1"}));

  Cover p2 = CoverOf(context, {"11-"}, 3);
  Cover n2 = CoverOf(context, {"1--"}, 3);
  ASSERT_TRUE(MergeCofactors(context, p2, 0, n2, 0, 2, merged, last));
  EXPECT_EQ(Present(merged, last, 3), (Rows{"11-", "1-0"}));
}

TEST_F(RecursiveMinimizerTest, RowZeroWithoutLiteralsIsTheUniversalCube) {
  // The universal cube in row 0 takes in every other row; at level 1 it would be no row at all.
  Cover cover = CoverOf(context, {"---", "11-", "01-"}, 3);
  EXPECT_EQ(RecursiveMinimize(context, cover, 2), 0);
  EXPECT_EQ(Present(cover, 0, 3), (Rows{"---"}));
}

TEST_F(RecursiveMinimizerTest, SplitsOnTheMostBinateVariable) {
  // A·B + D as minterms over A, B, C, D: every variable is binate with five literals; A (the
  // lowest) is split first, and D comes out before A·B.
  Cover cover = CoverOf(context, {"00-1", "01-1", "10-1", "11-0", "11-1"}, 4);
  const int last = RecursiveMinimize(context, cover, 4);
  EXPECT_EQ(last, 1);
  EXPECT_EQ(Present(cover, last, 4), (Rows{"---1", "11--"}));
}

TEST_F(RecursiveMinimizerTest, KeepsTheOldCoverWhenTheMergedOneIsNotSmaller) {
  // Split on A, the halves merge into four rows, more than the three it started with.
  Cover cover = CoverOf(context, {"00-", "1-1", "-10"}, 3);
  EXPECT_EQ(RecursiveMinimize(context, cover, 2), 2);
  EXPECT_EQ(Present(cover, 2, 3), (Rows{"00-", "1-1", "-10"}));
}

TEST_F(RecursiveMinimizerTest, UnateCoverOnlyLosesContainedRows) {
  Cover cover = CoverOf(context, {"1-0", "1--", "--0"}, 3);
  EXPECT_EQ(RecursiveMinimize(context, cover, 2), 2);
  EXPECT_EQ(Present(cover, 2, 3), (Rows{"1--", "--0"}));
}

TEST(RecursiveMinimizerBudget, CofactorWithoutMemoryReportsTwiceAndFails) {
  // Room for the node pool and the cover of 4 rows of 2 words, not for a cofactor.
  SynthesisFixture f(kSmallNodePoolSize * sizeof(ExprNode) + 4 * 2 * 4 + 8);
  Cover cover = CoverOf(f.context, {"00", "01", "10", "11"}, 2);
  ASSERT_TRUE(cover.allocated());
  const int errors = f.diagnostics.counts().errors;
  EXPECT_EQ(RecursiveMinimize(f.context, cover, 3), -1);
  EXPECT_EQ(f.diagnostics.counts().errors - errors, 2);  // the allocation and the cover
}

}  // namespace
}  // namespace kem
