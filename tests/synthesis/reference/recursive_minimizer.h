// Recursive minimization (level 2): the cover is split on its most binate variable v into the
// cofactors for v = 1 and v = 0, each is minimized the same way, and the halves are merged again,
// a cube that one half's cube contains moving up without v. A cover with no binate variable only
// loses the cubes that others contain.
//
// Within this level every row whose slot is set counts, row 0 included: a row without literals
// is the universal cube here, and rows are deleted by clearing their slots.
#pragma once

#include "tests/synthesis/reference/cover.h"

namespace kem::reference {

// The new last index, or -1 when memory ran out (E01 reported). May replace the cover's block.
int RecursiveMinimize(Context& context, Cover& cover, int last);

// The relation of two cubes over the variable columns.
struct CubeRelation {
  int relation = 0;  // 0 unrelated or a row absent, 1 a contains b, 2 b contains a
  bool equal = false;
};
CubeRelation CompareCubes(const Cover& a, int row_a, const Cover& b, int row_b);

// Clears the slot of every row that another row contains (of two equal rows, the later).
void RemoveContained(Cover& cover, int last);

// The cofactors' minimized halves joined again over the split variable. False after E01.
bool MergeCofactors(Context& context, Cover& positive, int last_positive, Cover& negative,
                    int last_negative, int variable, Cover& merged, int& last_merged);

}  // namespace kem::reference
