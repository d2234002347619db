// The message log: the lines in which a compilation and the fitter report progress and results.
// The last line may be transient (the moving progress marker) and is then replaced by the next one.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kem {

// What the compiler and the fitter write to. A host carries the calls out in call order and
// returns only when the line is in the log.
class MessageLog {
 public:
  virtual ~MessageLog() = default;
  virtual void AppendLogLine(std::string_view text, bool transient) = 0;
  virtual void AdvanceProgressMarker() = 0;
};

// Told about every change of the visible lines, so a terminal or a window can mirror them.
class LogListener {
 public:
  virtual ~LogListener() = default;
  virtual void LineRemoved() = 0;  // the last line was taken away
  virtual void LineAppended(std::string_view text, bool transient) = 0;
};

// The log itself, without any window. Its window may be closed and opened again: closing drops
// the lines; the transient flag and the marker phase live as long as the model.
class LogModel : public MessageLog {
 public:
  explicit LogModel(LogListener* listener = nullptr) : listener_(listener) {}

  void AppendLogLine(std::string_view text, bool transient) override;
  void AdvanceProgressMarker() override;

  void EnsureLogWindow();  // opens an empty window unless one is open
  void CloseLogWindow();
  bool window_open() const { return lines_.has_value(); }

  // The lines of the open window; empty when none is open.
  const std::vector<std::string>& lines() const;
  int marker_phase() const { return phase_; }

 private:
  LogListener* listener_;
  std::optional<std::vector<std::string>> lines_;
  bool transient_ = false;
  int phase_ = 0;
};

// The marker text of a phase 0..15: ">>>" moving right in steps of two blanks, then "<<<" back.
std::string_view ProgressMarkerText(int phase);

}  // namespace kem
