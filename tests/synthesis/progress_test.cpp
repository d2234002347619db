// Progress and step timing of the minimizer, as a user and a benchmark see them: long work moves
// the log's marker, and each step that ran is timed.
#include <gtest/gtest.h>

#include "common/progress.h"
#include "synthesis/minimizer.h"
#include "synthesis/step_timer.h"
#include "tests/support/counting_log.h"
#include "tests/support/tree_builder.h"

namespace kem {
namespace {

using testing_support::CountingLog;
using testing_support::SynthesisFixture;

using testing_support::kVariables;

// (A·B·C + ¬A·¬D·E) xor F: primes of different sizes, so every step of both levels has work, and
// no sum of products, so level 0 builds the truth table too.
NodeRef MixedFunction(SynthesisFixture& f) {
  return f.Xor(f.Or(f.And(f.And(f.Leaf(0), f.Leaf(1)), f.Leaf(2)),
                    f.And(f.And(f.Not(f.Leaf(0)), f.Not(f.Leaf(3))), f.Leaf(4))),
               f.Leaf(5));
}

bool Minimize(SynthesisFixture& f, int level, NodeRef tree) {
  f.context.level = level;
  Minimized m;
  return MinimizeEquation(f.context, f.pool, tree, {f.first, kVariables}, true, m);
}

TEST(MinimizerProgress, EveryLevelTicks) {
  for (int level : {kLevelNone, kLevelExact, kLevelRecursive}) {
    SCOPED_TRACE(level);
    SynthesisFixture f;
    ASSERT_TRUE(Minimize(f, level, f.Parity(12)));
    EXPECT_GT(f.progress.ticks(), 0);
  }
}

class LongMinimization : public testing::TestWithParam<int> {};

TEST_P(LongMinimization, MovesTheMarker) {
  SynthesisFixture f;
  CountingLog log;
  ThrottledProgress every_read(log, ThrottledProgress::Clock::duration::zero());
  SynthesisContext context(f.budget, f.diagnostics, log, every_read);
  context.level = GetParam();
  Minimized m;
  ASSERT_TRUE(MinimizeEquation(context, f.pool, f.Parity(12), {f.first, kVariables}, true, m));
  EXPECT_GE(log.moves, 2);
  EXPECT_EQ(log.model.lines(),
            std::vector<std::string>{std::string(ProgressMarkerText(log.moves - 1))});
}

INSTANTIATE_TEST_SUITE_P(Levels, LongMinimization, testing::Values(kLevelExact, kLevelRecursive));

TEST(MinimizerSteps, EachLevelTimesItsOwnSteps) {
  const struct {
    int level;
    bool merge_passes, cover_selection, cofactor_merge;
  } cases[] = {
      {kLevelNone, false, false, false},
      {kLevelExact, true, true, false},
      {kLevelRecursive, false, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.level);
    SynthesisFixture f;
    StepTotals totals;
    f.context.step_timer = &totals;
    ASSERT_TRUE(Minimize(f, c.level, MixedFunction(f)));
    EXPECT_EQ(totals.runs(MinimizerStep::kTruthTable), 1);
    EXPECT_GE(totals.runs(MinimizerStep::kMintermCovers), 1);
    EXPECT_EQ(totals.runs(MinimizerStep::kLevel) > 0, c.level != kLevelNone);
    EXPECT_EQ(totals.runs(MinimizerStep::kMergePasses) > 0, c.merge_passes);
    EXPECT_EQ(totals.runs(MinimizerStep::kCoverSelection) > 0, c.cover_selection);
    EXPECT_EQ(totals.runs(MinimizerStep::kCofactorMerge) > 0, c.cofactor_merge);
    // The level's minimization holds its steps.
    EXPECT_GE(totals.seconds(MinimizerStep::kLevel),
              totals.seconds(MinimizerStep::kMergePasses) +
                  totals.seconds(MinimizerStep::kCoverSelection) +
                  totals.seconds(MinimizerStep::kCofactorMerge));
  }
}

}  // namespace
}  // namespace kem
