#include "synthesis/cube_list.h"

#include <algorithm>

#include "synthesis/cube_words.h"

namespace kem {

namespace {

// The low bits of a word's sixteen fields, packed into sixteen consecutive bits.
std::uint64_t PackFields(std::uint32_t low_bits) {
  std::uint32_t x = low_bits & kFieldLowBits;
  x = (x | (x >> 1)) & 0x33333333u;
  x = (x | (x >> 2)) & 0x0F0F0F0Fu;
  x = (x | (x >> 4)) & 0x00FF00FFu;
  x = (x | (x >> 8)) & 0x0000FFFFu;
  return x;
}

// Sixteen bits spread back to the low bits of sixteen fields.
std::uint32_t SpreadFields(std::uint64_t bits) {
  auto x = static_cast<std::uint32_t>(bits & 0xFFFFu);
  x = (x | (x << 8)) & 0x00FF00FFu;
  x = (x | (x << 4)) & 0x0F0F0F0Fu;
  x = (x | (x << 2)) & 0x33333333u;
  x = (x | (x << 1)) & 0x55555555u;
  return x;
}

}  // namespace

namespace {

Cube CubeOfWords(const std::uint32_t* body, const VariableWords& vars) {
  Cube cube;
  for (int w = 0; w < vars.count; ++w) {
    const std::uint32_t word = body[w] & vars.Mask(w);
    cube.care |= PackFields(FieldsNonZero(word)) << (w * kFieldsPerWord);
    cube.value |= PackFields(FieldsWithOne(word)) << (w * kFieldsPerWord);
  }
  return cube;
}

}  // namespace

Cube CubeOfRow(const Cover& cover, int row) {
  return CubeOfWords(cover.Row(row), VariableWords(std::min(cover.variables(), kMaxCubeColumns)));
}

void WriteCube(Cube cube, Cover& cover, int row) {
  const VariableWords vars(std::min(cover.variables(), kMaxCubeColumns));
  std::uint32_t* body = cover.Row(row);
  const std::uint64_t complemented = cube.care & ~cube.value;
  for (int w = 0; w < cover.row_words(); ++w) {
    if (w >= vars.count) {
      body[w] = 0;
      continue;
    }
    const int shift = w * kFieldsPerWord;
    body[w] = SpreadFields(cube.care >> shift) | (SpreadFields(complemented >> shift) << 1);
  }
}

void ReadCubes(const Cover& cover, int last, CubeList& list) {
  list.Clear();
  list.rows.reserve(static_cast<std::size_t>(last + 1));
  list.present.reserve(static_cast<std::size_t>(last + 1));
  const VariableWords vars(std::min(cover.variables(), kMaxCubeColumns));
  for (int row = 0; row <= last; ++row) {
    const bool present = cover.present(row);
    list.rows.push_back(present ? CubeOfWords(cover.Row(row), vars) : Cube{});
    list.present.push_back(present ? 1 : 0);
  }
}

}  // namespace kem
