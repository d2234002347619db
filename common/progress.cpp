#include "common/progress.h"

#include <algorithm>
#include <utility>

namespace kem {

namespace {

// About a millisecond between clock reads; the longest stride bounds the first read after the
// work per tick grows suddenly, and still makes the reads rare against the cheapest ticks.
constexpr double kReadsApartNs = 1e6;
constexpr int kLongestStride = 2048;

}  // namespace

ThrottledProgress::ThrottledProgress(MessageLog& log, Clock::duration interval, Now now)
    : log_(log), interval_(interval), now_(std::move(now)) {
  last_read_ = last_move_ = now_();
}

void ThrottledProgress::ReadClock() {
  ticks_ = 0;
  const Clock::time_point now = now_();
  const double elapsed_ns =
      std::max(1.0, std::chrono::duration<double, std::nano>(now - last_read_).count());
  const double wanted = std::min(stride_ * kReadsApartNs / elapsed_ns, 2.0 * stride_);
  stride_ = static_cast<int>(std::clamp(wanted, 1.0, static_cast<double>(kLongestStride)));
  last_read_ = now;
  if (now - last_move_ < interval_) return;
  last_move_ = now;
  log_.AdvanceProgressMarker();
}

}  // namespace kem
