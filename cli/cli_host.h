// kemc as host of the compile driver: the log goes to the terminal, message boxes become lines on
// standard error, and questions are answered "Nein".
#pragma once

#include <cstdio>
#include <string>

#include "common/message_log.h"
#include "compiler/compile_host.h"

namespace kem::cli {

// Prints permanent log lines to standard output as they are added; the moving marker only when
// standard error is a terminal, on one line that the next line replaces.
class TerminalLogView : public LogListener {
 public:
  TerminalLogView(std::FILE* out, std::FILE* err, bool show_marker)
      : out_(out), err_(err), show_marker_(show_marker) {}

  void LineRemoved() override {}
  void LineAppended(std::string_view text, bool transient) override;

 private:
  void ClearMarker();

  std::FILE* out_;
  std::FILE* err_;
  bool show_marker_;
  bool marker_shown_ = false;
};

class CliHost : public CompileHost {
 public:
  CliHost(std::FILE* out, std::FILE* err, bool show_marker);

  MessageLog& Log() override { return log_; }
  BoxAnswer ShowMessageBox(std::string_view text, BoxIcon icon, BoxButtons buttons) override;
  void SetMenuItemEnabled(int, bool) override {}
  void ShowWaitCursor() override {}
  void ClearCompileNeeded() override {}
  void RunSaveAsCommand() override {}
  void RunFitCommand(std::string_view document_name) override;

  // Set when a fit was asked for and did not succeed.
  bool fit_failed() const { return fit_failed_; }
  bool fit_unavailable() const { return fit_unavailable_; }
  void ResetFitState() { fit_failed_ = fit_unavailable_ = false; }

 private:
  std::FILE* err_;
  TerminalLogView view_;
  LogModel log_;
  bool fit_failed_ = false;
  bool fit_unavailable_ = false;
};

inline constexpr std::string_view kFitterUnavailable = "kemc: Fitten ist noch nicht verfügbar";

}  // namespace kem::cli
