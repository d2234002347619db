// The minimizer against the reference implementation on functions of 13 and 14 signals. The
// reference gives up on most of them; those results are checked as functions.
#include <gtest/gtest.h>

#include <random>

#include "synthesis/synthesis_context.h"
#include "tests/synthesis/differential.h"

namespace kem {
namespace {

using testing_support::kTableKinds;
using testing_support::MatchesReference;
using testing_support::MixedTable;

constexpr std::size_t kReferenceBudget = std::size_t{96} << 20;

class DifferentialLongTest : public testing::TestWithParam<int> {};

TEST_P(DifferentialLongTest, ThirteenAndFourteenInputs) {
  const int level = GetParam();
  std::mt19937 random(131071 + level);
  for (int round = 0; round < 240; ++round) {
    const int v = 13 + round % 2;
    const int n = round % 3 == 0 ? 41 : 24;
    const auto table = MixedTable(random, round / 2 % kTableKinds, v, n);
    ASSERT_TRUE(MatchesReference(level, table, round % 4 != 1, kReferenceBudget)) << round;
  }
}

INSTANTIATE_TEST_SUITE_P(Levels, DifferentialLongTest,
                         testing::Values(kLevelExact, kLevelRecursive));

}  // namespace
}  // namespace kem
