// Sets of truth-table rows as bit sets, 64 rows to a word (row x is bit x % 64 of word x / 64).
// A cube's rows, read a word at a time: the signals of the six low row bits give a fixed pattern
// within a word, the others pick the words, so counting or removing a cube's rows costs one step
// per word it touches rather than one per row.
#pragma once

#include <array>
#include <cstdint>

#include "synthesis/cube_key.h"

namespace kem {

inline constexpr int kRowBitsPerWord = 6;

// The number of words of a row set over v signals.
constexpr std::size_t RowSetWords(int v) {
  return v <= kRowBitsPerWord ? 1 : std::size_t{1} << (v - kRowBitsPerWord);
}

// Calls visit(word, pattern) for every word of a row set over v signals that holds rows of the
// cube, with the cube's rows within that word.
template <typename Visit>
void ForEachCubeWord(CubeKey cube, int v, Visit visit) {
  static constexpr std::array<std::uint64_t, kRowBitsPerWord> kBit = {
      0xAAAAAAAAAAAAAAAAull, 0xCCCCCCCCCCCCCCCCull, 0xF0F0F0F0F0F0F0F0ull,
      0xFF00FF00FF00FF00ull, 0xFFFF0000FFFF0000ull, 0xFFFFFFFF00000000ull,
  };
  const std::uint32_t mask = CubeMask(cube);
  const std::uint32_t value = CubeValue(cube);
  std::uint64_t pattern =
      v >= kRowBitsPerWord ? ~std::uint64_t{0} : (std::uint64_t{1} << (1u << v)) - 1;
  for (int bit = 0; bit < kRowBitsPerWord && bit < v; ++bit) {
    if (((mask >> bit) & 1u) == 0) continue;
    pattern &= ((value >> bit) & 1u) != 0 ? kBit[static_cast<std::size_t>(bit)]
                                          : ~kBit[static_cast<std::size_t>(bit)];
  }
  if (v <= kRowBitsPerWord) {
    visit(std::size_t{0}, pattern);
    return;
  }
  const std::uint32_t high_mask = mask >> kRowBitsPerWord;
  const std::uint32_t high_value = value >> kRowBitsPerWord;
  const std::uint32_t free = ~high_mask & ((1u << (v - kRowBitsPerWord)) - 1u);
  // Every subset of the free high bits, in increasing order.
  std::uint32_t subset = 0;
  do {
    visit(static_cast<std::size_t>(high_value | subset), pattern);
    subset = (subset - free) & free;
  } while (subset != 0);
}

}  // namespace kem
