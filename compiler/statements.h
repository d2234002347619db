// The equation statements that follow the pin list, and the rules on how each pin may be used.
//
//   statement = ["#" "NOMIN"] ["/"] target ( "=" constant
//                                          | ("=" | ":=") expression ";"
//                                          | "." "TRST" "=" expression ";" ) ["#" "ENDNOMIN"]
#pragma once

#include "compiler/compile_run.h"

namespace kem {

enum class PinUse { kInput, kOutput, kTristate };

// 1 statement handled, 0 its right-hand side failed (text skipped), -1 emission ran out of memory,
// -2 no statement can start here.
int ParseStatement(CompileRun& run);

// 1 when the record may be used so (its IO or Trst updated), 0 after the diagnostic. `record` is
// what the name's lookup gave: 0 for an undeclared name.
int CheckPinUse(CompileRun& run, int record, PinUse use);

// The end-of-design check that every output read back through its feedback is also assigned.
void CheckFeedback(CompileRun& run);

// An output enable needs an output to enable: a TRST equation for a pin that no equation drives
// would compile clean and then fail the fit, so it ends as E31 on the line of its statement.
void CheckTristateTargets(CompileRun& run);

}  // namespace kem
