// Equation emission: announces an equation in the log, has it minimized, and writes its block to
// the equation listing and the intermediate file, checking its product terms against the limit of
// the output.
#pragma once

#include "device/intermediate_files.h"
#include "device/pin_table.h"
#include "synthesis/expression_tree.h"
#include "synthesis/minimizer.h"

namespace kem {

inline constexpr int kOrdinaryEquation = 0;
inline constexpr int kTristateEquation = 1;

struct EmissionTarget {
  PinTable& pins;
  const DesignValues& design;
  OutputFiles& outputs;
};

// Writes the equation of the output in design record `record`; the tree is consumed. 1 when
// written, -1 when memory ran out (E01 reported), in which case nothing of the equation is written.
int EmitEquation(SynthesisContext& context, NodePool& pool, EmissionTarget target, NodeRef tree,
                 int record, int kind);

}  // namespace kem
