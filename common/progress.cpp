#include "common/progress.h"

#include <utility>

namespace kem {

ThrottledProgress::ThrottledProgress(MessageLog& log, Clock::duration interval, Now now)
    : log_(log), interval_(interval), now_(std::move(now)), last_move_(now_()) {}

void ThrottledProgress::ReadClock() {
  ticks_ = 0;
  const Clock::time_point now = now_();
  if (now - last_move_ < interval_) return;
  last_move_ = now;
  log_.AdvanceProgressMarker();
}

}  // namespace kem
