#include "common/message_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kem {
namespace {

using Lines = std::vector<std::string>;

TEST(LogModel, TwentyMarkersLeaveOneLine) {
  LogModel log;
  log.EnsureLogWindow();
  for (int i = 0; i < 20; ++i) log.AdvanceProgressMarker();
  EXPECT_EQ(log.lines(), Lines{"      >>>"});
  EXPECT_EQ(log.marker_phase(), 4);
}

TEST(LogModel, PermanentLineReplacesMarker) {
  LogModel log;
  log.EnsureLogWindow();
  log.AppendLogLine("A", false);
  log.AdvanceProgressMarker();
  log.AdvanceProgressMarker();
  log.AppendLogLine("B", false);
  EXPECT_EQ(log.lines(), (Lines{"A", "B"}));
}

TEST(LogModel, ClosingDropsLinesButKeepsPhaseAndFlag) {
  LogModel log;
  log.EnsureLogWindow();
  log.AppendLogLine("A", false);
  log.AdvanceProgressMarker();
  log.CloseLogWindow();
  log.AppendLogLine("lost", false);  // no window: nothing visible, no error
  log.AdvanceProgressMarker();
  log.EnsureLogWindow();
  log.AppendLogLine("B", false);
  EXPECT_EQ(log.lines(), Lines{"B"});
  EXPECT_EQ(log.marker_phase(), 2);
}

TEST(LogModel, SuccessiveCompilationsAccumulate) {
  LogModel log;
  log.EnsureLogWindow();
  log.AppendLogLine("one", false);
  log.EnsureLogWindow();  // an open window keeps its lines
  log.AppendLogLine("two", false);
  EXPECT_EQ(log.lines(), (Lines{"one", "two"}));
}

TEST(ProgressMarker, RunsRightThenBack) {
  EXPECT_EQ(ProgressMarkerText(0), ">>>");
  EXPECT_EQ(ProgressMarkerText(7), "              >>>");
  EXPECT_EQ(ProgressMarkerText(8), "              <<<");
  EXPECT_EQ(ProgressMarkerText(15), "<<<");
  for (int phase = 0; phase < 8; ++phase) {
    EXPECT_EQ(ProgressMarkerText(phase).size(), 3u + 2u * phase);
    EXPECT_EQ(ProgressMarkerText(15 - phase).size(), 3u + 2u * phase);
  }
}

class RecordingListener : public LogListener {
 public:
  void LineRemoved() override { events.push_back("-"); }
  void LineAppended(std::string_view text, bool transient) override {
    events.push_back((transient ? "~" : "+") + std::string(text));
  }
  Lines events;
};

TEST(LogModel, ListenerMirrorsEveryChange) {
  RecordingListener listener;
  LogModel log(&listener);
  log.EnsureLogWindow();
  log.AppendLogLine("A", false);
  log.AdvanceProgressMarker();
  log.AppendLogLine("B", false);
  EXPECT_EQ(listener.events, (Lines{"+A", "~>>>", "-", "+B"}));
}

}  // namespace
}  // namespace kem
