// Level 3 on seeded random functions whose minimum is at most 16 terms: each an OR of 1 to 16
// random products over V signals. For every function the three levels run on its truth table;
// the table gives, per range of V, how often level 3 proved its cover minimal, its slowest and
// mean time, the share of functions level 3 fits in 8 terms where level 2 does not, and the mean
// terms of levels 1, 2 and 3 over the functions whose minimum was proven.
//   kem_minimal_bench [FUNCTIONS_6_TO_12 [FUNCTIONS_13_TO_18]]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "common/progress.h"
#include "synthesis/exact_minimize.h"
#include "synthesis/minimal_minimize.h"
#include "synthesis/recursive_minimize.h"
#include "synthesis/row_sets.h"

namespace kem::bench {
namespace {

class NoProgress final : public Progress {
 public:
  void Tick() override {}
};

class NoLog final : public MessageLog {
 public:
  void AppendLogLine(std::string_view, bool) override {}
  void AdvanceProgressMarker() override {}
};

struct Range {
  int from;
  int to;
  int functions;
  int proven = 0;
  int fits_only_at_3 = 0;  // level 3 within 8 terms, level 2 not
  double slowest = 0;
  double seconds = 0;
  long terms[4] = {0, 0, 0, 0};  // levels 1, 2, 3 and the proven minimum, over proven functions
};

// An OR of `products` random products over v signals, as a row set.
std::vector<std::uint64_t> RandomFunction(std::mt19937& random, int v, int products) {
  std::vector<std::uint64_t> rows(RowSetWords(v), 0);
  for (int p = 0; p < products; ++p) {
    const int literals = std::uniform_int_distribution<int>(2, v - 2)(random);
    std::uint32_t mask = 0;
    while (std::popcount(mask) < literals)
      mask |= 1u << std::uniform_int_distribution<int>(0, v - 1)(random);
    const std::uint32_t value = static_cast<std::uint32_t>(random()) & mask;
    ForEachCubeWord(MakeCube(mask, value), v,
                    [&](std::size_t w, std::uint64_t pattern) { rows[w] |= pattern; });
  }
  return rows;
}

int Terms(const Cover& cover, int last) {
  return cover.ConstantMarker() != 0 ? 0 : cover.CountTerms(last);
}

void Run(Range& range, std::mt19937& random) {
  AllocationBudget budget(kDefaultMemoryBudget);
  Diagnostics diagnostics;
  NoLog log;
  NoProgress progress;
  SynthesisContext context(budget, diagnostics, log, progress);
  for (int f = 0; f < range.functions; ++f) {
    const int v = range.from + f % (range.to - range.from + 1);
    const int products = std::uniform_int_distribution<int>(1, 16)(random);
    const std::vector<std::uint64_t> function = RandomFunction(random, v, products);
    BudgetedArray<std::uint64_t> rows;
    rows.AllocZeroed(budget, diagnostics, function.size());
    std::copy(function.begin(), function.end(), rows.data());
    std::vector<int> columns;
    for (int c = 0; c < v; ++c) columns.push_back(c);

    Cover exact;
    Cover recursive;
    Cover minimal;
    const int terms1 = Terms(exact, ExactMinimize(context, rows, columns, v, exact));
    const int terms2 = Terms(recursive, RecursiveMinimize(context, rows, columns, v, recursive));
    MinimalOutcome outcome;
    const auto start = std::chrono::steady_clock::now();
    const int last = MinimalMinimize(context, rows, columns, v, minimal, kNoTermLimit, outcome);
    const double spent =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const int terms3 = Terms(minimal, last);
    range.seconds += spent;
    range.slowest = std::max(range.slowest, spent);
    if (terms3 <= 8 && terms2 > 8) ++range.fits_only_at_3;
    if (!outcome.minimum) continue;
    ++range.proven;
    range.terms[0] += terms1;
    range.terms[1] += terms2;
    range.terms[2] += terms3;
    range.terms[3] += outcome.lower_bound;
  }
}

}  // namespace
}  // namespace kem::bench

int main(int argc, char** argv) {
  using kem::bench::Range;
  const int small = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int large = argc > 2 ? std::atoi(argv[2]) : 120;
  std::mt19937 random(20261210);
  std::vector<Range> ranges = {{6, 12, small}, {13, 18, large}};
  std::printf(
      "V      Funktionen  bewiesen  langsamste  Mittel    nur Stufe 3 in 8  Terme 1/2/3/Min\n");
  for (Range& range : ranges) {
    kem::bench::Run(range, random);
    const double proven = range.proven > 0 ? range.proven : 1;
    std::printf("%2d-%-2d  %10d  %8d  %8.1f ms  %5.2f ms  %14.1f %%  %.2f/%.2f/%.2f/%.2f\n",
                range.from, range.to, range.functions, range.proven, range.slowest * 1e3,
                range.seconds * 1e3 / range.functions,
                100.0 * range.fits_only_at_3 / range.functions, range.terms[0] / proven,
                range.terms[1] / proven, range.terms[2] / proven, range.terms[3] / proven);
  }
  return 0;
}
