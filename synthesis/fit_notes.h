// The notes that follow E35: how many terms the output needs at best, how many rows its pin has,
// which pins have enough rows, and whether its complement would fit. Each note goes to the log
// and to the context's notes, which a host shows after the diagnostic.
#pragma once

#include "device/pin_table.h"
#include "synthesis/minimizer.h"

namespace kem {

void ReportFitNotes(SynthesisContext& context, const PinTable& pins, const DesignValues& design,
                    const PinRecord& output, const FitAdvice& advice, int limit);

}  // namespace kem
