// Row helpers of level 1 on covers that the product no longer needs since it minimizes from the
// truth table: the spare-row bound, the literal count and the deletion of a row.
#pragma once

#include <cstdint>

#include "synthesis/cover.h"

namespace kem::cover_minimizer {

// The binomial coefficient C(a, b), exactly.
std::int64_t Binomial(int a, int b);

// Columns 0..k-1 of the row whose value is nonzero.
int LiteralCount(const Cover& cover, int row, int k);

// Deletes a row; row 0 keeps its slot and loses its variable columns instead.
void DeleteRow(Cover& cover, int row);

}  // namespace kem::cover_minimizer
