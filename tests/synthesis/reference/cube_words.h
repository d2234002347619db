// The word views as the product first had them, copied with the reference's cover and for the same
// reason. Word-level views of packed cubes. A 32-bit word holds sixteen 2-bit fields; a mask of the
// fields' low bits answers one question for all sixteen at once, so the minimizers compare,
// combine and count cubes a word at a time and get what the field-by-field rules give.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>

#include "tests/synthesis/reference/cover.h"

namespace kem::reference {

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

// The low bit of every field that holds code 1 (a true literal, or a tag that reads 1).
constexpr std::uint32_t FieldsWithOne(std::uint32_t word) {
  return word & ~(word >> 1) & kFieldLowBits;
}
// The low bit of every field that holds a nonzero code.
constexpr std::uint32_t FieldsNonZero(std::uint32_t word) {
  return (word | (word >> 1)) & kFieldLowBits;
}
// The low bit of every field that holds code 3 (a complemented literal).
constexpr std::uint32_t FieldsWithThree(std::uint32_t word) {
  return word & (word >> 1) & kFieldLowBits;
}

inline int CountFields(std::uint32_t low_bits) {
  return std::popcount(low_bits);
}

// The variable columns 0..n-1 of rows of one cover, word by word.
struct VariableWords {
  explicit VariableWords(int n)
      : count(WordsFor(n)), last_mask(count == 0 ? 0u : ColumnMask(count - 1, 0, n)) {}

  std::uint32_t Mask(int word) const { return word == count - 1 ? last_mask : ~0u; }
  bool Equal(const std::uint32_t* a, const std::uint32_t* b) const {
    for (int w = 0; w < count; ++w) {
      if (((a[w] ^ b[w]) & Mask(w)) != 0) return false;
    }
    return true;
  }
  bool Empty(const std::uint32_t* a) const {
    for (int w = 0; w < count; ++w) {
      if ((a[w] & Mask(w)) != 0) return false;
    }
    return true;
  }

  int count;
  std::uint32_t last_mask;
};

}  // namespace kem::reference
