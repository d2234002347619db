// A log for tests of progress: its lines, and how often the marker moved, since the marker's phase
// wraps around after sixteen moves.
#pragma once

#include "common/message_log.h"

namespace kem::testing_support {

class CountingLog final : public MessageLog {
 public:
  CountingLog() { model.EnsureLogWindow(); }
  void AppendLogLine(std::string_view text, bool transient) override {
    model.AppendLogLine(text, transient);
  }
  void AdvanceProgressMarker() override {
    model.AdvanceProgressMarker();
    ++moves;
  }

  LogModel model;
  int moves = 0;
};

}  // namespace kem::testing_support
