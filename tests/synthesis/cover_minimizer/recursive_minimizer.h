// Level 2 on covers, as the product ran it before it minimized from the truth table: kept to test
// the product's RecursiveMinimize and MergeCofactors against, on inputs the truth table never
// gives. The cover is split on its most binate variable v into the cofactors for v = 1 and v = 0,
// each is minimized the same way, and the halves are merged again, a cube that one half's cube
// contains moving up without v. A cover with no binate variable only loses the cubes that others
// contain.
//
// Within this level every row whose slot is set counts, row 0 included: a row without literals
// is the universal cube here, and rows are deleted by clearing their slots.
#pragma once

#include "synthesis/cover.h"
#include "synthesis/cube_list.h"

namespace kem::cover_minimizer {

// The new last index, or -1 when memory ran out (E01 reported). May replace the cover's block.
int RecursiveMinimize(SynthesisContext& context, Cover& cover, int last);

// The relation of two cubes over the variable columns.
struct CubeRelation {
  int relation = 0;  // 0 unrelated or a row absent, 1 a contains b, 2 b contains a
  bool equal = false;
};
CubeRelation CompareCubes(const Cover& a, int row_a, const Cover& b, int row_b);

// Clears the slot of every row that another row contains (of two equal rows, the later).
void RemoveContained(Cover& cover, int last);
// The same on a cube list: every row that another row strictly contains or an earlier row equals.
void RemoveContained(CubeList& list);

// The cofactors' minimized halves joined again over the split variable. False after E01.
bool MergeCofactors(SynthesisContext& context, Cover& positive, int last_positive, Cover& negative,
                    int last_negative, int variable, Cover& merged, int& last_merged);

// Rows 0..last of the cover, absent ones included as absent.
void ReadCubes(const Cover& cover, int last, CubeList& list);

}  // namespace kem::cover_minimizer
