// Containment between cubes of covers, and the two steps of level 2 on covers (the recursion
// itself works on cube lists, see cube_steps.h).
#include "synthesis/cube_steps.h"
#include "synthesis/cube_words.h"
#include "synthesis/recursive_minimizer.h"

namespace kem {

namespace {

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

void RemoveContained(Cover& cover, int last) {
  CubeList list;
  ReadCubes(cover, last, list);
  CubeStepScratch scratch;
  RemoveContained(list, scratch);
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
  MergeCofactors(ones, zeros, variable, joined, scratch);
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

}  // namespace kem
