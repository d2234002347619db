#include "synthesis/exact_minimize.h"

#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

#include "synthesis/row_sets.h"
#include "tests/support/cover_text.h"
#include "tests/support/tree_builder.h"
#include "tests/synthesis/cover_minimizer/exact_minimizer.h"

namespace kem {
namespace {

using cover_minimizer::ExactMinimize;
using testing_support::CoverOf;
using testing_support::RowsText;
using testing_support::RowText;
using testing_support::SynthesisFixture;
using Rows = std::vector<std::string>;

// Cubes over v signals as text, signal 0 first: "1" true, "0" complemented, "-" free.
CubeKey CubeOf(const std::string& text) {
  const int v = static_cast<int>(text.size());
  std::uint32_t mask = 0;
  std::uint32_t value = 0;
  for (int j = 0; j < v; ++j) {
    const std::uint32_t bit = 1u << (v - 1 - j);
    if (text[static_cast<std::size_t>(j)] == '-') continue;
    mask |= bit;
    if (text[static_cast<std::size_t>(j)] == '1') value |= bit;
  }
  return MakeCube(mask, value);
}

std::string TextOf(CubeKey cube, int v) {
  std::string text;
  for (int j = 0; j < v; ++j) {
    const std::uint32_t bit = 1u << (v - 1 - j);
    text += (CubeMask(cube) & bit) == 0 ? '-' : (CubeValue(cube) & bit) != 0 ? '1' : '0';
  }
  return text;
}

// The variable count decides whether the literals share a word with nothing (4), fill one (16)
// or cross a word boundary (30).
class ExactMinimizerTest : public testing::TestWithParam<int>, public SynthesisFixture {
 protected:
  int n() const { return GetParam(); }

  // Minimizes the minterms (in table order) and returns the terms.
  Rows Minimize(const Rows& minterms) {
    Cover cover = CoverOf(context, minterms, n());
    last = ExactMinimize(context, cover, static_cast<int>(minterms.size()) - 1,
                         static_cast<int>(minterms[0].size()));
    marker = cover.ConstantMarker();
    return RowsText(cover, last, static_cast<int>(minterms[0].size()),
                    [&](int row) { return cover.IsTerm(row); });
  }

  // The primes of the function that the minterms make, in their order.
  Rows Primes(const Rows& minterms) {
    const int v = static_cast<int>(minterms[0].size());
    BudgetedArray<std::uint64_t> rows;
    EXPECT_TRUE(rows.AllocZeroed(budget, diagnostics, RowSetWords(v)));
    for (const std::string& m : minterms) {
      const std::uint32_t x = CubeValue(CubeOf(m));
      rows[x / 64] |= std::uint64_t{1} << (x % 64);
    }
    BudgetedVector<CubeKey> primes;
    EXPECT_TRUE(PrimeImplicants(context, v, rows, primes));
    Rows text;
    for (CubeKey p : primes) text.push_back(TextOf(p, v));
    return text;
  }

  int last = 0;
  int marker = 0;
};

TEST_P(ExactMinimizerTest, CombinedCubesComeInTheOrderOfTheirPairs) {
  // 000 meets 001 first, then 001 meets 011.
  EXPECT_EQ(Primes({"000", "001", "011"}), (Rows{"00-", "0-1"}));
  EXPECT_EQ(Minimize({"000", "001", "011"}), (Rows{"00-", "0-1"}));
}

TEST_P(ExactMinimizerTest, MintermsThatCombineWithNoneComeFirst) {
  EXPECT_EQ(Primes({"000", "011", "111"}), (Rows{"000", "-11"}));
  EXPECT_EQ(Minimize({"000", "011", "111"}), (Rows{"000", "-11"}));
}

TEST_P(ExactMinimizerTest, EveryAssignmentIsTheTautology) {
  for (const Rows& all : {Rows{"0", "1"}, Rows{"00", "01", "10", "11"}}) {
    Minimize(all);
    EXPECT_EQ(marker, kMarkerOne);
    EXPECT_EQ(last, 0);
  }
}

TEST_P(ExactMinimizerTest, PrimesComeMostLiteralsFirstAndEssentialsTakeTheirMinterms) {
  // ¬A¬B¬C¬D stays a minterm, ¬A·C·D and B·C·D have three literals, A·B two; B·C·D is prime but
  // the essential primes cover its minterms, so it is not chosen.
  const Rows minterms = {"0000", "0011", "0111", "1100", "1101", "1110", "1111"};
  EXPECT_EQ(Primes(minterms), (Rows{"0000", "0-11", "-111", "11--"}));
  EXPECT_EQ(Minimize(minterms), (Rows{"0000", "0-11", "11--"}));
  EXPECT_EQ(last, 2);
}

TEST_P(ExactMinimizerTest, CubesOfAsManyLiteralsByFirstMintermThenLowestFreeSignal) {
  // Both primes start at minterm 0000. ¬B¬C is made first: its pair of halves ¬B¬C¬D, ¬B¬C·D
  // comes before ¬A¬B¬D, ¬A·B¬D, since 000- was made before 00-0 in the pass before.
  const Rows minterms = {"0000", "0001", "0010", "0100", "0110", "1000", "1001"};
  EXPECT_EQ(Primes(minterms), (Rows{"-00-", "0--0"}));
  EXPECT_EQ(Minimize(minterms), (Rows{"-00-", "0--0"}));
}

TEST_P(ExactMinimizerTest, CyclicCoverIsChosenGreedilyEarliestFirst) {
  // m(0,1,2,5,6,7): six primes of two minterms each, none essential. 00- is taken first; then
  // the others that cover two uncovered minterms in order.
  const Rows minterms = {"000", "001", "010", "101", "110", "111"};
  EXPECT_EQ(Primes(minterms), (Rows{"00-", "0-0", "-01", "-10", "1-1", "11-"}));
  EXPECT_EQ(Minimize(minterms), (Rows{"00-", "-10", "1-1"}));
}

TEST_P(ExactMinimizerTest, SingleMintermIsReturnedUnchanged) {
  for (const Rows& minterm : {Rows{"1"}, Rows{"101"}}) {
    EXPECT_EQ(Minimize(minterm), minterm);
    EXPECT_EQ(last, 0);
  }
}

TEST_P(ExactMinimizerTest, RepeatedMintermsGiveOneTerm) {
  EXPECT_EQ(Minimize({"01", "01"}), (Rows{"01"}));
}

INSTANTIATE_TEST_SUITE_P(Widths, ExactMinimizerTest, testing::Values(4, 16, 30));

// The greedy step on primes given directly: counts fall as primes are chosen, and a prime whose
// count has fallen loses to one that kept its count.
TEST(SelectCoverTest, CountsAreThoseOfTheMintermsStillUncovered) {
  SynthesisFixture f;
  // Primes of the function that is 1 everywhere but the constant is not asked for here.
  BudgetedVector<CubeKey> primes;
  for (const char* p : {"0--", "-0-", "--0", "1-1", "11-"}) primes.PushBack(f.context, CubeOf(p));
  BudgetedVector<int> chosen;
  ASSERT_TRUE(SelectCover(f.context, 3, primes, chosen));
  // 011 lies in 0-- only, so 0-- is essential. The others then cover two of 100..111 each and
  // -0- is the earliest; after it 11- still covers two, --0 and 1-1 one each.
  std::vector<int> positions(chosen.begin(), chosen.end());
  EXPECT_EQ(positions, (std::vector<int>{0, 1, 4}));
}

TEST(ExactMinimizerBudget, RunningOutOfMemoryReportsOnceAndGivesEverythingBack) {
  // Room for the node pool and the cover of 6 minterms, not for the truth table of the primes.
  SynthesisFixture f(kSmallNodePoolSize * sizeof(ExprNode) + 6 * 2 * 4 + 4);
  Cover cover = CoverOf(f.context, {"00", "01", "10"}, 2, 0, 3);
  ASSERT_TRUE(cover.allocated());
  const std::size_t held = f.budget.in_use();
  const int errors = f.diagnostics.counts().errors;
  EXPECT_EQ(ExactMinimize(f.context, cover, 2, 2), -1);
  EXPECT_EQ(f.diagnostics.counts().errors - errors, 1);  // E01 from the allocation
  EXPECT_EQ(f.budget.in_use(), held);
}

TEST(ExactMinimizerBudget, PrimesBeyondTheBudgetFail) {
  // The odd minterms of 16 signals are 32768 primes; 64 KiB beside the cover cannot hold them.
  const int v = 16;
  const std::size_t pool = kNodePoolSize * sizeof(ExprNode);
  const std::size_t cover_bytes = (1u << (v - 1)) * (WordsFor(v) + 1) * 4u;
  for (const std::size_t room : {std::size_t{64} << 10, std::size_t{64} << 20}) {
    SynthesisFixture f(pool + cover_bytes + room);
    Cover cover;
    ASSERT_TRUE(cover.Allocate(f.context, 1 << (v - 1), 0, v));
    int row = 0;
    for (unsigned x = 0; x < (1u << v); ++x) {
      if (std::popcount(x) % 2 == 0) continue;
      cover.Bind(row);
      for (int j = 0; j < v; ++j)
        cover.FieldSet(row, j, ((x >> (v - 1 - j)) & 1u) != 0 ? kCodeTrue : kCodeComplement);
      ++row;
    }
    const int last = ExactMinimize(f.context, cover, row - 1, v);
    if (room < cover_bytes) {
      EXPECT_EQ(last, -1);
      EXPECT_EQ(f.diagnostics.counts().errors, 1);
    } else {
      EXPECT_EQ(last, row - 1);
      EXPECT_EQ(f.diagnostics.counts().errors, 0);
    }
    EXPECT_EQ(f.budget.in_use(), f.budget.limit() - room);
  }
}

}  // namespace
}  // namespace kem
