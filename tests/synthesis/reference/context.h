// What the reference minimizer needs from a compilation: the budget and the diagnostics. It
// reports no progress, so it needs no log.
#pragma once

#include "common/allocation.h"
#include "common/diagnostics.h"

namespace kem::reference {

struct Context {
  Context(AllocationBudget& budget, Diagnostics& diagnostics)
      : budget(budget), diagnostics(diagnostics) {}

  void ReportOutOfMemory() { diagnostics.ReportDiagnostic(Diag::E01, 0); }

  AllocationBudget& budget;
  Diagnostics& diagnostics;
};

}  // namespace kem::reference
