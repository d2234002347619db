// Word-level views of packed cubes. A 32-bit word holds sixteen 2-bit fields; a mask of the
// fields' low bits answers one question for all sixteen at once, so cubes are read, compared and
// written a word at a time and give what the field-by-field rules give.
#pragma once

#include <algorithm>
#include <cstdint>

#include "synthesis/cover.h"

namespace kem {

inline constexpr std::uint32_t kFieldLowBits = 0x55555555u;

// Both bits of every field of `word` whose column lies in [from, to).
constexpr std::uint32_t ColumnMask(int word, int from, int to) {
  const int lo = std::max(from - word * kFieldsPerWord, 0);
  const int hi = std::min(to - word * kFieldsPerWord, kFieldsPerWord);
  if (lo >= hi) return 0;
  const std::uint32_t below_hi = hi == kFieldsPerWord ? ~0u : (1u << (2 * hi)) - 1u;
  const std::uint32_t below_lo = (1u << (2 * lo)) - 1u;
  return below_hi & ~below_lo;
}

// The low bit of every field that holds a nonzero code.
constexpr std::uint32_t FieldsNonZero(std::uint32_t word) {
  return (word | (word >> 1)) & kFieldLowBits;
}

// The variable columns 0..n-1 of rows of one cover, word by word.
struct VariableWords {
  explicit VariableWords(int n)
      : count(WordsFor(n)), last_mask(count == 0 ? 0u : ColumnMask(count - 1, 0, n)) {}

  std::uint32_t Mask(int word) const { return word == count - 1 ? last_mask : ~0u; }

  int count;
  std::uint32_t last_mask;
};

}  // namespace kem
