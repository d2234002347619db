#include "compiler/driver.h"

#include <initializer_list>
#include <new>

#include "common/file_io.h"
#include "common/format.h"
#include "common/internal_check.h"
#include "common/interrupt_cleanup.h"
#include "common/names.h"
#include "common/output_file.h"
#include "compiler/header.h"
#include "compiler/messages.h"
#include "compiler/statements.h"
#include "compiler/symbols.h"
#include "device/fitter.h"

namespace kem {

namespace {

void ShowOutOfMemoryBox(CompileHost& host) {
  host.ShowMessageBox(messages::kOutOfMemory, BoxKind::kFailure, BoxIcon::kError, BoxButtons::kOk);
}

void ShowOutOfMemoryBox(CompileRun& run) {
  ShowOutOfMemoryBox(run.host);
}

// A file that cannot be created is named to the user and makes the compilation unclean, so that
// no fit follows; nothing is ever written to it.
void ReportCannotSave(CompileRun& run, const std::string& file_name) {
  run.host.ShowMessageBox(FormatText(messages::kCannotSave, {file_name}), BoxKind::kFailure,
                          BoxIcon::kNone, BoxButtons::kOk);
  run.diagnostics.CountError();
}

// Ends the compilation as aborted; nothing of the design is fitted.
void ReportInternalError(CompileRun& run, const InternalError& error) {
  run.diagnostics.ReportDiagnostic(Diag::E03, 0);
  run.log().AppendLogLine(FormatText(messages::kInternalErrorAt, {error.Where()}), false);
}

void LogResultLine(CompileRun& run) {
  const DiagnosticCounts& counts = run.diagnostics.counts();
  if (run.CompileAborted()) {
    run.log().AppendLogLine(messages::kAborted, false);
    return;
  }
  run.log().AppendLogLine(FormatText(messages::kFinished, {std::to_string(counts.warnings),
                                                           std::to_string(counts.errors)}),
                          false);
}

// An output name that leads to the source itself, through a link of either kind.
bool OutputIsTheSource(const std::string& source, std::initializer_list<std::string> outputs) {
  for (const std::string& output : outputs) {
    if (IsSameFile(output, source)) return true;
  }
  return false;
}

enum class SourceLoad { kLoaded, kCannotOpen, kOutOfMemory };

// Reads the source within what is left of the budget; the text stays charged while it is parsed.
SourceLoad LoadSource(CompileRun& run, const std::string& source_name) {
  switch (run.source.Load(source_name, run.budget.limit() - run.budget.in_use())) {
    case ReadResult::kCannotOpen:
      return SourceLoad::kCannotOpen;
    case ReadResult::kTooLarge:
      run.diagnostics.ReportDiagnostic(Diag::E01, 0);
      return SourceLoad::kOutOfMemory;
    case ReadResult::kRead:
      break;
  }
  return run.source_charge.Take(run.budget, run.diagnostics, run.source.size(), 1)
             ? SourceLoad::kLoaded
             : SourceLoad::kOutOfMemory;
}

// Everything between creating the error file and publishing the outputs. False when memory ran
// out; E01 has then been reported, and the listing and intermediate file stay as far as they got.
bool ParseSource(CompileRun& run, const std::string& source_name, const std::string& listing_name,
                 const std::string& intermediate_name) {
  try {
    switch (LoadSource(run, source_name)) {
      case SourceLoad::kCannotOpen:
        run.Report(Diag::E04);
        return true;
      case SourceLoad::kOutOfMemory:
        return false;
      case SourceLoad::kLoaded:
        break;
    }
    if (InitSymbolTable(run, true) >= 0 && ParseDesign(run, listing_name, intermediate_name) >= 0)
      return true;
  } catch (const std::bad_alloc&) {
    run.diagnostics.ReportDiagnostic(Diag::E01, 0);
  } catch (const InternalError& error) {
    ReportInternalError(run, error);
    return true;  // a bug, not a lack of memory
  }
  return false;
}

// The error file, listing and intermediate file take their names together, with no interrupt
// between them: an interrupted run leaves either the earlier run's files or this run's. A file
// that could not be written whole is named to the user and keeps what it held.
void PublishOutputs(CompileRun& run, OutputFile& error_file) {
  std::string failed_output;
  if (!run.outputs.FinishAsTheyStand(&failed_output)) ReportCannotSave(run, failed_output);
  const bool error_file_whole = error_file.Finish();
  bool outputs_published = true;
  {
    InterruptBlock block;
    run.error_file_created = error_file_whole && error_file.Publish();
    outputs_published = run.outputs.Publish(&failed_output);
  }
  if (!run.error_file_created) ReportCannotSave(run, error_file.path());
  if (!outputs_published) ReportCannotSave(run, failed_output);
}

}  // namespace

std::unique_ptr<CompileRun> RunCompileCommand(const CompileJob& job, CompileHost& host,
                                              const CompileOptions& options) {
  const std::string stem = Stem(job.document_name);
  const std::string listing_name = stem + std::string(kListingExtension);
  const std::string intermediate_name = stem + std::string(kIntermediateExtension);
  const std::string error_name = stem + std::string(kErrorFileExtension);

  // The outputs would overwrite the source: never compile, offer to save under another name.
  if (IsOutputExtension(job.document_name) ||
      OutputIsTheSource(job.document_name, {listing_name, intermediate_name, error_name})) {
    if (host.ShowMessageBox(messages::kRefuseOwnOutput, BoxKind::kRefusal, BoxIcon::kQuestion,
                            BoxButtons::kYesNoCancel) == BoxAnswer::kYes)
      host.SaveUnderAnotherNameRequested();
    return nullptr;
  }

  host.CompilationStarted();
  host.Log().AppendLogLine(messages::kCompiling, false);

  std::unique_ptr<CompileRun> run;
  try {
    run = std::make_unique<CompileRun>(options, host);
    CompileDesign(*run, job.document_name, listing_name, intermediate_name, error_name);
    host.SourceCompiled();

    LogResultLine(*run);
    if (!run->CompileAborted() && job.fit_after_compile) {
      if (run->CompileClean())
        run->fit = FitCommand(job.document_name, host, host.Log(), &run->fitted);
      else
        host.ShowMessageBox(messages::kFitImpossible, BoxKind::kFailure, BoxIcon::kNone,
                            BoxButtons::kOk);
    }
  } catch (const std::bad_alloc&) {
    // Memory ran out outside the compilation proper: the host must hear of the end all the same.
    ShowOutOfMemoryBox(host);
  }

  host.CompilationEnded();
  return run;
}

int CompileDesign(CompileRun& run, const std::string& source_name, const std::string& listing_name,
                  const std::string& intermediate_name, const std::string& error_name) {
  run.synthesis.minimization_flag = 1;
  run.diagnostics.ResetDiagnosticCounts();

  if (run.nodes.ReserveNodePool(run.synthesis) < 0) {
    ShowOutOfMemoryBox(run);
    return run.CompileAborted() ? 0 : 1;
  }
  run.log().AdvanceProgressMarker();

  OutputFile error_file;
  if (KindOfPath(source_name) == PathKind::kNotAFile) {
    // Beside a device or a FIFO lies a system folder, and a folder has no "beside": the
    // diagnostic is shown in the log alone, and no output is made.
    run.source_not_a_file = true;
    run.diagnostics.OpenErrorFile();  // kept for the caller, never written
    run.diagnostics.ReportDiagnostic(Diag::E04, 0);
    run.diagnostics.CloseErrorFile();
    run.log().AppendLogLine(DiagnosticEntry(Diag::E04).format, false);
  } else if (!error_file.Create(error_name)) {
    ReportCannotSave(run, error_name);
  } else {
    run.diagnostics.OpenErrorFile();
    const bool parsed = ParseSource(run, source_name, listing_name, intermediate_name);
    run.diagnostics.CloseErrorFile();
    const std::string errors = ErrorFileText(run.diagnostics.entries());
    std::fwrite(errors.data(), 1, errors.size(), error_file.stream());
    PublishOutputs(run, error_file);
    if (!parsed) ShowOutOfMemoryBox(run);
  }

  run.log().AdvanceProgressMarker();
  run.nodes.ReleaseNodePool();
  run.source_charge.Drop();
  return run.CompileAborted() ? 0 : 1;
}

int ParseDesign(CompileRun& run, const std::string& listing_name,
                const std::string& intermediate_name) {
  ParseHeader(run);
  if (run.CompileAborted()) {
    run.Report(Diag::E11);
    return 1;
  }

  std::string failed_name;
  if (!run.outputs.OpenOutputs(listing_name, intermediate_name, run.design, run.pins,
                               &failed_name)) {
    ReportCannotSave(run, failed_name);
    return 1;
  }

  Scanner& scanner = run.scanner;
  for (int k = 0;; ++k) {
    const SourceText::Mark start = scanner.source().MarkPosition();
    scanner.SkipText(SkipMode::kBlanks);
    if (scanner.source().at_end()) break;
    scanner.source().ReturnTo(start);

    const int rc = ParseStatement(run);
    if (rc == -1) return -1;  // no feedback check, no symbol table block
    if (rc == -2) break;
    run.log().AppendLogLine(k % 2 == 0 ? messages::kStatementEven : messages::kStatementOdd, false);
    run.log().AdvanceProgressMarker();
  }

  CheckFeedback(run);
  CheckTristateTargets(run);
  if (!run.outputs.CloseOutputs(run.design, run.pins, &failed_name))
    ReportCannotSave(run, failed_name);
  return 1;
}

}  // namespace kem
