// The equation statements that follow the pin list.
#pragma once

#include "compiler/compile_run.h"

namespace kem {

// 1 statement handled, 0 rejected after its diagnostics, -1 resource failure, -2 no statement can
// start here.
int ParseStatement(CompileRun& run);

// The end-of-design check that every signal read back is also defined as an output.
void CheckFeedback(CompileRun& run);

}  // namespace kem
