// ExactMinimize on covers: the truth table over the columns of row 0's literals, then level 1 of
// the product on it. v is the number of used signals; signal j (in column order) is row bit v-1-j.
#include "tests/synthesis/cover_minimizer/exact_minimizer.h"

#include <vector>

#include "synthesis/exact_minimize.h"
#include "synthesis/row_sets.h"

namespace kem::cover_minimizer {

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

}  // namespace

int ExactMinimize(SynthesisContext& context, Cover& cover, int last, int) {
  if (last <= 0) return 0;  // a single minterm is already minimal
  const std::vector<int> columns = LiteralColumns(cover, 0);
  const int v = static_cast<int>(columns.size());

  BudgetedArray<std::uint64_t> rows;
  if (!rows.AllocZeroed(context.budget, context.diagnostics, RowSetWords(v))) return -1;
  for (int row = 0; row <= last; ++row) {
    if (!cover.IsTerm(row)) continue;
    const std::uint32_t x = RowOf(cover, row, columns);
    rows[x / 64] |= std::uint64_t{1} << (x % 64);
  }
  Cover chosen;
  const int chosen_last = kem::ExactMinimize(context, rows, columns, cover.variables(), chosen);
  if (chosen_last < 0) return -1;
  cover = std::move(chosen);
  return chosen_last;
}

}  // namespace kem::cover_minimizer
