// kemc: the command-line compiler. Compiles each design as the IDE's "Nur Compilieren" does,
// compiles and fits as "Compilieren und Fitten" does, or only fits as "Nur Fitten" does, with the
// same files, diagnostics and log.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "cli/box_lines.h"
#include "cli/cli_host.h"
#include "cli/gnu_diagnostics.h"
#include "cli/import_stage.h"
#include "cli/options.h"
#include "cli/part_messages.h"
#include "cli/part_step.h"
#include "cli/process_setup.h"
#include "cli/read_back.h"
#include "cli/simulate.h"
#include "cli/verilog.h"
#include "common/allocation.h"
#include "common/diagnostics.h"
#include "common/file_io.h"
#include "common/format.h"
#include "common/interrupt_cleanup.h"
#include "common/names.h"
#include "compiler/driver.h"
#include "device/fit_report.h"
#include "device/fitter.h"
#include "shell/settings.h"

namespace kem::cli {

namespace {

bool IsJedecFileName(const std::string& file) {
  std::string extension = Extension(file);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == kJedecExtension;
}

// A script must tell a broken design from a broken call: 1 is the design's or the run's fault
// (errors, an aborted compilation, a failed fit, an output that cannot be written), 2 the caller's
// (a wrong command line, a file named on it that cannot be used). The worst of several counts.
constexpr int kExitClean = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUnusable = 2;
constexpr const char* kStdoutFailed = "kemc: error: Fehler beim Schreiben der Standardausgabe\n";

// Every diagnostic of the run's error file as "FILE:LINE: error: TEXT", so editors and build tools
// can jump to it. Returns whether one says that the source could not be opened.
bool EchoDiagnostics(const std::string& document, const CompileRun& run, std::FILE* err) {
  bool unreadable = false;
  auto echo = [&](const ErrorFileEntry& entry) {
    const std::string line = GnuDiagnosticLine(document, entry) + '\n';
    std::fwrite(line.data(), 1, line.size(), err);
  };
  std::size_t reported_count = 0;
  for (const ReportedDiagnostic& reported : run.diagnostics.entries()) {
    for (const ErrorFileEntry& entry : EntriesOf(reported)) echo(entry);
    ++reported_count;
    // What the synthesis adds to a diagnostic (how an output could fit) follows it as notes.
    for (const SynthesisNote& note : run.synthesis.notes) {
      if (note.after == reported_count) echo({DiagnosticKind::kNote, 0, note.text, {}});
    }
    unreadable = unreadable || reported.id == Diag::E04;
  }
  // A console's standard error is buffered on some platforms: the lines must show now.
  std::fflush(err);
  return unreadable;
}

// A missing intermediate file is an input that cannot be used; a fit that fails is an error in
// the design's files.
int FitStatus(FitOutcome outcome) {
  switch (outcome) {
    case FitOutcome::kSucceeded:
      return kExitClean;
    case FitOutcome::kFailed:
      return kExitFailed;
    case FitOutcome::kNoIntermediateFile:
      break;
  }
  return kExitUnusable;
}

// What the boxes of a run call for: a refused input is the caller's fault, a failure the run's.
int BoxStatus(const CliHost& host) {
  if (host.input_refused()) return kExitUnusable;
  return host.work_failed() ? kExitFailed : kExitClean;
}

// The IDE's "Nur Fitten": no compilation, the fit of the intermediate file that is there.
int FitOne(const std::string& document, CliHost& host) {
  host.ResetRunState();
  return std::max(FitStatus(FitCommand(document, host, host.Log())), BoxStatus(host));
}

int CompileOne(const std::string& document, const Options& options, CliHost& host) {
  CompileJob job;
  job.document_name = document;
  job.fit_after_compile = options.action == Action::kCompileAndFit;
  CompileOptions compile_options;
  compile_options.minimization_level = options.level;

  host.ResetRunState();
  std::unique_ptr<CompileRun> run = RunCompileCommand(job, host, compile_options);
  if (!run) return std::max(kExitFailed, BoxStatus(host));
  // A source that is no file has no error file beside it: its one diagnostic is echoed as one.
  if (run->source_not_a_file) {
    EchoDiagnostics(document, *run, stderr);
    return kExitUnusable;
  }
  const bool unreadable = run->error_file_created && EchoDiagnostics(document, *run, stderr);
  if (options.report && !run->CompileAborted() && run->design.Gal_Type >= 0)
    std::fputs(FitReport(run->pins, run->design, run->synthesis.written_terms).c_str(), stdout);
  if (unreadable || host.input_refused()) return kExitUnusable;
  if (!run->CompileClean()) return kExitFailed;  // also when the compilation was aborted
  return std::max(run->fit ? FitStatus(*run->fit) : kExitClean, BoxStatus(host));
}

int Main(const std::vector<std::string>& arguments) {
  Options options;
  std::string error;
  if (!ParseOptions(arguments, options, error)) {
    std::fprintf(stderr, "kemc: error: %s\n%s", error.c_str(), kUsage);
    return kExitUnusable;
  }
  if (options.action == Action::kHelp) {
    std::fputs(kUsage, stdout);
    return kExitClean;
  }
  if (options.action == Action::kVersion) {
    std::puts("kemc " KEM_VERSION);
    return kExitClean;
  }
  int status = kExitClean;
  if (options.import) {
    // The run goes on with the translated designs; a source that did not translate drops out.
    std::vector<std::string> documents;
    for (const std::string& file : options.files) {
      // A JEDEC file beside the sources (the one --compare checks them against) is no source.
      if (IsJedecFileName(file)) {
        documents.push_back(file);
        continue;
      }
      const ImportStage stage = ImportBeforeRun(file, stdout, stderr);
      status = std::max(status, stage.status);
      if (stage.status == kExitClean) documents.push_back(stage.document);
    }
    options.files = documents;
  }
  if (options.action == Action::kCompare)
    return std::max(status, CompareFiles(options, stdout, stderr));
  if (options.action == Action::kDecompile) return DecompileFiles(options, stdout, stderr);
  CliHost host(stdout, stderr, StandardErrorShowsMarker());
  const SimulateStreams streams{stdout, stderr};
  const bool fits = options.action == Action::kCompileAndFit || options.action == Action::kFitOnly;
  PartChoice part{.power_down = options.power_down, .secure = options.secure};
  if (fits) {
    // The command line's part, else the one kem.ini names.
    std::string name = options.part;
    part.from_settings = name.empty();
    if (name.empty()) name = ReadSettingsFile(std::string(kSettingsFileName)).part;
    part.part = FindPart(name);
    if (options.power_down && (part.part == nullptr || part.part->power_down_fuse < 0)) {
      const std::string text =
          part.part == nullptr
              ? std::string(part_messages::kNoPart)
              : FormatText(part_messages::kNoPowerDown, {part.part->name, PowerDownPartNames()});
      std::fprintf(stderr, "kemc: error: %s\n", text.c_str());
      return kExitUnusable;
    }
  }
  // A design is simulated and modelled only when what came before it (compile, fit) was clean.
  auto simulated = [&](const std::string& file, int before) {
    if (before != kExitClean) return before;
    // Every fitted file ends with the line that says what to choose in the programmer.
    if (fits) {
      if (const int status = ApplyPart(file, part, streams); status != kExitClean) return status;
    }
    int status = kExitClean;
    if (options.simulate) status = SimulateDesign(file, options.write_vectors, streams);
    if (options.verilog) status = std::max(status, WriteVerilog(file, streams));
    return status;
  };
  if (options.action == Action::kSimulate) {
    for (const std::string& file : options.files) status = std::max(status, simulated(file, 0));
    return status;
  }
  if (options.action == Action::kFitOnly) {
    for (const std::string& file : options.files)
      status = std::max(status, simulated(file, FitOne(file, host)));
    return status;
  }
  if (options.level < 0)
    options.level = ReadSettingsFile(std::string(kSettingsFileName)).minimization_level;

  for (const std::string& file : options.files)
    status = std::max(status, simulated(file, CompileOne(file, options, host)));
  return status;
}

// Memory that runs out outside a compilation (which reports E01 itself) ends the program with
// the memory box, never with a crash.
int MainCatchingExhaustion(const std::vector<std::string>& arguments) {
  try {
    return Main(arguments);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s\n", BoxLine(kOutOfMemoryBox, BoxKind::kFailure).c_str());
    return kExitFailed;
  }
}

// A log that did not reach standard output is a failed run, not a clean one; the same holds for
// messages that did not reach standard error, though those cannot be told.
int WithOutputChecked(int status) {
  const bool out_failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
  const bool err_failed = std::fflush(stderr) != 0 || std::ferror(stderr) != 0;
  if (out_failed) std::fputs(kStdoutFailed, stderr);
  return out_failed || err_failed ? std::max(status, kExitFailed) : status;
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
