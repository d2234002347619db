// The frame's compile commands: compiling on the worker, fitting, the views of the results, and the
// compile driver's host on the user-interface thread.
#include "shell/frame.h"

#include "common/command_ids.h"
#include "common/file_io.h"
#include "common/file_messages.h"
#include "common/format.h"
#include "common/names.h"
#include "compiler/driver.h"
#include "compiler/messages.h"
#include "device/fit_report.h"
#include "device/fitter.h"
#include "device/jedec_reader.h"
#include "device/part_file.h"
#include "shell/shell_messages.h"

namespace kem {

// "Compilieren und Fitten" is offered whenever "Nur Compilieren" is. While a compilation runs
// neither is, so only one runs at a time.
void Frame::EnableCompileCommands() {
  if (compiling_) return;
  ui_.SetMenuItemEnabled(kCmdCompileOnly, true);
  ui_.SetMenuItemEnabled(kCmdCompileAndFit, true);
}

void Frame::EnableViews() {
  for (int id : {kCmdViewErrors, kCmdViewEquations, kCmdViewJedec})
    ui_.SetMenuItemEnabled(id, true);
}

void Frame::Compile(int command_id) {
  if (compiling_) return;
  if (!AskToSave()) return;
  if (document_.name().empty()) return;

  CompileJob job;
  job.document_name = document_.name();
  job.fit_after_compile = command_id == kCmdCompileAndFit;
  CompileOptions options;
  options.minimization_level = minimization_level_;

  EnsureLogWindow();
  compiling_ = true;
  ui_.RunCompilation(
      host_, [job, options](CompileHost& host) { return RunCompileCommand(job, host, options); },
      [this](std::unique_ptr<CompileRun> run) { CompileFinished(std::move(run)); });
  EnableViews();
}

void Frame::CompileFinished(std::unique_ptr<CompileRun> run) {
  compiling_ = false;
  ui_.SetWaitCursor(false);
  // A refused compilation changes no menu item and leaves the last result as it was.
  if (run) {
    last_run_ = std::move(run);
    ui_.SetMenuItemEnabled(kCmdFitOnly, true);
    ui_.SetMenuItemEnabled(kCmdStartSimulation, true);
    KeepFittedDesign(std::move(last_run_->fitted));
  }
  CarryOutPendingClose();
}

// The part kem.ini names makes every fitted file of its family that part's, and the LOG says what
// to choose in the programmer; the designs of the other families keep their family's file.
void Frame::WriteJedecForPart(const FittedDesign& fitted) {
  const Part* part = FindPart(part_);
  if (part == nullptr || part->gal_type != fitted.gal_type) return;
  if (part == &FamilyPart(fitted.gal_type)) return;
  const std::string jedec_name = Stem(document_.name()) + std::string(kJedecExtension);
  std::string text;
  std::string error;
  std::optional<JedecFile> jedec;
  if (ReadRegularFile(jedec_name, text, kMaxJedecFuses * 4) == ReadResult::kRead)
    jedec = ReadJedec(text, error);
  if (!jedec || !SaveJedecForPart(jedec_name, text, *part, false, false)) {
    ShowMessage(FormatText(file_messages::kCannotSave, {jedec_name}), BoxKind::kFailure);
    return;
  }
  log_.AppendLogLine(ProgrammerHint(*part, jedec->fuse_count, false, false), false);
}

bool Frame::CompiledDesignAvailable() {
  if (compiling_ || !AskToSave() || document_.name().empty()) return false;
  if (compile_needed_) {
    ShowMessage(shell_messages::kCompileFirst, BoxKind::kRefusal);
    return false;
  }
  return true;
}

void Frame::FitOnly() {
  if (!CompiledDesignAvailable()) return;
  if (last_run_ && last_run_->CompileClean()) {
    std::optional<FittedDesign> fitted;
    FitCommand(document_.name(), ui_, log_, &fitted);
    KeepFittedDesign(std::move(fitted));
  } else
    ShowMessage(messages::kFitImpossible, BoxKind::kFailure);
  EnableViews();
}

void Frame::OpenView(int kind) {
  if (document_.name().empty()) return;
  document_.OpenView(kind, compile_needed_, font_);
}

// The fit report is the last compilation's, not a file's. Its item is always offered; without a
// compiled design it says what is missing.
void Frame::ShowPinUsage() {
  if (document_.name().empty()) return;
  const CompileRun* run = last_run_.get();
  if (compile_needed_ || run == nullptr || run->CompileAborted() || run->design.Gal_Type < 0) {
    ui_.ShowMessageBox(shell_messages::kCompileFirst, BoxKind::kRefusal, BoxIcon::kNone,
                       BoxButtons::kOk);
    return;
  }
  document_.ShowTextView(kViewPinUsage, shell_messages::kPinUsageCaption,
                         FitReport(run->pins, run->design, run->synthesis.written_terms), font_);
}

void Frame::EnsureLogWindow() {
  if (log_.window_open()) return;
  log_.EnsureLogWindow();
  ui_.ShowLogWindow(font_);
}

BoxAnswer Frame::Host::ShowMessageBox(std::string_view text, BoxKind kind, BoxIcon icon,
                                      BoxButtons buttons) {
  return frame_.ui_.ShowMessageBox(text, kind, icon, buttons);
}

// While a compilation runs, nothing that reads its outputs or changes how it minimizes can start:
// the simulation goes with "Nur Fitten". Afterwards "Compilieren und Fitten" comes back with "Nur
// Compilieren"; "Nur Fitten" and the simulation wait for the frame to take the run.
void Frame::Host::CompilationStarted() {
  for (int id : {kCmdCompileAndFit, kCmdCompileOnly, kCmdFitOnly, kCmdStartSimulation,
                 kCmdMinimizationOption})
    frame_.ui_.SetMenuItemEnabled(id, false);
  frame_.ui_.SetWaitCursor(true);
}

void Frame::Host::CompilationEnded() {
  for (int id : {kCmdCompileOnly, kCmdCompileAndFit, kCmdMinimizationOption})
    frame_.ui_.SetMenuItemEnabled(id, true);
}

void Frame::Host::SaveUnderAnotherNameRequested() {
  frame_.HandleCommand(kCmdSaveAs);
}

}  // namespace kem
