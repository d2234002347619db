// Exact minimization (level 1): all prime implicants by repeated combination of adjacent cubes,
// then a cover chosen from them: the essential primes first, then greedily the prime that covers
// most of what is left.
//
// The cover starts as the on-set (or off-set) minterms in rows 0..last, each with one tag column
// per minterm (columns n..n+T, T = last), all tags 0. A tag of a row reads 1 when the row covers
// that minterm and nothing chosen has accounted for it yet; SelectCover writes 2 where an
// essential prime accounts for it and 3 where a greedily chosen one does.
//
// Throughout this level row 0 counts as a row only while it has a literal; it is deleted by
// clearing its variable columns, never its slot.
#pragma once

#include "tests/synthesis/reference/cover.h"

namespace kem::reference {

// The new last index, or -1 when memory ran out (E01 reported). `used_variables` is V.
int ExactMinimize(Context& context, Cover& cover, int last, int used_variables);

// One round of combining rows first..last pairwise; the combined cubes are appended after `last`.
// Returns the number of rows appended, or -1 after E01. `tags` is T.
int MergePass(Context& context, Cover& cover, int last, int first, int tags, bool first_pass);

// Moves the present rows to a new block with room for `spare` more rows; returns the new last
// index, or -1 after E01. `tag_columns` is T + 1.
int CompactCover(Context& context, Cover& cover, int last, std::int64_t spare, int tag_columns);

// Leaves only the chosen rows present; returns last, or -1 after E01.
int SelectCover(Context& context, Cover& cover, int tags, int last);

// A row counts as a term of this level: present, and row 0 only with a literal.
bool IsExactRow(Context& context, const Cover& cover, int row);

}  // namespace kem::reference
