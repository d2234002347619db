// kemc: the command-line compiler. Compiles each design as the IDE's "Nur Compilieren" does,
// compiles and fits as "Compilieren und Fitten" does, or only fits as "Nur Fitten" does, with the
// same files, diagnostics and log.
#include <algorithm>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "cli/cli_host.h"
#include "cli/options.h"
#include "cli/process_setup.h"
#include "common/allocation.h"
#include "common/command_ids.h"
#include "common/file_io.h"
#include "common/interrupt_cleanup.h"
#include "common/names.h"
#include "compiler/driver.h"
#include "shell/settings.h"

namespace kem::cli {

namespace {

constexpr int kExitClean = 0;
constexpr int kExitErrors = 1;
constexpr int kExitAborted = 2;
constexpr const char* kStdoutFailed = "kemc: Fehler beim Schreiben der Standardausgabe\n";

// Every line of the error file as "FILE: LINE", so editors can jump to it.
void EchoErrorFile(const std::string& document, std::FILE* err) {
  std::string text;
  if (!ReadWholeFile(Stem(document) + std::string(kErrorFileExtension), text)) return;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::fprintf(err, "%s: %.*s\n", document.c_str(), static_cast<int>(end - start),
                 text.data() + start);
    start = end + 1;
  }
  std::fflush(err);
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
  CliHost host(stdout, stderr, StandardErrorShowsMarker());
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

// Memory that runs out outside a compilation (which reports E01 itself) ends the program with
// the memory box, never with a crash.
int MainCatchingExhaustion(const std::vector<std::string>& arguments) {
  try {
    return Main(arguments);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s: %s\n", std::string(kBoxCaption).c_str(),
                 std::string(kOutOfMemoryBox).c_str());
    return kExitErrors;
  }
}

// A log that did not reach standard output is a failed run, not a clean one; the same holds for
// messages that did not reach standard error, though those cannot be told.
int WithOutputChecked(int status) {
  const bool out_failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
  const bool err_failed = std::fflush(stderr) != 0 || std::ferror(stderr) != 0;
  if (out_failed) std::fputs(kStdoutFailed, stderr);
  return out_failed || err_failed ? std::max(status, kExitErrors) : status;
}

}  // namespace

}  // namespace kem::cli

int main(int argc, char** argv) {
  // An interrupt leaves no temporary behind; a closed pipe becomes a write error that is
  // reported at the end, after every output file has been written whole.
  kem::InstallInterruptCleanup();
  const kem::cli::StandardStreams streams;
  const int status = kem::cli::MainCatchingExhaustion(kem::cli::CommandLineArguments(argc, argv));
  return kem::cli::WithOutputChecked(status);
}
