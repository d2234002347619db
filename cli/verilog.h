// kemc --verilog: the Verilog model of the chip that the JEDEC file beside a design (NAME.jed)
// programs, as NAME.v, and with a vector file beside it (NAME.vec) its testbench NAME_tb.v.
// Pins are named as kemc --simulate names them.
#pragma once

#include <cstddef>
#include <string>

#include "cli/design_files.h"

namespace kem::cli {

// The exit status: 0 written, 1 a fault of the vector file, an output that could not be written
// or memory past the budget, 2 a JEDEC or vector file that is unusable or a document that would
// be overwritten.
int WriteVerilog(const std::string& document, SimulateStreams streams,
                 std::size_t memory_budget = kDefaultMemoryBudget);

}  // namespace kem::cli
