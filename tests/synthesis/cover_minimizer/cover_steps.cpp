// Containment between cubes of covers, and the two steps of level 2 on covers: RemoveContained
// and MergeCofactors (the product's, on the covers' cube lists). The recursion itself works on
// cube lists, which ReadCubes makes of a cover's rows.
#include <algorithm>

#include "synthesis/cube_words.h"
#include "synthesis/merge_cofactors.h"
#include "tests/synthesis/cover_minimizer/recursive_minimizer.h"

namespace kem::cover_minimizer {

namespace {

// The low bit of every field that holds code 1 (a true literal).
constexpr std::uint32_t FieldsWithOne(std::uint32_t word) {
  return word & ~(word >> 1) & kFieldLowBits;
}

// The low bits of a word's sixteen fields, packed into sixteen consecutive bits.
std::uint64_t PackFields(std::uint32_t low_bits) {
  std::uint32_t x = low_bits & kFieldLowBits;
  x = (x | (x >> 1)) & 0x33333333u;
  x = (x | (x >> 2)) & 0x0F0F0F0Fu;
  x = (x | (x >> 4)) & 0x00FF00FFu;
  x = (x | (x >> 8)) & 0x0000FFFFu;
  return x;
}

Cube CubeOfWords(const std::uint32_t* body, const VariableWords& vars) {
  Cube cube;
  for (int w = 0; w < vars.count; ++w) {
    const std::uint32_t word = body[w] & vars.Mask(w);
    cube.care |= PackFields(FieldsNonZero(word)) << (w * kFieldsPerWord);
    cube.value |= PackFields(FieldsWithOne(word)) << (w * kFieldsPerWord);
  }
  return cube;
}

// a contains b where b has a literal that a lacks, and the other way round; a column where both
// have a literal but differ relates nothing.
CubeRelation CompareWords(const std::uint32_t* a, const std::uint32_t* b,
                          const VariableWords& vars) {
  std::uint32_t a_larger = 0;
  std::uint32_t b_larger = 0;
  for (int w = 0; w < vars.count; ++w) {
    const std::uint32_t x = a[w] & vars.Mask(w);
    const std::uint32_t y = b[w] & vars.Mask(w);
    const std::uint32_t x_literals = FieldsNonZero(x);
    const std::uint32_t y_literals = FieldsNonZero(y);
    if ((FieldsNonZero(x ^ y) & x_literals & y_literals) != 0) return {};
    a_larger |= y_literals & ~x_literals;
    b_larger |= x_literals & ~y_literals;
  }
  if (a_larger != 0 && b_larger != 0) return {};
  if (b_larger != 0) return {2, false};
  return {1, a_larger == 0};
}

}  // namespace

CubeRelation CompareCubes(const Cover& a, int row_a, const Cover& b, int row_b) {
  if (!a.present(row_a) || !b.present(row_b)) return {};
  return CompareWords(a.Row(row_a), b.Row(row_b), VariableWords(a.variables()));
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

// Every pair in order, as the rule reads: a row goes exactly when another row strictly contains
// it or an earlier row equals it, whatever the order of the deletions, since a row that contains
// it survives them or is itself taken by a larger row that then takes this one too.
void RemoveContained(CubeList& list) {
  for (int i = 0; i < list.last(); ++i) {
    for (int j = i + 1; j <= list.last() && list.present[static_cast<std::size_t>(i)]; ++j) {
      if (!list.present[static_cast<std::size_t>(j)]) continue;
      const Cube a = list.rows[static_cast<std::size_t>(i)];
      const Cube b = list.rows[static_cast<std::size_t>(j)];
      if (Contains(a, b)) {
        list.present[static_cast<std::size_t>(j)] = 0;
      } else if (Contains(b, a)) {
        list.present[static_cast<std::size_t>(i)] = 0;
      }
    }
  }
}

void RemoveContained(Cover& cover, int last) {
  CubeList list;
  ReadCubes(cover, last, list);
  RemoveContained(list);
  for (int row = 0; row <= last; ++row) {
    if (!list.present[static_cast<std::size_t>(row)]) cover.Unbind(row);
  }
}

bool MergeCofactors(SynthesisContext& context, Cover& positive, int last_positive, Cover& negative,
                    int last_negative, int variable, Cover& merged, int& last_merged) {
  if (!merged.Allocate(context, last_positive + last_negative + 2, 0, positive.variables()))
    return false;
  CubeList ones;
  CubeList zeros;
  CubeList joined;
  ReadCubes(positive, last_positive, ones);
  ReadCubes(negative, last_negative, zeros);
  CubeStepScratch scratch;
  kem::MergeCofactors(ones, zeros, variable, joined, scratch);
  // The halves keep what remained of them, with the literal of v that it got.
  for (int j = 0; j <= last_positive; ++j) {
    if (!ones.present[static_cast<std::size_t>(j)]) positive.Unbind(j);
    if (positive.present(j)) positive.FieldSet(j, variable, kCodeTrue);
  }
  for (int k = 0; k <= last_negative; ++k) {
    if (!zeros.present[static_cast<std::size_t>(k)]) negative.Unbind(k);
    if (negative.present(k)) negative.FieldSet(k, variable, kCodeComplement);
  }
  for (int row = 0; row <= joined.last(); ++row) {
    merged.Bind(row);
    WriteCube(joined.rows[static_cast<std::size_t>(row)], merged, row);
  }
  last_merged = joined.last();
  return true;
}

}  // namespace kem::cover_minimizer
