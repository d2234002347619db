#include "shell/log_mailbox.h"

#include <utility>

namespace kem {

void LogMailbox::AppendLogLine(std::string_view text, bool transient) {
  Post(Call{std::string(text), transient, false});
}

void LogMailbox::AdvanceProgressMarker() {
  // A stale answer only drops a marker that the window would have replaced soon anyway.
  if (marker_waiting_.load(std::memory_order_relaxed)) return;
  Post(Call{{}, true, true});
}

void LogMailbox::Post(Call call) {
  bool was_empty = false;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (call.marker && !waiting_.empty() && waiting_.back().marker) return;
    was_empty = waiting_.empty();
    marker_waiting_.store(call.marker, std::memory_order_relaxed);
    waiting_.push_back(std::move(call));
  }
  // Woken outside the lock: a wake that delivers at once must be able to take it.
  if (was_empty) wake_();
}

void LogMailbox::Deliver(MessageLog& log) {
  std::vector<Call> calls;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    calls.swap(waiting_);
    marker_waiting_.store(false, std::memory_order_relaxed);
  }
  for (const Call& call : calls) {
    if (call.marker) {
      log.AdvanceProgressMarker();
    } else {
      log.AppendLogLine(call.text, call.transient);
    }
  }
}

}  // namespace kem
