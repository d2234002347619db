#include "cli/cli_host.h"

#include "cli/box_lines.h"

namespace kem::cli {

namespace {

void WriteLine(std::FILE* file, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), file);
  std::fputc('\n', file);
  std::fflush(file);
}

}  // namespace

void TerminalLogView::LineAppended(std::string_view text, bool transient) {
  if (transient) {
    if (!show_marker_) return;
    const Clock::time_point now = now_();
    if (marker_shown_ && now - marker_drawn_ < kMarkerInterval) return;
    marker_drawn_ = now;
    std::fputc('\r', err_);
    std::fwrite(text.data(), 1, text.size(), err_);
    std::fputs("\x1b[K", err_);
    std::fflush(err_);
    marker_shown_ = true;
    return;
  }
  ClearMarker();
  WriteLine(out_, text);
}

void TerminalLogView::ClearMarker() {
  if (!marker_shown_) return;
  std::fputs("\r\x1b[K", err_);
  std::fflush(err_);
  marker_shown_ = false;
}

CliHost::CliHost(std::FILE* out, std::FILE* err, bool show_marker)
    : err_(err), view_(out, err, show_marker), log_(&view_) {
  log_.EnsureLogWindow();
}

BoxAnswer CliHost::ShowMessageBox(std::string_view text, BoxKind kind, BoxIcon,
                                  BoxButtons buttons) {
  input_refused_ = input_refused_ || kind == BoxKind::kRefusal;
  work_failed_ = work_failed_ || kind == BoxKind::kFailure;
  WriteLine(err_, BoxLine(text, kind));
  return buttons == BoxButtons::kYesNoCancel ? BoxAnswer::kNo : BoxAnswer::kOk;
}

}  // namespace kem::cli
