// RecursiveMinimize (level 2): the function is split on its most binate variable v into the
// cofactors for v = 1 and v = 0, each is minimized the same way, and the halves are joined again by
// MergeCofactors, a cube that one half's cube contains moving up without v. A function with no
// binate variable only loses the cubes that others contain (RemoveContained). The recursion starts
// from the truth table and gives what it gives on the list of the table's minterms in table order.
#pragma once

#include <cstdint>
#include <vector>

#include "synthesis/cover.h"

namespace kem {

// Level 2 of the function whose truth table is `rows` over the used signals `columns` (increasing;
// the first is the highest row bit): rows 0..k-1 of `cover`, newly allocated over n variables.
// Returns k - 1, or -1 when memory ran out (E01 reported).
int RecursiveMinimize(SynthesisContext& context, const BudgetedArray<std::uint64_t>& rows,
                      const std::vector<int>& columns, int n, Cover& cover);

}  // namespace kem
