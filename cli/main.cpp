// kemc: the command-line compiler. Compiles each design as the IDE's "Nur Compilieren" does,
// compiles and fits as "Compilieren und Fitten" does, or only fits as "Nur Fitten" does, with the
// same files, diagnostics and log.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_host.h"
#include "cli/options.h"
#include "common/command_ids.h"
#include "common/file_io.h"
#include "common/names.h"
#include "compiler/driver.h"
#include "shell/settings.h"

namespace kem::cli {

namespace {

constexpr int kExitClean = 0;
constexpr int kExitErrors = 1;
constexpr int kExitAborted = 2;

// Every line of the error file as "FILE: LINE", so editors can jump to it.
void EchoErrorFile(const std::string& document, std::FILE* err) {
  std::string text;
  if (!ReadWholeFile(Stem(document) + "ERR", text)) return;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::fprintf(err, "%s: %.*s\n", document.c_str(), static_cast<int>(end - start),
                 text.data() + start);
    start = end + 1;
  }
}

// A missing intermediate file is a refusal, like an output-named source; a fit that fails is an
// error in the design's files.
int FitStatus(FitOutcome outcome) {
  switch (outcome) {
    case FitOutcome::kSucceeded:
      return kExitClean;
    case FitOutcome::kFailed:
      return kExitErrors;
    case FitOutcome::kNoIntermediateFile:
      break;
  }
  return kExitAborted;
}

// The IDE's "Nur Fitten": no compilation, the fit of the intermediate file that is there.
int FitOne(const std::string& document, CliHost& host) {
  host.ResetFitState();
  host.RunFitCommand(document);
  return FitStatus(host.last_fit().value_or(FitOutcome::kFailed));
}

int CompileOne(const std::string& document, const Options& options, CliHost& host) {
  CompileJob job;
  job.document_name = document;
  job.fit_after_compile = options.action == Action::kCompileAndFit;
  job.command_id = job.fit_after_compile ? kCmdCompileAndFit : kCmdCompileOnly;
  CompileOptions compile_options;
  compile_options.minimization_level = options.level;

  host.ResetFitState();
  std::unique_ptr<CompileRun> run = RunCompileCommand(job, host, compile_options);
  if (!run) return kExitAborted;
  if (run->error_file_created) EchoErrorFile(document, stderr);
  if (run->CompileAborted()) return kExitAborted;
  if (!run->CompileClean()) return kExitErrors;
  return host.last_fit() ? FitStatus(*host.last_fit()) : kExitClean;
}

int Main(const std::vector<std::string>& arguments) {
  Options options;
  std::string error;
  if (!ParseOptions(arguments, options, error)) {
    std::fprintf(stderr, "kemc: %s\n%s", error.c_str(), kUsage);
    return kExitAborted;
  }
  if (options.action == Action::kHelp) {
    std::fputs(kUsage, stdout);
    return kExitClean;
  }
  if (options.action == Action::kVersion) {
    std::puts("kemc " KEM_VERSION);
    return kExitClean;
  }
  CliHost host(stdout, stderr, isatty(STDERR_FILENO) != 0);
  int status = kExitClean;
  if (options.action == Action::kFitOnly) {
    for (const std::string& file : options.files) status = std::max(status, FitOne(file, host));
    return status;
  }
  if (options.level < 0)
    options.level = ReadSettingsFile(std::string(kSettingsFileName)).minimization_level;

  for (const std::string& file : options.files)
    status = std::max(status, CompileOne(file, options, host));
  return status;
}

}  // namespace

}  // namespace kem::cli

int main(int argc, char** argv) {
  return kem::cli::Main(std::vector<std::string>(argv + 1, argv + argc));
}
