// ExactMinimize: the driver of level 1. The minterms of the cover become a truth table over the
// used signals, the primes are found from it, the cover selection picks from them, and the picked
// primes are written back into the cover's first rows.
#include "synthesis/exact_minimizer.h"

#include <algorithm>
#include <vector>

#include "synthesis/row_sets.h"

namespace kem {

namespace {

// The columns that hold a literal in the row, increasing.
std::vector<int> LiteralColumns(const Cover& cover, int row) {
  std::vector<int> columns;
  for (int c = 0; c < cover.variables(); ++c) {
    if (cover.RawGet(row, c) != kCodeAbsent) columns.push_back(c);
  }
  return columns;
}

// The truth-table row of a minterm.
std::uint32_t RowOf(const Cover& cover, int row, const std::vector<int>& columns) {
  const int v = static_cast<int>(columns.size());
  std::uint32_t x = 0;
  for (int j = 0; j < v; ++j) {
    if (cover.RawGet(row, columns[static_cast<std::size_t>(j)]) == kCodeTrue)
      x |= 1u << (v - 1 - j);
  }
  return x;
}

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

int ExactMinimize(SynthesisContext& context, Cover& cover, int last, int) {
  if (last <= 0) return 0;  // a single minterm is already minimal
  const std::vector<int> columns = LiteralColumns(cover, 0);
  const int v = static_cast<int>(columns.size());

  BudgetedArray<std::uint64_t> rows;
  if (!rows.AllocZeroed(context.budget, context.diagnostics, RowSetWords(v))) return -1;
  std::uint64_t count = 0;
  for (int row = 0; row <= last; ++row) {
    if (!cover.IsTerm(row)) continue;
    const std::uint32_t x = RowOf(cover, row, columns);
    std::uint64_t& word = rows[x / 64];
    count += (word >> (x % 64) & 1u) == 0 ? 1 : 0;
    word |= std::uint64_t{1} << (x % 64);
  }
  if (count == std::uint64_t{1} << v) {
    // Every assignment is a minterm: the function is a tautology.
    for (int row = 1; row <= last; ++row) cover.Unbind(row);
    cover.Bind(0);
    cover.ClearRow(0);
    cover.SetConstantOne();
    return 0;
  }

  BudgetedVector<CubeKey> cubes;
  if (!ChosenPrimes(context, v, rows, cubes)) return -1;
  for (int row = 0; row <= last; ++row) cover.Unbind(row);
  for (std::size_t i = 0; i < cubes.size(); ++i)
    WriteCube(cover, static_cast<int>(i), cubes[i], columns);
  return static_cast<int>(cubes.size()) - 1;
}

int ExactMinimizeTable(SynthesisContext& context, const BudgetedArray<std::uint64_t>& rows,
                       const std::vector<int>& columns, int n, Cover& cover, std::size_t enough) {
  const int v = static_cast<int>(columns.size());
  BudgetedVector<CubeKey> cubes;
  if (!ChosenPrimes(context, v, rows, cubes, enough)) return -1;
  if (cubes.size() >= enough) return kEnoughTerms;
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
