// MinimalMinimize: the driver of level 3. The primes of the truth table (PrimeImplicants), the
// cover of level 1 (SelectCover) as the bound to beat, the smallest cover (MinimumCover), and the
// chosen primes, in prime order, become the rows of a new cover.
#include "synthesis/minimal_minimize.h"

#include "synthesis/exact_minimize.h"

namespace kem {

int MinimalMinimize(SynthesisContext& context, const BudgetedArray<std::uint64_t>& rows,
                    const std::vector<int>& columns, int n, Cover& cover, int limit,
                    MinimalOutcome& outcome) {
  const int v = static_cast<int>(columns.size());
  BudgetedVector<CubeKey> primes;
  BudgetedVector<int> chosen;
  if (!PrimeImplicants(context, v, rows, primes) || !SelectCover(context, v, primes, chosen) ||
      !MinimumCover(context, v, primes, chosen, limit, outcome))
    return -1;
  BudgetedVector<CubeKey> cubes;
  for (int p : chosen) {
    if (!cubes.PushBack(context, primes[static_cast<std::size_t>(p)])) return -1;
  }
  return WritePrimes(context, cubes, columns, n, cover);
}

}  // namespace kem
