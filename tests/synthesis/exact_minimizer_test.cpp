#include "synthesis/exact_minimizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/cover_text.h"
#include "tests/support/tree_builder.h"

namespace kem {
namespace {

using testing_support::CoverOf;
using testing_support::RowsText;
using testing_support::RowText;
using testing_support::SynthesisFixture;
using Rows = std::vector<std::string>;

// The tag fields n..n+tags-1 of a row as digits.
std::string Tags(const Cover& cover, int row, int tags) {
  std::string text;
  for (int t = 0; t < tags; ++t)
    text += static_cast<char>('0' + cover.RawGet(row, cover.variables() + t));
  return text;
}

// The variable count decides whether the tags share a word with the variables (4), start in a
// word of their own (16) or cross a word boundary (30).
class ExactMinimizerTest : public testing::TestWithParam<int>, public SynthesisFixture {
 protected:
  int n() const { return GetParam(); }

  // The minterms of V variables with one tag each and the first pass's spare rows.
  Cover Minterms(const Rows& minterms) {
    const int v = static_cast<int>(minterms[0].size());
    const int spare = v * (1 << (v - 1));
    return CoverOf(context, minterms, n(), static_cast<int>(minterms.size()), spare);
  }
  Rows Terms(const Cover& cover, int last, int variables) {
    return RowsText(cover, last, variables, [&](int row) { return IsExactRow(cover, row); });
  }
};

TEST_P(ExactMinimizerTest, FirstPassCombinesAndTags) {
  Cover cover = Minterms({"000", "001", "011"});
  EXPECT_EQ(MergePass(context, cover, 2, 0, 2, true), 2);
  // b = 0 meets p = 1, then b = 1 meets p = 2; every input row took part and is deleted.
  EXPECT_EQ(Terms(cover, 4, 3), (Rows{"00-", "0-1"}));
  EXPECT_EQ(Tags(cover, 3, 3), "110");
  EXPECT_EQ(Tags(cover, 4, 3), "011");
  EXPECT_TRUE(cover.present(0));  // row 0 loses its literals, not its slot
  EXPECT_FALSE(cover.present(1));
  EXPECT_FALSE(cover.present(2));
}

TEST_P(ExactMinimizerTest, FirstPassTagsTheRowsThatStay) {
  Cover cover = Minterms({"000", "011", "111"});
  EXPECT_EQ(MergePass(context, cover, 2, 0, 2, true), 1);
  EXPECT_EQ(Terms(cover, 3, 3), (Rows{"000", "-11"}));
  EXPECT_EQ(Tags(cover, 0, 3), "100");
  EXPECT_EQ(Tags(cover, 3, 3), "011");
}

TEST_P(ExactMinimizerTest, CombinationWithoutLiteralsMarksTheTautology) {
  Cover cover = Minterms({"1", "0"});
  EXPECT_EQ(MergePass(context, cover, 1, 0, 1, true), 1);
  EXPECT_FALSE(cover.present(2));
  EXPECT_EQ(cover.ConstantMarker(), kMarkerOne);
}

TEST_P(ExactMinimizerTest, PrimesComeMostLiteralsFirstAndEssentialsTakeTheirMinterms) {
  // ¬A¬B¬C¬D stays a minterm, ¬A·C·D comes from the first pass, A·B from the second; B·C·D is
  // prime but its minterms are taken by essential rows (tag 2) and it is deleted.
  Cover cover = Minterms({"0000", "0011", "0111", "1100", "1101", "1110", "1111"});
  const int last = ExactMinimize(context, cover, 6, 4);
  EXPECT_EQ(last, 3);
  EXPECT_EQ(Terms(cover, last, 4), (Rows{"0000", "0-11", "11--"}));
  EXPECT_EQ(RowText(cover, 2, 4), "-111");
  EXPECT_FALSE(cover.present(2));
  EXPECT_EQ(Tags(cover, 2, 7), "0020002");
  EXPECT_EQ(Tags(cover, 3, 7), "0001111");  // a chosen row keeps its 1s
}

TEST_P(ExactMinimizerTest, CyclicCoverIsChosenGreedilyLowestRowFirst) {
  // m(0,1,2,5,6,7): six primes of two minterms each, none essential.
  Cover cover = Minterms({"000", "001", "010", "101", "110", "111"});
  const int last = ExactMinimize(context, cover, 5, 3);
  ASSERT_EQ(last, 5);
  EXPECT_EQ(Terms(cover, last, 3), (Rows{"00-", "-10", "1-1"}));
  // What a chosen row covers becomes 3 in the rows not chosen.
  EXPECT_EQ(RowText(cover, 1, 3), "0-0");
  EXPECT_EQ(Tags(cover, 1, 6), "303000");
  EXPECT_EQ(Tags(cover, 2, 6), "030300");
  EXPECT_EQ(Tags(cover, 5, 6), "000033");
  EXPECT_EQ(Tags(cover, 3, 6), "001010");
}

TEST_P(ExactMinimizerTest, SingleMintermIsReturnedUnchanged) {
  for (const Rows& minterm : {Rows{"1"}, Rows{"101"}}) {
    Cover cover = Minterms(minterm);
    const std::uint32_t* block = cover.Row(0);
    EXPECT_EQ(ExactMinimize(context, cover, 0, static_cast<int>(minterm[0].size())), 0);
    EXPECT_EQ(cover.Row(0), block);  // not compacted
    EXPECT_EQ(RowText(cover, 0, 3).substr(0, minterm[0].size()), minterm[0]);
    EXPECT_EQ(Tags(cover, 0, 1), "0");  // no pass tagged it
  }
}

TEST_P(ExactMinimizerTest, OfTwoEqualRowsTheLaterStays) {
  Cover cover = Minterms({"01", "01"});
  const int last = ExactMinimize(context, cover, 1, 2);
  EXPECT_EQ(last, 1);
  EXPECT_EQ(Terms(cover, last, 2), (Rows{"01"}));
  EXPECT_FALSE(IsExactRow(cover, 0));
  EXPECT_TRUE(cover.present(1));
}

TEST_P(ExactMinimizerTest, CompactionKeepsOrderAndMakesRoom) {
  Cover cover = CoverOf(context, {"1-", "-1", "01", "11"}, n(), 4);
  cover.DeleteRow(0);
  cover.Unbind(2);
  EXPECT_EQ(CompactCover(context, cover, 3, 5, 4), 1);
  EXPECT_EQ(cover.capacity(), 7);
  EXPECT_EQ(Terms(cover, 6, 2), (Rows{"-1", "11"}));
}

INSTANTIATE_TEST_SUITE_P(Widths, ExactMinimizerTest, testing::Values(4, 16, 30));

TEST(ExactMinimizerBudget, MergePassWithoutMemoryReportsAndFails) {
  // Room for the node pool and the 6 rows of 2 words, not for the pass's partner list.
  SynthesisFixture f(kSmallNodePoolSize * sizeof(ExprNode) + 6 * 2 * 4 + 4);
  Cover cover = CoverOf(f.context, {"00", "01"}, 2, 2, 4);
  ASSERT_TRUE(cover.allocated());
  const int errors = f.diagnostics.counts().errors;
  EXPECT_EQ(ExactMinimize(f.context, cover, 1, 2), -1);
  EXPECT_EQ(f.diagnostics.counts().errors - errors, 1);  // E01 from the allocation
}

}  // namespace
}  // namespace kem
