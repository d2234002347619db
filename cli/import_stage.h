// kemc --import: the stage before a run that translates another tool's source (FILE.pld) into
// FILE.kem, so that the compile, fit and simulation that follow work on it as on any design.
#pragma once

#include <cstdio>
#include <string>

namespace kem::cli {

struct ImportStage {
  int status = 0;        // 0 imported, 1 the source cannot be translated, 2 it cannot be used
  std::string document;  // FILE.kem, when imported
};

// Reads `source`, writes its diagnostics to `err` and, when it translates, FILE.kem beside it
// (nothing on a failure); a FILE.kem that is no earlier import is never overwritten.
ImportStage ImportBeforeRun(const std::string& source, std::FILE* out, std::FILE* err);

}  // namespace kem::cli
