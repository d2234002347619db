// Progress of long work: the worker says that it goes on, the receiver decides what the user
// sees and how often. A tick must stay cheap enough for any loop that may run for seconds.
#pragma once

#include <chrono>
#include <functional>

#include "common/message_log.h"

namespace kem {

class Progress {
 public:
  virtual ~Progress() = default;
  virtual void Tick() = 0;
};

// Moves the log's progress marker at most once per interval while ticks keep coming. Reading the
// clock costs far more than a tick, so it is read only every so many ticks: as many as make about
// a millisecond, whatever work a tick stands for at the moment.
class ThrottledProgress final : public Progress {
 public:
  using Clock = std::chrono::steady_clock;
  using Now = std::function<Clock::time_point()>;

  static constexpr Clock::duration kDefaultInterval = std::chrono::milliseconds(50);
  static constexpr int kFirstStride = 1;  // ticks before the first clock read

  explicit ThrottledProgress(MessageLog& log, Clock::duration interval = kDefaultInterval,
                             Now now = Clock::now);

  void Tick() override {
    if (++ticks_ >= stride_) ReadClock();
  }

 private:
  void ReadClock();

  MessageLog& log_;
  Clock::duration interval_;
  Now now_;
  Clock::time_point last_read_;
  Clock::time_point last_move_;
  int ticks_ = 0;
  int stride_ = kFirstStride;
};

}  // namespace kem
