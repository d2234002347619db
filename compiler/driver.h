// The compile driver: one compilation of a design source, from the command to the result line in
// the log, with the fit after a clean compilation when the command asks for it.
#pragma once

#include <memory>
#include <string>

#include "compiler/compile_host.h"
#include "compiler/compile_run.h"

namespace kem {

struct CompileJob {
  std::string document_name;
  bool fit_after_compile = false;
};

// The whole command. Returns the run, which the caller keeps until the next one (to ask whether
// the last compilation was clean), or nothing when the command was refused before a compilation
// started.
std::unique_ptr<CompileRun> RunCompileCommand(const CompileJob& job, CompileHost& host,
                                              const CompileOptions& options);

// 1 when no severe diagnostic was issued, else 0.
int CompileDesign(CompileRun& run, const std::string& source_name, const std::string& listing_name,
                  const std::string& intermediate_name, const std::string& error_name);

// 1, or -1 when a resource failure ended the run.
int ParseDesign(CompileRun& run, const std::string& listing_name,
                const std::string& intermediate_name);

}  // namespace kem
