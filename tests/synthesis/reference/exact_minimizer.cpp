// ExactMinimize: the driver of level 1, and the two small steps it needs between the passes.
//
// V is the number of used variables; a pass that makes cubes of k literals can make at most
// Binomial(V, k) * 2^k distinct ones, which is the room each compaction leaves.
#include "tests/synthesis/reference/exact_minimizer.h"

#include <algorithm>
#include <climits>

#include "tests/synthesis/reference/cube_words.h"

namespace kem::reference {

namespace {

// Keeps the later of two rows with the same variable columns.
void RemoveDuplicates(Context& context, Cover& cover, int last) {
  const VariableWords vars(cover.variables());
  for (int i = 0; i < last; ++i) {
    if (!IsExactRow(context, cover, i)) continue;
    for (int j = i + 1; j <= last; ++j) {
      if (IsExactRow(context, cover, j) && vars.Equal(cover.Row(i), cover.Row(j))) {
        cover.DeleteRow(i);
        break;
      }
    }
  }
}

}  // namespace

bool IsExactRow(Context& context, const Cover& cover, int row) {
  if (!cover.present(row)) return false;
  return row != 0 || cover.LiteralCount(context, 0, cover.variables()) > 0;
}

int ExactMinimize(Context& context, Cover& cover, int last, int used_variables) {
  if (last <= 0) return 0;  // a single minterm is already minimal
  const int tags = last;
  const int v = used_variables;
  if (v >= 2) {
    int appended = MergePass(context, cover, last, 0, tags, true);
    if (appended < 0) return -1;
    last += appended;
    if (cover.ConstantMarker() == kMarkerOne) return last;
    for (int k = v - 2; k >= 1 && appended > 0; --k) {
      last = CompactCover(context, cover, last, Binomial(v, k) << k, tags + 1);
      if (last < 0) return -1;
      // Compaction keeps the order, so the previous pass's cubes are the last rows.
      appended = MergePass(context, cover, last, last - appended + 1, tags, false);
      if (appended < 0) return -1;
      last += appended;
      if (cover.ConstantMarker() == kMarkerOne) return last;
    }
  }
  last = CompactCover(context, cover, last, 0, tags + 1);
  if (last < 0) return -1;
  if (last > 0 && SelectCover(context, cover, tags, last) < 0) return -1;
  RemoveDuplicates(context, cover, last);
  return last;
}

int CompactCover(Context& context, Cover& cover, int last, std::int64_t spare, int tag_columns) {
  const int n = cover.variables();
  int present = 0;
  for (int row = 0; row <= last; ++row) present += IsExactRow(context, cover, row) ? 1 : 0;
  const std::int64_t rows = present + (present == 0 ? spare + 1 : spare);
  Cover compact;
  // More rows than a cover can count cannot be had either.
  if (rows > INT_MAX) {
    context.ReportOutOfMemory();
    context.ReportOutOfMemory();
    return -1;
  }
  if (!compact.Allocate(context, static_cast<int>(rows), tag_columns, n)) return -1;
  const int words = std::min(cover.row_words(), compact.row_words());
  int target = 0;
  for (int row = 0; row <= last; ++row) {
    if (!IsExactRow(context, cover, row)) continue;
    compact.Bind(target);
    std::copy_n(cover.Row(row), words, compact.Row(target));
    ++target;
  }
  cover = std::move(compact);
  return std::max(present - 1, 0);
}

}  // namespace kem::reference
