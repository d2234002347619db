// ExactMinimize (level 1): every prime implicant of the function, then a cover chosen from
// them: first the essential primes (the only prime that covers some minterm), then, greedily, the
// prime that covers most of the minterms still uncovered, the earliest prime on a tie.
//
// The primes are ordered as repeated combination of adjacent cubes would make them from the
// minterms in table order: by the number of literals, most first; among cubes of as many
// literals by their first minterm; then the cube whose free signals, read from the lowest row bit
// up, first name a lower bit. The result lists the chosen primes in that order.
#pragma once

#include <cstdint>
#include <vector>

#include "common/allocation.h"
#include "synthesis/budgeted_vector.h"
#include "synthesis/cover.h"
#include "synthesis/cube_key.h"

namespace kem {

// Level 1 straight from the truth table `rows` over the used signals `columns` (increasing; the
// first is the highest row bit): the chosen primes become rows 0..k-1 of `cover`, newly allocated
// over n variables. Returns k - 1, or -1 when memory ran out (E01 reported), or kEnoughTerms
// (the cover left empty) as soon as it is clear that k reaches `enough`.
inline constexpr int kEnoughTerms = -2;
int ExactMinimize(SynthesisContext& context, const BudgetedArray<std::uint64_t>& rows,
                  const std::vector<int>& columns, int n, Cover& cover,
                  std::size_t enough = SIZE_MAX);

// The cubes (keys over the used signals `columns`) as rows 0..k-1 of `cover`, newly allocated over
// n variables; the one cube without literals as constant 1. Returns k - 1, or -1 after E01.
int WritePrimes(SynthesisContext& context, const BudgetedVector<CubeKey>& cubes,
                const std::vector<int>& columns, int n, Cover& cover);

// Every prime implicant of the function of v signals whose truth table is `rows` (a row set, see
// row_sets.h), in the order above. False after E01.
bool PrimeImplicants(SynthesisContext& context, int v, const BudgetedArray<std::uint64_t>& rows,
                     BudgetedVector<CubeKey>& primes);

// The positions of the chosen primes, ascending. Once `enough` are chosen the choice stops there:
// `chosen` then need not cover the function. False after E01.
bool SelectCover(SynthesisContext& context, int v, const BudgetedVector<CubeKey>& primes,
                 BudgetedVector<int>& chosen, std::size_t enough = SIZE_MAX);

}  // namespace kem
