#include "common/progress.h"

#include <gtest/gtest.h>

#include <chrono>

#include "tests/support/counting_log.h"

namespace kem {
namespace {

using Clock = ThrottledProgress::Clock;
using std::chrono::milliseconds;
using testing_support::CountingLog;

// A clock that moves only when the test says so, and counts how often it is read.
struct FakeClock {
  Clock::time_point now{};
  int reads = 0;
  ThrottledProgress::Now Reader() {
    return [this] {
      ++reads;
      return now;
    };
  }
};

TEST(ThrottledProgress, MovesTheMarkerAtMostOncePerInterval) {
  CountingLog log;
  FakeClock clock;
  ThrottledProgress progress(log, milliseconds(50), clock.Reader());
  for (int i = 0; i < 10000; ++i) progress.Tick();
  EXPECT_EQ(log.moves, 0);  // work that ends within the interval shows no marker

  clock.now += milliseconds(50);
  for (int i = 0; i < 10000; ++i) progress.Tick();
  EXPECT_EQ(log.moves, 1);
  EXPECT_EQ(log.model.lines(), std::vector<std::string>{">>>"});

  // Work that goes on for a second moves the marker about twenty times.
  for (int step = 0; step < 100; ++step) {
    clock.now += milliseconds(10);
    for (int i = 0; i < ThrottledProgress::kTicksPerClockRead; ++i) progress.Tick();
  }
  EXPECT_EQ(log.moves, 1 + 20);
}

TEST(ThrottledProgress, ReadsTheClockOnlyNowAndThen) {
  LogModel log;
  FakeClock clock;
  ThrottledProgress progress(log, milliseconds(50), clock.Reader());
  const int reads_at_start = clock.reads;
  for (int i = 0; i < 100 * ThrottledProgress::kTicksPerClockRead; ++i) progress.Tick();
  EXPECT_EQ(clock.reads - reads_at_start, 100);
}

TEST(ThrottledProgress, WithoutIntervalEveryClockReadMovesTheMarker) {
  LogModel log;
  log.EnsureLogWindow();
  ThrottledProgress progress(log, Clock::duration::zero());
  for (int i = 0; i < 3 * ThrottledProgress::kTicksPerClockRead; ++i) progress.Tick();
  EXPECT_EQ(log.marker_phase(), 3);
  EXPECT_EQ(log.lines(), std::vector<std::string>{"    >>>"});
}

}  // namespace
}  // namespace kem
