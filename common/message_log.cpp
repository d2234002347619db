#include "common/message_log.h"

#include <array>

namespace kem {

namespace {

constexpr int kMarkerPhases = 16;
constexpr std::array<std::string_view, kMarkerPhases> kMarkers = {
    ">>>",           "  >>>",           "    >>>",           "      >>>",         "        >>>",
    "          >>>", "            >>>", "              >>>", "              <<<", "            <<<",
    "          <<<", "        <<<",     "      <<<",         "    <<<",           "  <<<",
    "<<<",
};

}  // namespace

std::string_view ProgressMarkerText(int phase) {
  return kMarkers[phase % kMarkerPhases];
}

void LogModel::AppendLogLine(std::string_view text, bool transient) {
  // Without a window the call changes nothing visible, but the transient flag still follows it.
  if (lines_) {
    if (transient_ && !lines_->empty()) {
      // The moving marker replaces its line hundreds of thousands of times in a long
      // compilation: the line is rewritten where it is.
      lines_->back().assign(text);
      if (listener_) listener_->LineRemoved();
    } else {
      lines_->emplace_back(text);
    }
    if (listener_) listener_->LineAppended(text, transient);
  }
  transient_ = transient;
}

void LogModel::AdvanceProgressMarker() {
  AppendLogLine(kMarkers[phase_], true);
  phase_ = (phase_ + 1) % kMarkerPhases;
}

void LogModel::EnsureLogWindow() {
  if (!lines_) lines_.emplace();
}

void LogModel::CloseLogWindow() {
  lines_.reset();
}

const std::vector<std::string>& LogModel::lines() const {
  static const std::vector<std::string> kNone;
  return lines_ ? *lines_ : kNone;
}

}  // namespace kem
