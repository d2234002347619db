// RecursiveMinimize on covers: the driver of level 2, with the choice of the split variable and
// the cofactors. A cofactor no longer holds its split variable, so the recursion is at most as
// deep as the number of used variables (18).
//
// v is the split variable; the positive cofactor (v = 1) keeps the rows without v and those with
// v true, the negative one (v = 0) those without v and those with v complemented, v cleared.
//
// The recursion runs on cube lists. Each depth keeps its own lists from one visit to the next, so
// the many small covers deep in the recursion cost no allocation; the budget is charged for what
// the lists hold.
#include "tests/synthesis/cover_minimizer/recursive_minimizer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#include "synthesis/merge_cofactors.h"
#include "synthesis/step_timer.h"

namespace kem::cover_minimizer {

namespace {

constexpr std::size_t kBytesPerRow = sizeof(Cube) + 1;

// Per-column counts of the rows with a literal, taken a word at a time: the 64 columns are summed
// in 4-bit lanes (column 4 i + k in lane i of word k) and spilled before a lane can overflow.
class LiteralTally {
 public:
  void Add(Cube cube) {
    for (int k = 0; k < 4; ++k) lanes_[k] += (cube.care >> k) & kLanes;
    if (++pending_ == kRowsPerSpill) Spill();
  }
  void Spill() {
    for (int k = 0; k < 4; ++k) {
      for (int lane = 0; lane < 16; ++lane)
        counts_[4 * lane + k] += static_cast<int>((lanes_[k] >> (4 * lane)) & 15u);
      lanes_[k] = 0;
    }
    pending_ = 0;
  }
  int literals(int column) const { return counts_[static_cast<std::size_t>(column)]; }

 private:
  static constexpr std::uint64_t kLanes = 0x1111111111111111ull;
  static constexpr int kRowsPerSpill = 15;

  std::array<std::uint64_t, 4> lanes_{};
  std::array<int, kMaxCubeColumns> counts_{};
  int pending_ = 0;
};

// What one pass over a list tells: how many rows are present, which columns hold each literal,
// and whether every present row has the same literals.
struct Survey {
  std::size_t present = 0;
  std::uint64_t any_true = 0;
  std::uint64_t any_complement = 0;
  std::uint64_t care = 0;  // the columns any row has a literal in
  std::uint64_t every_care = ~std::uint64_t{0};

  void Add(Cube cube) {
    any_true |= cube.value;
    any_complement |= cube.care & ~cube.value;
    care |= cube.care;
    every_care &= cube.care;
    ++present;
  }
  bool one_mask() const { return present == 0 || care == every_care; }
};

Survey SurveyOf(const CubeList& list) {
  Survey survey;
  for (std::size_t row = 0; row < list.rows.size(); ++row) {
    if (list.present[row]) survey.Add(list.rows[row]);
  }
  return survey;
}

// The binate variable that most rows hold a literal of (the lowest on a tie), or -1 when every
// variable is unate. When every row has the same literals, all columns count alike.
int PickSplitVariable(const CubeList& list, const Survey& survey) {
  const std::uint64_t binate = survey.any_true & survey.any_complement;
  if (binate == 0) return -1;
  if (survey.one_mask()) return std::countr_zero(binate);
  LiteralTally tally;
  for (std::size_t row = 0; row < list.rows.size(); ++row) {
    if (list.present[row]) tally.Add(list.rows[row]);
  }
  tally.Spill();
  int best = -1;
  int best_sum = 0;
  for (std::uint64_t columns = binate; columns != 0; columns &= columns - 1) {
    const int v = std::countr_zero(columns);
    const int sum = tally.literals(v);
    if (sum > best_sum) {
      best = v;
      best_sum = sum;
    }
  }
  return best;
}

// True when the present rows are every minterm over the columns they use, each once. Splitting
// such a list gives two such lists, and joining their results gives the universal cube alone, so
// the recursion would end in that one row.
bool AllMinterms(const CubeList& list, const Survey& survey, std::vector<std::uint64_t>& seen) {
  const int k = std::popcount(survey.care);
  constexpr int kMaxColumnsChecked = 24;
  if (!survey.one_mask() || k == 0 || k > kMaxColumnsChecked ||
      survey.present != std::size_t{1} << k)
    return false;
  // A minterm's number: its values in the used columns, taken run by run of neighbouring columns.
  struct Run {
    int start;
    std::uint64_t mask;
    int offset;
  };
  std::array<Run, kMaxColumnsChecked> runs;
  std::size_t run_count = 0;
  int offset = 0;
  for (std::uint64_t bits = survey.care; bits != 0; ++run_count) {
    const int start = std::countr_zero(bits);
    const int length = std::countr_one(bits >> start);
    runs[run_count] = {start, (std::uint64_t{1} << length) - 1, offset};
    offset += length;
    bits &= ~(runs[run_count].mask << start);
  }
  seen.assign(std::max<std::size_t>(survey.present / 64, 1), 0);
  for (std::size_t row = 0; row < list.rows.size(); ++row) {
    if (!list.present[row]) continue;
    std::uint64_t index = 0;
    for (std::size_t r = 0; r < run_count; ++r)
      index |= ((list.rows[row].value >> runs[r].start) & runs[r].mask) << runs[r].offset;
    std::uint64_t& word = seen[index / 64];
    if ((word >> (index % 64)) & 1u) return false;
    word |= std::uint64_t{1} << (index % 64);
  }
  return true;
}

// The present rows whose v column is 0 or 1 (positive) and 0 or ¬v (negative), in order, with v
// cleared, in one pass that surveys both halves as well.
void Split(const CubeList& list, int v, CubeList& positive, Survey& positive_survey,
           CubeList& negative, Survey& negative_survey) {
  const std::uint64_t bit = std::uint64_t{1} << v;
  positive.rows.resize(list.rows.size());
  negative.rows.resize(list.rows.size());
  Cube* p = positive.rows.data();
  Cube* n = negative.rows.data();
  for (std::size_t row = 0; row < list.rows.size(); ++row) {
    if (!list.present[row]) continue;
    const Cube cube = list.rows[row];
    const Cube cleared{cube.care & ~bit, cube.value & ~bit};
    if ((cube.care & bit) == 0 || (cube.value & bit) != 0) {
      *p++ = cleared;
      positive_survey.Add(cleared);
    }
    if ((cube.care & bit) == 0 || (cube.value & bit) == 0) {
      *n++ = cleared;
      negative_survey.Add(cleared);
    }
  }
  positive.rows.resize(static_cast<std::size_t>(p - positive.rows.data()));
  negative.rows.resize(static_cast<std::size_t>(n - negative.rows.data()));
  positive.present.assign(positive.rows.size(), 1);
  negative.present.assign(negative.rows.size(), 1);
}

enum class Outcome { kFailed, kKept, kReplaced };

class Recursion {
 public:
  // Lists are referred to across the recursion, so the levels never move: one per column and the
  // caller's.
  explicit Recursion(SynthesisContext& context) : context_(context) {
    levels_.reserve(kMaxCubeColumns + 2);
  }

  // Charges the budget for a list of `rows` rows at depth `depth` (0 is the caller's cover).
  bool Hold(std::size_t depth, std::size_t rows) {
    if (depth >= levels_.size()) levels_.resize(depth + 1);
    Level& level = levels_[depth];
    const std::size_t bytes = rows * kBytesPerRow;
    if (level.charge.GrowTo(context_.budget, context_.diagnostics, bytes)) return true;
    context_.ReportOutOfMemory();
    return false;
  }

  // Minimizes the list in place: either its rows stay and some lose their slots (kKept), or it
  // is replaced by the merged list (kReplaced).
  Outcome Minimize(std::size_t depth, CubeList& list, const Survey& survey) {
    context_.progress.Tick();
    if (AllMinterms(list, survey, seen_)) {
      list.Clear();
      list.Append(Cube{});
      return Outcome::kReplaced;
    }
    const int v = PickSplitVariable(list, survey);
    if (v < 0) {
      RemoveContained(list);
      return Outcome::kKept;
    }
    // Both cofactors and the merged list at this depth: at most twice the rows each.
    if (!Hold(depth + 1, 4 * list.rows.size())) return Outcome::kFailed;
    Level& level = levels_[depth + 1];
    Survey positive;
    Survey negative;
    Split(list, v, level.positive, positive, level.negative, negative);
    if (Minimize(depth + 1, level.positive, positive) == Outcome::kFailed) return Outcome::kFailed;
    if (Minimize(depth + 1, level.negative, negative) == Outcome::kFailed) return Outcome::kFailed;
    {
      const TimedStep timed(context_.step_timer, MinimizerStep::kCofactorMerge);
      kem::MergeCofactors(level.positive, level.negative, v, level.merged, scratch_);
    }
    if (level.merged.last() > list.last()) return Outcome::kKept;
    std::swap(list, level.merged);
    return Outcome::kReplaced;
  }

 private:
  struct Level {
    CubeList positive;
    CubeList negative;
    CubeList merged;
    BudgetCharge charge;
  };

  SynthesisContext& context_;
  std::vector<Level> levels_;
  CubeStepScratch scratch_;
  std::vector<std::uint64_t> seen_;
};

}  // namespace

int RecursiveMinimize(SynthesisContext& context, Cover& cover, int last) {
  if (last < 0) return last;
  Recursion recursion(context);
  if (!recursion.Hold(0, static_cast<std::size_t>(last) + 1)) return -1;
  CubeList list;
  ReadCubes(cover, last, list);
  switch (recursion.Minimize(0, list, SurveyOf(list))) {
    case Outcome::kFailed:
      return -1;
    case Outcome::kKept:
      for (int row = 0; row <= last; ++row) {
        if (!list.present[static_cast<std::size_t>(row)]) cover.Unbind(row);
      }
      return last;
    case Outcome::kReplaced:
      break;
  }
  Cover merged;
  if (!merged.Allocate(context, std::max(list.last() + 1, 1), 0, cover.variables())) return -1;
  for (int row = 0; row <= list.last(); ++row) {
    merged.Bind(row);
    WriteCube(list.rows[static_cast<std::size_t>(row)], merged, row);
  }
  cover = std::move(merged);
  return list.last();
}

}  // namespace kem::cover_minimizer
