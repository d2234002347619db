// PrimeImplicants: the primes straight from the truth table, by splitting on the highest signal x
// of the rows left (f = ¬x·f0 + x·f1). A prime of f either lacks x, and is then a prime of f0·f1,
// or is ¬x (or x) times a prime of f0 (f1) that f1 (f0) does not contain. Unlike combining
// adjacent cubes pass by pass, this never lists the implicants that are not prime, of which a
// wide product's complement has 3^V.
#include <algorithm>
#include <bit>
#include <vector>

#include "synthesis/exact_minimize.h"
#include "synthesis/row_sets.h"
#include "synthesis/step_timer.h"

namespace kem {

namespace {

// A row set of k signals that fits one word: its low 2^k bits.
std::uint64_t AllRows(int k) {
  return k >= kRowBitsPerWord ? ~std::uint64_t{0} : (std::uint64_t{1} << (1u << k)) - 1;
}

class PrimeFinder {
 public:
  PrimeFinder(SynthesisContext& context, BudgetedVector<CubeKey>& primes)
      : context_(context), primes_(primes) {}

  // The primes of f over k signals (the low k row bits). False after E01.
  bool Find(const std::uint64_t* f, int k) {
    if (k <= kRowBitsPerWord) return FindInWord(f[0], k);
    const std::size_t half = RowSetWords(k - 1);
    const std::uint64_t* f0 = f;
    const std::uint64_t* f1 = f + half;
    bool none = true;
    bool all = true;
    bool same = true;
    bool f0_within_f1 = true;
    bool f1_within_f0 = true;
    for (std::size_t w = 0; w < half; ++w) {
      none = none && (f0[w] | f1[w]) == 0;
      all = all && (f0[w] & f1[w]) == ~std::uint64_t{0};
      same = same && f0[w] == f1[w];
      f0_within_f1 = f0_within_f1 && (f0[w] & ~f1[w]) == 0;
      f1_within_f0 = f1_within_f0 && (f1[w] & ~f0[w]) == 0;
    }
    if (none) return true;
    if (all) return primes_.PushBack(context_, MakeCube(0, 0));
    if (same) return Find(f0, k - 1);

    context_.progress.Tick();
    BudgetedArray<std::uint64_t> both;
    if (f0_within_f1 || f1_within_f0) {
      if (!Find(f0_within_f1 ? f0 : f1, k - 1)) return false;
    } else {
      if (!both.AllocZeroed(context_.budget, context_.diagnostics, half)) return false;
      for (std::size_t w = 0; w < half; ++w) both[w] = f0[w] & f1[w];
      if (!Find(both.data(), k - 1)) return false;
      both.Free();
    }
    const std::uint32_t x = 1u << (k - 1);
    if (!f0_within_f1 && !WithLiteral(f0, f1, k, MakeCube(x, 0))) return false;
    return f1_within_f0 || WithLiteral(f1, f0, k, MakeCube(x, x));
  }

 private:
  // The primes of `half` that `other` does not contain, each with the literal added.
  bool WithLiteral(const std::uint64_t* half, const std::uint64_t* other, int k, CubeKey literal) {
    const std::size_t from = primes_.size();
    if (!Find(half, k - 1)) return false;
    std::size_t kept = from;
    for (std::size_t i = from; i < primes_.size(); ++i) {
      bool within = true;
      ForEachCubeWord(primes_[i], k - 1, [&](std::size_t w, std::uint64_t pattern) {
        within = within && (pattern & ~other[w]) == 0;
      });
      if (!within) primes_[kept++] = primes_[i] | literal;
    }
    while (primes_.size() > kept) primes_.PopBack();
    return true;
  }

  bool FindInWord(std::uint64_t f, int k) {
    if (f == 0) return true;
    if (f == AllRows(k)) return primes_.PushBack(context_, MakeCube(0, 0));
    const int half = 1 << (k - 1);
    const std::uint64_t f0 = f & AllRows(k - 1);
    const std::uint64_t f1 = f >> half;
    if (f0 == f1) return FindInWord(f0, k - 1);
    const std::uint64_t both = f0 & f1;
    if (!FindInWord(both, k - 1)) return false;
    const std::uint32_t x = 1u << (k - 1);
    if (both != f0 && !WithLiteralInWord(f0, f1, k, MakeCube(x, 0))) return false;
    return both == f1 || WithLiteralInWord(f1, f0, k, MakeCube(x, x));
  }

  bool WithLiteralInWord(std::uint64_t half, std::uint64_t other, int k, CubeKey literal) {
    const std::size_t from = primes_.size();
    if (!FindInWord(half, k - 1)) return false;
    std::size_t kept = from;
    for (std::size_t i = from; i < primes_.size(); ++i) {
      bool within = true;
      ForEachCubeWord(primes_[i], k - 1, [&](std::size_t, std::uint64_t pattern) {
        within = (pattern & ~other) == 0;
      });
      if (!within) primes_[kept++] = primes_[i] | literal;
    }
    while (primes_.size() > kept) primes_.PopBack();
    return true;
  }

  SynthesisContext& context_;
  BudgetedVector<CubeKey>& primes_;
};

// The order in which combining adjacent cubes pass by pass creates them: most literals first, then
// by first minterm, then the cube whose lowest free signal not shared with the other is free.
bool CreatedBefore(CubeKey a, CubeKey b) {
  const int literals_a = std::popcount(CubeMask(a));
  const int literals_b = std::popcount(CubeMask(b));
  if (literals_a != literals_b) return literals_a > literals_b;
  if (CubeValue(a) != CubeValue(b)) return CubeValue(a) < CubeValue(b);
  const std::uint32_t differ = CubeMask(a) ^ CubeMask(b);
  return differ != 0 && (CubeMask(b) & (differ & (~differ + 1))) != 0;
}

}  // namespace

bool PrimeImplicants(SynthesisContext& context, int v, const BudgetedArray<std::uint64_t>& rows,
                     BudgetedVector<CubeKey>& primes) {
  const TimedStep timed(context.step_timer, MinimizerStep::kMergePasses);
  if (!PrimeFinder(context, primes).Find(rows.data(), v)) return false;
  std::sort(primes.begin(), primes.end(), CreatedBefore);
  return true;
}

}  // namespace kem
