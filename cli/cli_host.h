// kemc as host of the compile driver: the log goes to the terminal, message boxes become lines on
// standard error under kemc's name, and questions are answered "Nein".
#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>

#include "common/message_log.h"
#include "compiler/compile_host.h"

namespace kem::cli {

// Prints permanent log lines to standard output as they are added; the moving marker only when
// standard error is a terminal, on one line that the next line replaces. The marker may move
// hundreds of thousands of times in a compilation: it is drawn at most once per interval, as
// often as an eye can follow it, not once per move.
class TerminalLogView : public LogListener {
 public:
  using Clock = std::chrono::steady_clock;
  using Now = std::function<Clock::time_point()>;

  static constexpr Clock::duration kMarkerInterval = std::chrono::milliseconds(50);

  TerminalLogView(std::FILE* out, std::FILE* err, bool show_marker, Now now = Clock::now)
      : out_(out), err_(err), show_marker_(show_marker), now_(std::move(now)) {}

  void LineRemoved() override {}
  void LineAppended(std::string_view text, bool transient) override;

 private:
  void ClearMarker();

  std::FILE* out_;
  std::FILE* err_;
  bool show_marker_;
  Now now_;
  bool marker_shown_ = false;
  Clock::time_point marker_drawn_;
};

class CliHost : public CompileHost {
 public:
  CliHost(std::FILE* out, std::FILE* err, bool show_marker);

  MessageLog& Log() override { return log_; }
  BoxAnswer ShowMessageBox(std::string_view text, BoxKind kind, BoxIcon icon,
                           BoxButtons buttons) override;

  // Whether a box since ResetRunState refused a file named on the command line.
  bool input_refused() const { return input_refused_; }
  // Whether a box since ResetRunState said that work was not done or not written.
  bool work_failed() const { return work_failed_; }
  void ResetRunState() {
    input_refused_ = false;
    work_failed_ = false;
  }

 private:
  std::FILE* err_;
  TerminalLogView view_;
  LogModel log_;
  bool input_refused_ = false;
  bool work_failed_ = false;
};

}  // namespace kem::cli
