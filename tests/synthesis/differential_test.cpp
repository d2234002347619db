// The minimizer against the reference implementation, on thousands of seeded functions of up to 12
// signals: random ones of every density, parity, carries, decoders and sums of a few products.
#include <gtest/gtest.h>

#include <random>

#include "synthesis/synthesis_context.h"
#include "tests/support/round_count.h"
#include "tests/synthesis/differential.h"

namespace kem {
namespace {

using testing_support::DifferentialRun;
using testing_support::kTableKinds;
using testing_support::MatchesReference;
using testing_support::MixedTable;
using testing_support::RoundCount;

// The reference holds a spare row per possible cube and a tag per minterm; past this it gives up
// and the result is checked as a function instead.
constexpr std::size_t kReferenceBudget = std::size_t{48} << 20;

int VariablesFor(std::mt19937& random, int v) {
  static constexpr int kWidths[] = {16, 24, 41};
  return std::max(v, kWidths[std::uniform_int_distribution<int>(0, 2)(random)]);
}

class DifferentialTest : public testing::TestWithParam<int> {};

TEST_P(DifferentialTest, SmallFunctions) {
  const int level = GetParam();
  std::mt19937 random(4099 + level);
  for (int round = 0; round < RoundCount(2400); ++round) {
    const int v = 1 + round % 10;
    const int kind = round / 10 % kTableKinds;
    const auto table = MixedTable(random, kind, v, VariablesFor(random, v));
    ASSERT_TRUE(MatchesReference(level, table, round % 5 != 2, kReferenceBudget)) << round;
  }
}

TEST_P(DifferentialTest, ElevenAndTwelveInputs) {
  const int level = GetParam();
  std::mt19937 random(8191 + level);
  int finished = 0;
  for (int round = 0; round < 60; ++round) {
    const int v = 11 + round % 2;
    const auto table = MixedTable(random, round / 2 % kTableKinds, v, VariablesFor(random, v));
    DifferentialRun run;
    ASSERT_TRUE(MatchesReference(level, table, round % 4 != 1, kReferenceBudget, &run)) << round;
    finished += run.reference_finished ? 1 : 0;
  }
  // A good part of them are compared term by term.
  EXPECT_GE(finished, 20);
}

INSTANTIATE_TEST_SUITE_P(Levels, DifferentialTest, testing::Values(kLevelExact, kLevelRecursive));

}  // namespace
}  // namespace kem
