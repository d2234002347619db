// kemc's view of the log: permanent lines on standard output, the moving marker on standard error
// only for a terminal, drawn no more often than an eye can follow while the log keeps every move.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_host.h"

namespace kem::cli {
namespace {

using Clock = TerminalLogView::Clock;

std::string Contents(std::FILE* file) {
  std::fflush(file);
  std::rewind(file);
  std::string text;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) text += static_cast<char>(c);
  return text;
}

class TerminalLogViewTest : public testing::Test {
 protected:
  ~TerminalLogViewTest() override {
    std::fclose(out);
    std::fclose(err);
  }

  std::string Marker(int phase) const {
    return "\r" + std::string(ProgressMarkerText(phase)) + "\x1b[K";
  }

  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  Clock::time_point now{};
};

TEST_F(TerminalLogViewTest, MarkerDrawnAtMostOncePerInterval) {
  TerminalLogView view(out, err, true, [this] { return now; });
  LogModel log(&view);
  log.EnsureLogWindow();
  log.AppendLogLine("Minimierung von Y", false);
  for (int i = 0; i < 1000; ++i) log.AdvanceProgressMarker();  // all at one instant
  now += TerminalLogView::kMarkerInterval - std::chrono::milliseconds(1);
  log.AdvanceProgressMarker();
  now += std::chrono::milliseconds(1);
  log.AdvanceProgressMarker();  // the 1002nd move
  log.AppendLogLine("Compilevorgang beendet", false);
  log.AdvanceProgressMarker();  // the first after a permanent line is drawn at once

  EXPECT_EQ(Contents(out), "Minimierung von Y\nCompilevorgang beendet\n");
  EXPECT_EQ(Contents(err), Marker(0) + Marker(1001) + "\r\x1b[K" + Marker(1002));
  // The log itself saw every move.
  EXPECT_EQ(log.marker_phase(), 1003 % 16);
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"Minimierung von Y", "Compilevorgang beendet",
                                                   std::string(ProgressMarkerText(1002))}));
}

TEST_F(TerminalLogViewTest, NoMarkerWithoutATerminal) {
  TerminalLogView view(out, err, false, [this] { return now; });
  LogModel log(&view);
  log.EnsureLogWindow();
  log.AdvanceProgressMarker();
  log.AppendLogLine("Text wird compiliert", false);
  now += TerminalLogView::kMarkerInterval;
  log.AdvanceProgressMarker();
  EXPECT_EQ(Contents(out), "Text wird compiliert\n");
  EXPECT_EQ(Contents(err), "");
}

}  // namespace
}  // namespace kem::cli
