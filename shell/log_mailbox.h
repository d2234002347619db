// The log calls of a worker thread, kept in call order until the user-interface thread delivers
// them, so that the worker never waits for the window. A marker that comes while the last call
// waiting is a marker is dropped: the window shows one marker either way, and a fast worker
// cannot flood the user-interface thread with them.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "common/message_log.h"

namespace kem {

class LogMailbox : public MessageLog {
 public:
  // `wake` is called, from the caller's thread, whenever a call arrives in an empty mailbox; it
  // must arrange for Deliver to run on the user-interface thread.
  explicit LogMailbox(std::function<void()> wake) : wake_(std::move(wake)) {}

  void AppendLogLine(std::string_view text, bool transient) override;
  void AdvanceProgressMarker() override;

  // Carries out every call waiting, in order, on `log`.
  void Deliver(MessageLog& log);

 private:
  struct Call {
    std::string text;
    bool transient = false;
    bool marker = false;
  };
  void Post(Call call);

  std::function<void()> wake_;
  std::mutex mutex_;
  std::vector<Call> waiting_;
  // Whether the last call waiting is a marker, readable without the lock: the parser and the
  // minimizer may tick hundreds of thousands of times a second.
  std::atomic<bool> marker_waiting_{false};
};

}  // namespace kem
