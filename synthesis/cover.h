// Cubes and covers. A cube (product term) is a packed vector of 2-bit fields, one per variable
// (the design records in record order) and optionally per tag column; a cover (sum of products) is
// a table of such rows with a slot per row that tells whether the row is present.
//
// Field codes in a variable column: 0 absent (don't care), 1 true literal, 3 complemented literal.
// In a tag column: 0 not covered / value 0, 1 covered / value 1, 2 and 3 covered and accounted for.
// Row 0 carries the constant markers in its first word; while a marker is set every column of that
// word reads as the marker: 7 for constant 1 (VCC), 5 for constant 0 (GND).
#pragma once

#include <cstdint>

#include "common/allocation.h"
#include "synthesis/synthesis_context.h"

namespace kem {

inline constexpr int kFieldsPerWord = 16;
inline constexpr int kCodeAbsent = 0;
inline constexpr int kCodeTrue = 1;
inline constexpr int kCodeComplement = 3;
inline constexpr int kMarkerOne = 7;
inline constexpr int kMarkerZero = 5;

constexpr int WordsFor(int k) {
  return (k + kFieldsPerWord - 1) / kFieldsPerWord;
}

class Cover {
 public:
  Cover() = default;
  Cover(Cover&&) = default;
  Cover& operator=(Cover&&) = default;

  // NewCover: m rows with t tag columns over n variables, every slot empty. On failure E01 is
  // reported twice (by the allocation and by the cover) and the cover stays empty.
  bool Allocate(SynthesisContext& context, int m, int t, int n);
  void Release() { block_.Free(); }

  int capacity() const { return rows_; }
  int variables() const { return n_; }
  int row_words() const { return words_per_row_; }
  bool allocated() const { return !block_.empty(); }

  // Slots: a row is present when its slot is bound.
  bool present(int row) const { return block_.data()[row] != 0; }
  void Bind(int row) { block_.data()[row] = 1; }
  void Unbind(int row) { block_.data()[row] = 0; }

  int FieldGet(int row, int column) const;
  void FieldSet(int row, int column, int value);
  // The field's own code, without the marker rule of row 0.
  int RawGet(int row, int column) const;

  void SetConstantOne() { FieldSet(0, 0, kMarkerOne); }
  void SetConstantZero() { FieldSet(0, 0, kMarkerZero); }
  // kMarkerOne, kMarkerZero, or 0 when the cover carries no marker.
  int ConstantMarker() const;

  // True when a variable column of the row is nonzero (a constant marker counts).
  bool HasLiterals(int row) const;
  // A present row that counts as a product term: row 0 only when it has literals.
  bool IsTerm(int row) const { return present(row) && (row != 0 || HasLiterals(0)); }
  int CountTerms(int last) const;
  // Zero-fills every column of the row; its slot is left as it is.
  void ClearRow(int row);

  std::uint32_t* Row(int row) { return block_.data() + RowOffset(row); }
  const std::uint32_t* Row(int row) const { return block_.data() + RowOffset(row); }

 private:
  std::size_t RowOffset(int row) const {
    return static_cast<std::size_t>(rows_) +
           static_cast<std::size_t>(row) * static_cast<std::size_t>(words_per_row_);
  }

  BudgetedArray<std::uint32_t> block_;  // the slot table, then the row bodies
  int rows_ = 0;
  int tags_ = 0;
  int n_ = 0;
  int words_per_row_ = 0;
};

// Reads one field of a packed vector that is not part of a cover.
inline int BareGet(const std::uint32_t* vector, int index) {
  return static_cast<int>((vector[index / kFieldsPerWord] >> (2 * (index % kFieldsPerWord))) & 3u);
}
inline void BareSet(std::uint32_t* vector, int index, int value) {
  const int shift = 2 * (index % kFieldsPerWord);
  std::uint32_t& word = vector[index / kFieldsPerWord];
  word = (word & ~(3u << shift)) | ((static_cast<std::uint32_t>(value) & 3u) << shift);
}

}  // namespace kem
