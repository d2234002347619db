// Recursive minimization (level 2): the cover is split on its most binate variable v into the
// cofactors for v = 1 and v = 0, each is minimized the same way, and the halves are merged again,
// a cube that one half's cube contains moving up without v. A cover with no binate variable only
// loses the cubes that others contain.
//
// Within this level every row whose slot is set counts, row 0 included: a row without literals
// is the universal cube here, and rows are deleted by clearing their slots.
#pragma once

#include <cstdint>
#include <vector>

#include "synthesis/cover.h"

namespace kem {

// The new last index, or -1 when memory ran out (E01 reported). May replace the cover's block.
int RecursiveMinimize(SynthesisContext& context, Cover& cover, int last);

// Level 2 straight from the truth table `rows` over the used signals `columns` (increasing; the
// first is the highest row bit), with the same result as from the list of its minterms in table
// order: rows 0..k-1 of `cover`, newly allocated over n variables. Returns k - 1, or -1 when
// memory ran out (E01 reported).
int RecursiveMinimizeTable(SynthesisContext& context, const BudgetedArray<std::uint64_t>& rows,
                           const std::vector<int>& columns, int n, Cover& cover);

// The relation of two cubes over the variable columns.
struct CubeRelation {
  int relation = 0;  // 0 unrelated or a row absent, 1 a contains b, 2 b contains a
  bool equal = false;
};
CubeRelation CompareCubes(const Cover& a, int row_a, const Cover& b, int row_b);

// Clears the slot of every row that another row contains (of two equal rows, the later).
void RemoveContained(Cover& cover, int last);

// The cofactors' minimized halves joined again over the split variable. False after E01.
bool MergeCofactors(SynthesisContext& context, Cover& positive, int last_positive, Cover& negative,
                    int last_negative, int variable, Cover& merged, int& last_merged);

}  // namespace kem
