// What logic synthesis needs from the running compilation: the allocation budget, the diagnostics,
// the message log, where long work reports progress, and the settings that decide how an equation
// is minimized.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "common/allocation.h"
#include "common/diagnostics.h"
#include "common/message_log.h"
#include "common/progress.h"
#include "synthesis/levels.h"
#include "synthesis/step_timer.h"

namespace kem {

// A note on the diagnostic before it: `after` is the number of diagnostics reported by then.
struct SynthesisNote {
  std::size_t after = 0;
  std::string text;
};

struct SynthesisContext {
  SynthesisContext(AllocationBudget& budget, Diagnostics& diagnostics, MessageLog& log,
                   Progress& progress)
      : budget(budget), diagnostics(diagnostics), log(log), progress(progress) {}

  void ReportOutOfMemory() { diagnostics.ReportDiagnostic(Diag::E01, 0); }
  bool minimizing() const { return minimization_flag == 1 && level != kLevelNone; }

  AllocationBudget& budget;
  Diagnostics& diagnostics;
  MessageLog& log;
  Progress& progress;                     // ticked by the minimizer's loops
  StepTimer* step_timer = nullptr;        // set by a benchmark only
  int level = kDefaultMinimizationLevel;  // one of levels.h
  int minimization_flag = 1;              // 0 between the directives NOMIN and ENDNOMIN
  std::vector<SynthesisNote> notes;       // the notes after E35, for the host to show
  std::map<int, int> written_terms;       // pin number -> terms of its equation, once written
};

}  // namespace kem
