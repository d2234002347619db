// The row helpers (see cover_rows.h), on the product's cover.
#include "tests/synthesis/cover_minimizer/cover_rows.h"

#include <algorithm>
#include <bit>

#include "synthesis/cube_words.h"

namespace kem::cover_minimizer {

std::int64_t Binomial(int a, int b) {
  if (b < 0 || b > a) return 0;
  b = std::min(b, a - b);
  std::int64_t result = 1;
  for (int i = 1; i <= b; ++i) result = result * (a - b + i) / i;  // stays an integer each step
  return result;
}

int LiteralCount(const Cover& cover, int row, int k) {
  // While a marker is set, every column of row 0's first word reads as the marker.
  const std::uint32_t* body = cover.Row(row);
  const int first = row == 0 ? cover.FieldGet(0, 0) : 0;
  const bool marked = first == kMarkerOne || first == kMarkerZero;
  int count = 0;
  for (int w = 0; w < WordsFor(k); ++w) {
    const std::uint32_t mask = ColumnMask(w, 0, k);
    count += std::popcount(w == 0 && marked ? mask & kFieldLowBits : FieldsNonZero(body[w] & mask));
  }
  return count;
}

void DeleteRow(Cover& cover, int row) {
  if (row != 0) {
    cover.Unbind(row);
    return;
  }
  std::fill_n(cover.Row(0), WordsFor(cover.variables()), 0u);
}

}  // namespace kem::cover_minimizer
