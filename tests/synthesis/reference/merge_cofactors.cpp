// Containment between cubes, and the two steps of level 2 built on it: RemoveContained for a
// cover without binate variables, MergeCofactors to join the minimized halves of a split.
//
// C1 and C0 are the positive and the negative cofactor, j and k their rows, M the merged cover.
#include "tests/synthesis/reference/cube_words.h"
#include "tests/synthesis/reference/recursive_minimizer.h"

namespace kem::reference {

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

void AppendRow(const Cover& from, int row, Cover& to, int& count, const VariableWords& vars) {
  to.Bind(count);
  const std::uint32_t* source = from.Row(row);
  std::uint32_t* target = to.Row(count);
  for (int w = 0; w < vars.count; ++w) target[w] = source[w] & vars.Mask(w);
  ++count;
}

}  // namespace

CubeRelation CompareCubes(const Cover& a, int row_a, const Cover& b, int row_b) {
  if (!a.present(row_a) || !b.present(row_b)) return {};
  return CompareWords(a.Row(row_a), b.Row(row_b), VariableWords(a.variables()));
}

void RemoveContained(Cover& cover, int last) {
  const VariableWords vars(cover.variables());
  for (int i = 0; i < last; ++i) {
    for (int j = i + 1; j <= last && cover.present(i); ++j) {
      if (!cover.present(j)) continue;
      const CubeRelation r = CompareWords(cover.Row(i), cover.Row(j), vars);
      if (r.relation == 1) cover.Unbind(j);
      if (r.relation == 2) cover.Unbind(i);
    }
  }
}

bool MergeCofactors(Context& context, Cover& positive, int last_positive, Cover& negative,
                    int last_negative, int variable, Cover& merged, int& last_merged) {
  const int n = positive.variables();
  const VariableWords vars(n);
  if (!merged.Allocate(context, last_positive + last_negative + 2, 0, n)) return false;
  int count = 0;

  // A cube of one half that the other half's cube contains needs no literal of v.
  for (int j = 0; j <= last_positive; ++j) {
    for (int k = 0; k <= last_negative && positive.present(j); ++k) {
      if (!negative.present(k)) continue;
      const CubeRelation r = CompareWords(positive.Row(j), negative.Row(k), vars);
      if (r.equal) {
        AppendRow(positive, j, merged, count, vars);
        positive.Unbind(j);
        negative.Unbind(k);
      } else if (r.relation == 2) {
        AppendRow(positive, j, merged, count, vars);
        positive.Unbind(j);
      } else if (r.relation == 1) {
        AppendRow(negative, k, merged, count, vars);
        negative.Unbind(k);
      }
    }
  }

  for (int j = 0; j <= last_positive; ++j) {
    if (!positive.present(j)) continue;
    positive.FieldSet(j, variable, kCodeTrue);
    AppendRow(positive, j, merged, count, vars);
  }
  for (int k = 0; k <= last_negative; ++k) {
    if (!negative.present(k)) continue;
    negative.FieldSet(k, variable, kCodeComplement);
    AppendRow(negative, k, merged, count, vars);
  }
  last_merged = count - 1;
  return true;
}

}  // namespace kem::reference
