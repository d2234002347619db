// kemc --simulate: runs the vector file beside a design (NAME.vec or NAME.VEC) against its JEDEC
// file (NAME.jed or NAME.JED), prints the table of the run and reports each fault and mismatch on
// standard error as "NAME.vec:LINE: error: TEXT"; with --vectors a clean run's vectors go into the
// JEDEC file. Vectors name pins as the JEDEC file's N PIN notes do, else as the pin list of the
// design beside it (NAME.kem) when it is for the same device, and always as P1, P2 ...
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "cli/design_files.h"
#include "common/allocation.h"

namespace kem::cli {

// The exit status: 0 every vector passed, 1 a mismatch, a fault of the vector file, a JEDEC
// file that could not be rewritten or memory past the budget, 2 a vector or JEDEC file that is
// missing or unusable.
int SimulateDesign(const std::string& document, bool write_vectors, SimulateStreams streams,
                   std::size_t memory_budget = kDefaultMemoryBudget);

}  // namespace kem::cli
