// The minimizer driver: turns one equation's tree into the cover that is written out, the function
// itself or, where allowed and smaller, its complement. A cover with more terms than the output's
// rows gives way to the first of the other levels' covers that fits (design 8.39).
#pragma once

#include <optional>

#include "synthesis/cover.h"
#include "synthesis/expansion.h"
#include "synthesis/expression_tree.h"
#include "synthesis/minimal_minimize.h"

namespace kem {

inline constexpr int kPolarityFunction = 1;
inline constexpr int kPolarityComplement = 3;

// What level 3 finds for an output whose cover fits at no level: the terms of its best cover of
// the function and of the complement (the complement also where it may not be written).
struct FitAdvice {
  int terms = 0;
  MinimalOutcome outcome;
  int complement_terms = 0;
  MinimalOutcome complement_outcome;
};

struct Minimized {
  Cover cover;
  int last = 0;                      // index of the last row in use
  int polarity = kPolarityFunction;  // whether the cover is the function or its complement
  int level = kLevelNone;            // the level that made the cover
  // Level 3's search was cut: the cover is the best found, not known to be the smallest.
  bool proven = true;
  int lower_bound = 0;  // no cover has fewer terms, where level 3 searched
  // The level asked for and its terms, when its cover did not fit and this one replaced it.
  int rescued_level = -1;
  int rescued_terms = 0;
  std::optional<FitAdvice> advice;  // when no level's cover fits

  // The product terms the cover holds; a constant has none.
  int terms() const;
};

// Consumes the tree (it is released on every path). `limit` is the output's rows. False when
// memory ran out (E01 reported).
bool MinimizeEquation(SynthesisContext& context, NodePool& pool, NodeRef tree,
                      const VariableMap& map, bool allow_complement, Minimized& result,
                      int limit = kNoTermLimit);

}  // namespace kem
