// What logic synthesis needs from the running compilation: the allocation budget, the diagnostics,
// the message log, and the settings that decide how an equation is minimized.
#pragma once

#include "common/allocation.h"
#include "common/diagnostics.h"
#include "common/message_log.h"

namespace kem {

inline constexpr int kLevelNone = 0;
inline constexpr int kLevelExact = 1;
inline constexpr int kLevelRecursive = 2;

struct SynthesisContext {
  SynthesisContext(AllocationBudget& budget, Diagnostics& diagnostics, MessageLog& log)
      : budget(budget), diagnostics(diagnostics), log(log) {}

  void ReportOutOfMemory() { diagnostics.ReportDiagnostic(Diag::E01, 0); }
  bool minimizing() const { return minimization_flag == 1 && level != kLevelNone; }

  AllocationBudget& budget;
  Diagnostics& diagnostics;
  MessageLog& log;
  int level = kLevelRecursive;
  int minimization_flag = 1;    // 0 between the directives NOMIN and ENDNOMIN
  int literal_count_calls = 0;  // every 64th literal count moves the progress marker
};

}  // namespace kem
