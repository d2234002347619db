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
}

// However much work a tick stands for, a second of it moves the marker about twenty times.
TEST(ThrottledProgress, KeepsMovingWhateverTheTickRate) {
  for (const auto per_tick : {std::chrono::nanoseconds(500), std::chrono::nanoseconds(100'000),
                              std::chrono::nanoseconds(30'000'000)}) {
    SCOPED_TRACE(per_tick.count());
    CountingLog log;
    FakeClock clock;
    ThrottledProgress progress(log, milliseconds(50), clock.Reader());
    const long ticks = std::chrono::seconds(1) / per_tick;
    for (long i = 0; i < ticks; ++i) {
      clock.now += per_tick;
      progress.Tick();
    }
    EXPECT_GE(log.moves, 15);
    EXPECT_LE(log.moves, 20);
  }
}

TEST(ThrottledProgress, ReadsTheClockRarelyWhenTicksComeFast) {
  CountingLog log;
  FakeClock clock;
  ThrottledProgress progress(log, milliseconds(50), clock.Reader());
  const int reads_at_start = clock.reads;
  // Ten million ticks of 10 ns each: a tenth of a second.
  for (int i = 0; i < 10'000'000; ++i) {
    clock.now += std::chrono::nanoseconds(10);
    progress.Tick();
  }
  EXPECT_LT(clock.reads - reads_at_start, 10'000'000 / 1000);
  EXPECT_GE(log.moves, 1);
  EXPECT_LE(log.moves, 2);
}

TEST(ThrottledProgress, WithoutIntervalTheFirstTickMovesTheMarker) {
  LogModel log;
  log.EnsureLogWindow();
  ThrottledProgress progress(log, Clock::duration::zero());
  progress.Tick();  // the first tick reads the clock
  EXPECT_EQ(log.lines(), std::vector<std::string>{">>>"});
}

}  // namespace
}  // namespace kem
