// ExactMinimize: the driver of level 1. The primes of the truth table are found (PrimeImplicants),
// the cover selection picks from them (SelectCover), and the picked primes become the rows of a
// new cover. v is the number of used signals; a cube key's bit v-1-j stands for columns[j].
#include "synthesis/exact_minimize.h"

#include <algorithm>
#include <vector>

namespace kem {

namespace {

void WriteCube(Cover& cover, int row, CubeKey cube, const std::vector<int>& columns) {
  const int v = static_cast<int>(columns.size());
  cover.Bind(row);
  cover.ClearRow(row);
  for (int j = 0; j < v; ++j) {
    const std::uint32_t bit = 1u << (v - 1 - j);
    if ((CubeMask(cube) & bit) == 0) continue;
    cover.FieldSet(row, columns[static_cast<std::size_t>(j)],
                   (CubeValue(cube) & bit) != 0 ? kCodeTrue : kCodeComplement);
  }
}

// The chosen primes of the function whose truth table is `rows`, in order. False after E01.
bool ChosenPrimes(SynthesisContext& context, int v, const BudgetedArray<std::uint64_t>& rows,
                  BudgetedVector<CubeKey>& cubes, std::size_t enough = SIZE_MAX) {
  BudgetedVector<CubeKey> primes;
  BudgetedVector<int> chosen;
  if (!PrimeImplicants(context, v, rows, primes) ||
      !SelectCover(context, v, primes, chosen, enough))
    return false;
  // The chosen positions ascend, so the primes move down in place.
  std::size_t kept = 0;
  for (std::size_t i = 0; i < primes.size(); ++i) {
    if (kept < chosen.size() && chosen[kept] == static_cast<int>(i)) primes[kept++] = primes[i];
  }
  while (primes.size() > kept) primes.PopBack();
  cubes = std::move(primes);
  return true;
}

}  // namespace

int ExactMinimize(SynthesisContext& context, const BudgetedArray<std::uint64_t>& rows,
                  const std::vector<int>& columns, int n, Cover& cover, std::size_t enough) {
  const int v = static_cast<int>(columns.size());
  BudgetedVector<CubeKey> cubes;
  if (!ChosenPrimes(context, v, rows, cubes, enough)) return -1;
  if (cubes.size() >= enough) return kEnoughTerms;
  return WritePrimes(context, cubes, columns, n, cover);
}

int WritePrimes(SynthesisContext& context, const BudgetedVector<CubeKey>& cubes,
                const std::vector<int>& columns, int n, Cover& cover) {
  if (!cover.Allocate(context, std::max(static_cast<int>(cubes.size()), 1), 0, n)) return -1;
  if (cubes.size() == 1 && CubeMask(cubes[0]) == 0) {
    // The one prime without literals: the function is a tautology.
    cover.Bind(0);
    cover.SetConstantOne();
    return 0;
  }
  for (std::size_t i = 0; i < cubes.size(); ++i)
    WriteCube(cover, static_cast<int>(i), cubes[i], columns);
  return static_cast<int>(cubes.size()) - 1;
}

}  // namespace kem
