// Bugs are not diagnostics. A condition that only a fault of this program can break is checked
// with KEM_CHECK: when it fails, the running compilation ends as an internal compiler error (E03)
// and a running fit as failed with an empty JEDEC file, each naming the source file and line of
// the check in the log, instead of going on to a wrong chip or reporting a problem the user does
// not have (such as "E01 Speicher voll").
#pragma once

#include <string>

namespace kem {

// Thrown by a failed check; caught where a compilation (the compile driver) or a fit (the fit
// command) is run, never in the layers whose code they call.
struct InternalError {
  const char* file;  // folder/file.cpp, the same on every machine
  int line;
  const char* condition;

  std::string Where() const { return std::string(file) + ":" + std::to_string(line); }
};

[[noreturn]] void FailInternalCheck(const char* file, int line, const char* condition);

}  // namespace kem

#define KEM_CHECK(condition) \
  ((condition) ? void(0) : ::kem::FailInternalCheck(__FILE__, __LINE__, #condition))
