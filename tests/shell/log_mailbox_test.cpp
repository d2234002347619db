// The worker's log calls reach the window complete and in order, however the two threads meet.
#include "shell/log_mailbox.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/counting_log.h"

namespace kem {
namespace {

using testing_support::CountingLog;
using Lines = std::vector<std::string>;

TEST(LogMailbox, DeliversInCallOrderAndWakesOncePerBatch) {
  int wakes = 0;
  LogMailbox mailbox([&] { ++wakes; });
  CountingLog log;
  mailbox.AppendLogLine("A", false);
  mailbox.AdvanceProgressMarker();
  mailbox.AppendLogLine("B", false);
  EXPECT_EQ(wakes, 1);
  EXPECT_TRUE(log.model.lines().empty());  // nothing reaches the window before delivery
  mailbox.Deliver(log);
  EXPECT_EQ(log.model.lines(), (Lines{"A", "B"}));
  EXPECT_EQ(log.moves, 1);
  mailbox.AppendLogLine("C", true);
  EXPECT_EQ(wakes, 2);
  mailbox.AppendLogLine("D", false);  // replaces the transient C
  mailbox.Deliver(log);
  EXPECT_EQ(log.model.lines(), (Lines{"A", "B", "D"}));
}

TEST(LogMailbox, MarkersWaitingBackToBackCountOnce) {
  LogMailbox mailbox([] {});
  CountingLog log;
  for (int i = 0; i < 1000; ++i) mailbox.AdvanceProgressMarker();
  mailbox.AppendLogLine("A", false);
  mailbox.AdvanceProgressMarker();
  mailbox.AdvanceProgressMarker();
  mailbox.Deliver(log);
  EXPECT_EQ(log.moves, 2);
  EXPECT_EQ(log.model.lines(), (Lines{"A", "  >>>"}));  // the second phase
  mailbox.Deliver(log);                                 // nothing waits: nothing happens
  EXPECT_EQ(log.moves, 2);
}

// A worker that writes while the other thread delivers whenever it is woken: no line is lost,
// none comes twice, and the order holds.
TEST(LogMailbox, NoLineLostBetweenThreads) {
  std::atomic<int> wakes{0};
  LogMailbox mailbox([&] { ++wakes; });
  CountingLog log;
  constexpr int kLines = 20000;
  std::thread worker([&] {
    for (int i = 0; i < kLines; ++i) {
      mailbox.AppendLogLine(std::to_string(i), false);
      mailbox.AdvanceProgressMarker();
    }
  });
  std::atomic<bool> done{false};
  std::thread ender([&] {
    worker.join();
    done = true;
  });
  while (!done) mailbox.Deliver(log);
  ender.join();
  mailbox.Deliver(log);
  const Lines& lines = log.model.lines();
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kLines) + 1);  // and the last marker
  for (int i = 0; i < kLines; ++i) ASSERT_EQ(lines[static_cast<std::size_t>(i)], std::to_string(i));
  EXPECT_GE(log.moves, 1);
  EXPECT_LE(wakes.load(), 2 * kLines);
}

}  // namespace
}  // namespace kem
