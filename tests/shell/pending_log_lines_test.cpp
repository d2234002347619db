// The changes a window applies in one go must leave it with exactly the lines it would have shown
// by applying every change as it came.
#include "shell/pending_log_lines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kem {
namespace {

using Lines = std::vector<std::string>;

// What a window does with the changes: keep, rewrite in place, add, drop.
void Apply(const PendingLogLines::Changes& changes, Lines& shown) {
  ASSERT_LE(changes.keep, shown.size());
  std::size_t row = changes.keep;
  for (const std::string& line : changes.added) {
    if (row < shown.size()) {
      shown[row] = line;
    } else {
      shown.push_back(line);
    }
    ++row;
  }
  ASSERT_EQ(shown.size() - row, changes.removed);
  shown.resize(row);
}

TEST(PendingLogLines, AShownLineReplacedIsRewrittenInPlace) {
  PendingLogLines pending;
  pending.Append("A");
  pending.Append(">>>");
  Lines shown;
  Apply(pending.Take(), shown);
  EXPECT_EQ(shown, (Lines{"A", ">>>"}));
  EXPECT_TRUE(pending.empty());  // nothing new: nothing to do
  // The marker moves a thousand times before the window looks again: one row changes.
  for (int i = 0; i < 1000; ++i) {
    pending.RemoveLast();
    pending.Append(std::to_string(i));
  }
  EXPECT_FALSE(pending.empty());
  const PendingLogLines::Changes changes = pending.Take();
  EXPECT_EQ(changes.keep, 1u);
  EXPECT_EQ(changes.added, Lines{"999"});
  EXPECT_EQ(changes.removed, 0u);
}

TEST(PendingLogLines, ShownLinesTakenAwayAreRemoved) {
  PendingLogLines pending;
  for (const char* line : {"A", "B", "C"}) pending.Append(line);
  Lines shown;
  Apply(pending.Take(), shown);
  pending.RemoveLast();
  pending.RemoveLast();
  pending.Append("D");
  EXPECT_EQ(pending.count(), 2u);
  const PendingLogLines::Changes changes = pending.Take();
  EXPECT_EQ(changes.removed, 1u);
  Apply(changes, shown);
  EXPECT_EQ(shown, (Lines{"A", "D"}));

  // Taking away more than there is leaves an empty list, as the window's own list would.
  for (int i = 0; i < 5; ++i) pending.RemoveLast();
  pending.Append("E");
  Apply(pending.Take(), shown);
  EXPECT_EQ(shown, Lines{"E"});
}

TEST(PendingLogLines, AnyMixOfChangesEndsAsTheListChangedLineByLine) {
  std::mt19937 random(7);
  PendingLogLines pending;
  Lines expected;
  Lines shown;
  for (int step = 0; step < 20000; ++step) {
    const unsigned what = random() % 16;
    if (what < 5) {
      pending.RemoveLast();
      if (!expected.empty()) expected.pop_back();
    } else if (what < 15) {
      const std::string line = std::to_string(step);
      pending.Append(line);
      expected.push_back(line);
    } else {
      Apply(pending.Take(), shown);
      ASSERT_EQ(shown, expected) << "step " << step;
    }
    ASSERT_EQ(pending.count(), expected.size());
  }
  Apply(pending.Take(), shown);
  EXPECT_EQ(shown, expected);
}

}  // namespace
}  // namespace kem
