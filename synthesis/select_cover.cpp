// SelectCover: the primes that cover every minterm. The minterms are truth-table rows held as bit
// sets. A minterm that exactly one prime covers makes that prime essential; the essential primes
// are chosen first. Then, while minterms are uncovered, the prime that covers most of them is
// chosen, the earliest on a tie. Counts only fall as primes are chosen, so a heap ordered by
// (count, earliest) with each count refreshed when it comes to the top finds the same prime as a
// scan of all of them.
#include <algorithm>
#include <bit>

#include "synthesis/exact_minimize.h"
#include "synthesis/row_sets.h"
#include "synthesis/step_timer.h"

namespace kem {

namespace {

struct Candidate {
  int count;
  int prime;
};

// Heap order: the top is the largest count, the earliest prime on a tie.
bool Below(const Candidate& a, const Candidate& b) {
  return a.count < b.count || (a.count == b.count && a.prime > b.prime);
}

int CountRows(CubeKey cube, int v, const BudgetedArray<std::uint64_t>& rows) {
  int count = 0;
  ForEachCubeWord(cube, v, [&](std::size_t w, std::uint64_t pattern) {
    count += std::popcount(rows[w] & pattern);
  });
  return count;
}

void RemoveRows(CubeKey cube, int v, BudgetedArray<std::uint64_t>& rows) {
  ForEachCubeWord(cube, v, [&](std::size_t w, std::uint64_t pattern) { rows[w] &= ~pattern; });
}

}  // namespace

bool SelectCover(SynthesisContext& context, int v, const BudgetedVector<CubeKey>& primes,
                 BudgetedVector<int>& chosen, std::size_t enough) {
  const TimedStep timed(context.step_timer, MinimizerStep::kCoverSelection);
  const std::size_t words = RowSetWords(v);
  BudgetedArray<std::uint64_t> once;   // minterms covered by at least one prime
  BudgetedArray<std::uint64_t> twice;  // by at least two
  BudgetedArray<std::uint8_t> taken;   // per prime: chosen
  if (!once.AllocZeroed(context.budget, context.diagnostics, words) ||
      !twice.AllocZeroed(context.budget, context.diagnostics, words) ||
      !taken.AllocZeroed(context.budget, context.diagnostics, primes.size()))
    return false;
  for (CubeKey prime : primes) {
    ForEachCubeWord(prime, v, [&](std::size_t w, std::uint64_t pattern) {
      twice[w] |= once[w] & pattern;
      once[w] |= pattern;
    });
  }

  // What stays uncovered once the essential primes are taken; `once` becomes that set.
  BudgetedArray<std::uint64_t>& uncovered = once;
  for (std::size_t i = 0; i < primes.size(); ++i) {
    bool only = false;
    ForEachCubeWord(primes[i], v, [&](std::size_t w, std::uint64_t pattern) {
      only = only || (pattern & once[w] & ~twice[w]) != 0;
    });
    taken[i] = only ? 1 : 0;
  }
  twice.Free();
  std::size_t taken_count = 0;
  for (std::size_t i = 0; i < primes.size(); ++i) {
    if (taken[i] != 0) {
      RemoveRows(primes[i], v, uncovered);
      ++taken_count;
    }
  }

  BudgetedVector<Candidate> heap;
  for (std::size_t i = 0; i < primes.size() && taken_count < enough; ++i) {
    if (taken[i] != 0) continue;
    const int count = CountRows(primes[i], v, uncovered);
    if (count > 0 && !heap.PushBack(context, {count, static_cast<int>(i)})) return false;
  }
  std::make_heap(heap.begin(), heap.end(), Below);
  while (!heap.empty() && taken_count < enough) {
    context.progress.Tick();
    std::pop_heap(heap.begin(), heap.end(), Below);
    Candidate top = heap.back();
    heap.PopBack();
    const CubeKey prime = primes[static_cast<std::size_t>(top.prime)];
    const int count = CountRows(prime, v, uncovered);
    if (count == 0) continue;
    if (count < top.count) {
      // Not necessarily the best any more: back into the heap with what it covers now.
      top.count = count;
      heap.PushBack(context, top);  // cannot grow: the slot was just freed
      std::push_heap(heap.begin(), heap.end(), Below);
      continue;
    }
    taken[static_cast<std::size_t>(top.prime)] = 1;
    ++taken_count;
    RemoveRows(prime, v, uncovered);
  }

  for (std::size_t i = 0; i < primes.size(); ++i) {
    if (taken[i] != 0 && !chosen.PushBack(context, static_cast<int>(i))) return false;
  }
  return true;
}

}  // namespace kem
