#include "compiler/driver.h"

#include <cstdio>

#include "common/command_ids.h"
#include "common/format.h"
#include "common/internal_check.h"
#include "common/names.h"
#include "compiler/header.h"
#include "compiler/messages.h"
#include "compiler/statements.h"
#include "compiler/symbols.h"

namespace kem {

namespace {

void ShowOutOfMemoryBox(CompileRun& run) {
  run.host.ShowMessageBox(messages::kOutOfMemory, BoxIcon::kError, BoxButtons::kOk);
}

// A file that cannot be created is named to the user and makes the compilation unclean, so that
// no fit follows; nothing is ever written to it.
void ReportCannotSave(CompileRun& run, const std::string& file_name) {
  run.host.ShowMessageBox(FormatText(messages::kCannotSave, {file_name}), BoxIcon::kNone,
                          BoxButtons::kOk);
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

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

std::unique_ptr<CompileRun> RunCompileCommand(const CompileJob& job, CompileHost& host,
                                              const CompileOptions& options) {
  // The outputs would overwrite the source: never compile, offer to save under another name.
  if (IsOutputExtension(job.document_name)) {
    if (host.ShowMessageBox(messages::kRefuseOwnOutput, BoxIcon::kQuestion,
                            BoxButtons::kYesNoCancel) == BoxAnswer::kYes)
      host.RunSaveAsCommand();
    return nullptr;
  }

  for (int id : {kCmdCompileAndFit, kCmdCompileOnly, kCmdFitOnly, kCmdMinimizationOption})
    host.SetMenuItemEnabled(id, false);
  host.Log().AppendLogLine(messages::kCompiling, false);
  host.ShowWaitCursor();

  const std::string stem = Stem(job.document_name);
  const std::string listing_name = stem + "mds";
  const std::string intermediate_name = stem + std::string(kIntermediateExtension);
  const std::string error_name = stem + std::string(kErrorFileExtension);

  auto run = std::make_unique<CompileRun>(options, host);
  CompileDesign(*run, job.document_name, listing_name, intermediate_name, error_name);
  host.ClearCompileNeeded();

  LogResultLine(*run);
  if (!run->CompileAborted() && job.fit_after_compile) {
    if (run->CompileClean())
      host.RunFitCommand(job.document_name);
    else
      host.ShowMessageBox(messages::kFitImpossible, BoxIcon::kNone, BoxButtons::kOk);
  }

  host.SetMenuItemEnabled(kCmdCompileOnly, true);
  host.SetMenuItemEnabled(kCmdMinimizationOption, true);
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

  std::unique_ptr<std::FILE, FileCloser> error_file(std::fopen(error_name.c_str(), "wb"));
  if (!error_file) {
    ReportCannotSave(run, error_name);
  } else {
    run.error_file_created = true;
    run.diagnostics.AttachErrorFile(error_file.get());
    if (!run.source.Load(source_name)) {
      run.Report(Diag::E04);
    } else {
      try {
        if (InitSymbolTable(run, true) < 0 || ParseDesign(run, listing_name, intermediate_name) < 0)
          ShowOutOfMemoryBox(run);
      } catch (const InternalError& error) {
        ReportInternalError(run, error);
      }
    }
    run.diagnostics.DetachErrorFile();
    error_file.reset();
  }

  run.log().AdvanceProgressMarker();
  run.nodes.ReleaseNodePool();
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
