// The changes to a shown list of lines that came since it was last brought up to date: how many of
// the shown lines stay, and the new lines that follow them. A window that lays out its whole list
// for every change collects them here and applies them together, so a line costs the same however
// long the list is, and a line replaced before it was ever shown (the moving marker) costs nothing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kem {

class PendingLogLines {
 public:
  struct Changes {
    std::size_t keep = 0;            // the first `keep` shown lines stay as they are
    std::vector<std::string> added;  // and these follow them
    std::size_t removed = 0;  // shown lines beyond `keep` that no new line takes the place of
  };

  void RemoveLast();
  void Append(std::string_view text);

  bool empty() const { return keep_ == shown_ && added_.empty(); }
  // The number of lines once the changes are applied.
  std::size_t count() const { return keep_ + added_.size(); }

  // Hands over the changes and takes the list as brought up to date.
  Changes Take();

 private:
  std::size_t shown_ = 0;
  std::size_t keep_ = 0;
  std::vector<std::string> added_;
};

}  // namespace kem
