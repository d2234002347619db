#include "shell/pending_log_lines.h"

#include <algorithm>
#include <utility>

namespace kem {

void PendingLogLines::RemoveLast() {
  if (!added_.empty()) {
    added_.pop_back();
  } else if (keep_ > 0) {
    --keep_;
  }
}

void PendingLogLines::Append(std::string_view text) {
  added_.emplace_back(text);
}

PendingLogLines::Changes PendingLogLines::Take() {
  Changes changes;
  changes.keep = keep_;
  changes.removed = shown_ - keep_ - std::min(shown_ - keep_, added_.size());
  changes.added = std::move(added_);
  added_.clear();
  shown_ = keep_ + changes.added.size();
  keep_ = shown_;
  return changes;
}

}  // namespace kem
