// The reference minimizer's driver: the minimizing part of the equation driver, fed with a truth
// table instead of an expression tree, so the differential tests can give both minimizers the
// same function.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/synthesis/reference/cover.h"

namespace kem::reference {

inline constexpr int kPolarityFunction = 1;
inline constexpr int kPolarityComplement = 3;

// A function of the used variables `columns` (increasing) in a cover of n variables. Bit i of
// `values` is the value of truth table row i, which gives the used variables the bits of i from
// the most significant down.
struct TruthTable {
  int n = 0;
  std::vector<int> columns;
  std::vector<std::uint64_t> values;
};

struct Minimized {
  Cover cover;
  int last = 0;
  int polarity = kPolarityFunction;
};

// Level 1 or 2. False when memory ran out (E01 reported).
bool MinimizeTable(Context& context, int level, const TruthTable& table, bool allow_complement,
                   Minimized& result);

}  // namespace kem::reference
