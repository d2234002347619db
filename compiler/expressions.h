// Boolean expressions of the right-hand sides, parsed into expression trees in the node pool.
//
//   expression = xor-term [("+" | "|") expression]
//   xor-term   = and-term ["$" xor-term]
//   and-term   = factor [("*" | "&") and-term]
//   factor     = "/" primary | primary
//   primary    = "(" expression ")" | identifier
//   constant   = "=" ("0" | "1" | "TRUE" | "true" | "True" | "VCC" | "FALSE" | "false" | "False" |
//   "GND")
#pragma once

#include "compiler/compile_run.h"

namespace kem {

// Parenthesised groups nested deeper than this fail with "E01 Speicher voll".
inline constexpr int kMaxGroupDepth = 1000;

// The tree, or kNoNode after the diagnostics (a partial tree has been released).
NodeRef ParseExpression(CompileRun& run);

// A constant right-hand side after "=", followed by ";"; kNoNode when the right-hand side is
// something else.
NodeRef ParseConstant(CompileRun& run);

}  // namespace kem
