// The minimizer driver: turns one equation's tree into the cover that is written out, the function
// itself or, where allowed and smaller, its complement.
#pragma once

#include "synthesis/cover.h"
#include "synthesis/expansion.h"
#include "synthesis/expression_tree.h"

namespace kem {

inline constexpr int kPolarityFunction = 1;
inline constexpr int kPolarityComplement = 3;

struct Minimized {
  Cover cover;
  int last = 0;                      // index of the last row in use
  int polarity = kPolarityFunction;  // whether the cover is the function or its complement
};

// Consumes the tree (it is released on every path). False when memory ran out (E01 reported).
bool MinimizeEquation(SynthesisContext& context, NodePool& pool, NodeRef tree,
                      const VariableMap& map, bool allow_complement, Minimized& result);

}  // namespace kem
