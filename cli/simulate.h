// kemc --simulate: runs the vector file beside a design (NAME.vec) against its JEDEC file
// (NAME.jed), prints the table of the run and reports each fault and mismatch on standard error
// as "NAME.vec:LINE: error: TEXT"; with --vectors a clean run's vectors go into the JEDEC file.
#pragma once

#include <cstdio>
#include <string>

namespace kem::cli {

struct SimulateStreams {
  std::FILE* out;
  std::FILE* err;
};

// The exit status: 0 every vector passed, 1 a mismatch, a fault of the vector file or a JEDEC
// file that could not be rewritten, 2 a vector or JEDEC file that is missing or unusable.
int SimulateDesign(const std::string& document, bool write_vectors, SimulateStreams streams);

}  // namespace kem::cli
