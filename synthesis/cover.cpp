// The cover's rows and fields (see cover.h): allocation, the marker rule of row 0, term counts.
#include "synthesis/cover.h"

#include <algorithm>

namespace kem {

namespace {

constexpr int kMarkerCode = 2;

}  // namespace

bool Cover::Allocate(SynthesisContext& context, int m, int t, int n) {
  rows_ = m;
  tags_ = t;
  n_ = n;
  words_per_row_ = WordsFor(n + t);
  const std::size_t words =
      static_cast<std::size_t>(m) * (static_cast<std::size_t>(words_per_row_) + 1);
  if (block_.AllocZeroed(context.budget, context.diagnostics, words)) return true;
  context.ReportOutOfMemory();
  rows_ = 0;
  return false;
}

int Cover::RawGet(int row, int column) const {
  return BareGet(Row(row), column);
}

int Cover::FieldGet(int row, int column) const {
  if (row == 0 && column < kFieldsPerWord) {
    const std::uint32_t word = Row(0)[0];
    if ((word & 3u) == kMarkerCode)
      return ((word >> 2) & 3u) == kMarkerCode ? kMarkerOne : kMarkerZero;
  }
  return RawGet(row, column);
}

void Cover::FieldSet(int row, int column, int value) {
  std::uint32_t* body = Row(row);
  if (value == kMarkerOne || value == kMarkerZero) {
    // The marker lives in the first two fields of the word that holds the column.
    const int first = (column / kFieldsPerWord) * kFieldsPerWord;
    BareSet(body, first, kMarkerCode);
    BareSet(body, first + 1, value == kMarkerOne ? kMarkerCode : 0);
    return;
  }
  BareSet(body, column, value % 4);
}

int Cover::ConstantMarker() const {
  if (rows_ == 0 || !present(0)) return 0;
  const int value = FieldGet(0, 0);
  return value == kMarkerOne || value == kMarkerZero ? value : 0;
}

bool Cover::HasLiterals(int row) const {
  const std::uint32_t* body = Row(row);
  const int full_words = n_ / kFieldsPerWord;
  for (int w = 0; w < full_words; ++w) {
    if (body[w] != 0) return true;
  }
  const int rest = n_ % kFieldsPerWord;
  return rest != 0 && (body[full_words] & ((1u << (2 * rest)) - 1u)) != 0;
}

int Cover::CountTerms(int last) const {
  int terms = 0;
  for (int row = 0; row <= last; ++row) terms += IsTerm(row) ? 1 : 0;
  return terms;
}

void Cover::ClearRow(int row) {
  std::fill_n(Row(row), words_per_row_, 0u);
}

}  // namespace kem
