// MinimalMinimize (level 3, minimal): the smallest sum of products of a function, proven so. The
// primes of level 1 and its cover as the first bound, then MinimumCover searches for a smaller
// one. A minimum cover can always be made of primes, so the one found is as small as any cover a
// level or the designer writes. The search is bounded by work, not time, so the same design
// always gives the same cover; where the bound cuts it, the best cover found is the result and the
// outcome says that it is not proven.
#pragma once

#include <climits>
#include <cstdint>
#include <vector>

#include "synthesis/budgeted_vector.h"
#include "synthesis/cover.h"
#include "synthesis/cube_key.h"

namespace kem {

inline constexpr int kNoTermLimit = INT_MAX;

struct MinimalOutcome {
  bool minimum = true;  // no cover has fewer terms than the result
  int lower_bound = 0;  // no cover has fewer terms than this
};

// Level 3 of the function whose truth table is `rows` over the used signals `columns` (as
// ExactMinimize takes them): rows 0..k-1 of `cover`, newly allocated over n variables. The search
// may stop once it proves that no cover of at most `limit` terms exists (the lower bound then
// exceeds the limit). Returns k - 1, or -1 when memory ran out (E01 reported).
int MinimalMinimize(SynthesisContext& context, const BudgetedArray<std::uint64_t>& rows,
                    const std::vector<int>& columns, int n, Cover& cover, int limit,
                    MinimalOutcome& outcome);

// The fewest of the primes (of v signals) that cover their union. `chosen` holds a cover, as
// positions ascending, and is replaced by a smaller one when the search finds one. False after E01.
bool MinimumCover(SynthesisContext& context, int v, const BudgetedVector<CubeKey>& primes,
                  BudgetedVector<int>& chosen, int limit, MinimalOutcome& outcome);

}  // namespace kem
