// Level 1 on a cover of minterms, as the product ran it before it minimized from the truth table:
// the minterms become the table, and the product's ExactMinimize chooses the primes. Kept for the
// tests that state level 1's rules on a handful of minterms.
#pragma once

#include "synthesis/cover.h"

namespace kem::cover_minimizer {

// Cover rows 0..last hold the minterms of a function, each with a literal of every used signal.
// They are replaced by the chosen primes in rows 0..k-1; returns k - 1, or -1 when memory ran out
// (E01 reported). May replace the cover's block.
int ExactMinimize(SynthesisContext& context, Cover& cover, int last, int used_variables);

}  // namespace kem::cover_minimizer
