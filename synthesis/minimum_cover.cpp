// MinimumCover: the covering table of the primes, reduced, then searched. A row of the table is a
// minterm, a column a prime. The essential primes (the only column of some row) are taken first;
// then, until nothing changes, a row whose columns include another row's is dropped (covering
// the other covers it), a column whose rows another column covers too is dropped (the other does
// as well), and a row left with one column takes it. What remains, the cyclic core, is searched by
// branch and bound: branch on the uncovered row with the fewest columns, each of its columns in
// turn (a column tried is excluded from the branches after it), and cut a branch when its terms
// plus a lower bound reach the best cover known. The bound is a set of uncovered rows of which no
// two share a column: each needs a prime of its own.
//
// R and C are the rows and columns of the core; a row's columns and a column's rows are bit sets.
#include <algorithm>
#include <bit>
#include <numeric>
#include <vector>

#include "synthesis/minimal_minimize.h"
#include "synthesis/row_sets.h"

namespace kem {

namespace {

// Beyond these the table is not built or not searched, and the cover given stays.
constexpr std::uint64_t kMaxIncidences = std::uint64_t{1} << 23;  // minterm-prime pairs
constexpr std::uint64_t kMaxCoreWords = std::uint64_t{1} << 22;   // words of the core's bit sets
// Word operations the reductions and the search may spend: some hundredths of a second.
constexpr std::uint64_t kSearchWork = std::uint64_t{1} << 23;

using Bits = std::vector<std::uint64_t>;

std::size_t WordsOf(std::size_t bits) {
  return (bits + 63) / 64;
}
bool Has(const std::uint64_t* bits, std::size_t i) {
  return ((bits[i / 64] >> (i % 64)) & 1u) != 0;
}
void Put(std::uint64_t* bits, std::size_t i) {
  bits[i / 64] |= std::uint64_t{1} << (i % 64);
}
void Drop(std::uint64_t* bits, std::size_t i) {
  bits[i / 64] &= ~(std::uint64_t{1} << (i % 64));
}
template <typename Visit>
void ForEachBit(const std::uint64_t* bits, std::size_t words, Visit visit) {
  for (std::size_t w = 0; w < words; ++w) {
    for (std::uint64_t b = bits[w]; b != 0; b &= b - 1)
      visit(w * 64 + static_cast<std::size_t>(std::countr_zero(b)));
  }
}

// A bit matrix: `count` sets of `bits` bits each.
struct BitMatrix {
  BudgetedArray<std::uint64_t> words;
  std::size_t stride = 0;

  bool Allocate(SynthesisContext& context, std::size_t count, std::size_t bits) {
    stride = WordsOf(bits);
    return words.AllocZeroed(context.budget, context.diagnostics, count * stride);
  }
  std::uint64_t* operator[](std::size_t i) { return words.data() + i * stride; }
  const std::uint64_t* operator[](std::size_t i) const { return words.data() + i * stride; }
};

// Whether every bit of a (within `alive`) is in b.
bool Within(const std::uint64_t* a, const std::uint64_t* b, const std::uint64_t* alive,
            std::size_t words) {
  for (std::size_t w = 0; w < words; ++w) {
    if ((a[w] & alive[w] & ~b[w]) != 0) return false;
  }
  return true;
}
int CountAlive(const std::uint64_t* a, const std::uint64_t* alive, std::size_t words) {
  int count = 0;
  for (std::size_t w = 0; w < words; ++w) count += std::popcount(a[w] & alive[w]);
  return count;
}

// The table after the essential primes: rows of distinct column sets over the columns that
// still cover something. `forced` collects the primes every cover found here takes.
class CoveringTable {
 public:
  CoveringTable(SynthesisContext& context, int v, const BudgetedVector<CubeKey>& primes)
      : context_(context), v_(v), primes_(primes) {}

  // False after E01; `built` false when the table would be too large to search.
  bool Build(bool& built) {
    built = false;
    const std::size_t minterms = std::size_t{1} << v_;
    std::uint64_t incidences = 0;
    for (CubeKey prime : primes_)
      incidences += std::uint64_t{1} << (v_ - std::popcount(CubeMask(prime)));
    if (incidences > kMaxIncidences) return true;
    // The primes of each minterm, listed in prime order (CSR: start[m] .. start[m + 1]).
    BudgetedArray<int> start;
    BudgetedArray<int> listed;
    if (!start.AllocZeroed(context_.budget, context_.diagnostics, minterms + 1) ||
        !listed.AllocZeroed(context_.budget, context_.diagnostics, incidences))
      return false;
    ForEachPrimeMinterm([&](std::size_t, std::size_t m) { ++start[m + 1]; });
    for (std::size_t m = 0; m < minterms; ++m) start[m + 1] += start[m];
    {
      BudgetedArray<int> fill;
      if (!fill.AllocZeroed(context_.budget, context_.diagnostics, minterms)) return false;
      ForEachPrimeMinterm([&](std::size_t p, std::size_t m) {
        listed[static_cast<std::size_t>(start[m] + fill[m]++)] = static_cast<int>(p);
      });
    }
    // Essential primes, and the minterms they leave.
    const std::size_t k = primes_.size();
    std::vector<std::uint8_t> essential(k, 0);
    for (std::size_t m = 0; m < minterms; ++m) {
      if (start[m + 1] - start[m] == 1) essential[static_cast<std::size_t>(listed[start[m]])] = 1;
    }
    std::vector<std::uint8_t> covered(minterms, 0);
    for (std::size_t p = 0; p < k; ++p) {
      if (essential[p] == 0) continue;
      forced.push_back(static_cast<int>(p));
      ForEachMintermOf(p, [&](std::size_t m) { covered[m] = 1; });
    }
    std::vector<std::vector<int>> rows;
    for (std::size_t m = 0; m < minterms; ++m) {
      if (start[m + 1] == start[m] || covered[m] != 0) continue;
      rows.emplace_back(listed.data() + start[m], listed.data() + start[m + 1]);
    }
    start.Free();
    listed.Free();
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // The columns that still cover a row, renumbered in prime order.
    std::vector<int> number(k, -1);
    for (const std::vector<int>& row : rows) {
      for (int p : row) number[static_cast<std::size_t>(p)] = 0;
    }
    for (std::size_t p = 0; p < k; ++p) {
      if (number[p] == 0) {
        number[p] = static_cast<int>(column_prime.size());
        column_prime.push_back(static_cast<int>(p));
      }
    }
    const std::size_t r = rows.size();
    const std::size_t c = column_prime.size();
    if (static_cast<std::uint64_t>(r) * WordsOf(c) + static_cast<std::uint64_t>(c) * WordsOf(r) >
        kMaxCoreWords)
      return true;
    if (!row_columns.Allocate(context_, r, c) || !column_rows.Allocate(context_, c, r))
      return false;
    for (std::size_t i = 0; i < r; ++i) {
      for (int p : rows[i]) {
        const auto column = static_cast<std::size_t>(number[static_cast<std::size_t>(p)]);
        Put(row_columns[i], column);
        Put(column_rows[column], i);
      }
    }
    row_count = r;
    column_count = c;
    built = true;
    return true;
  }

  SynthesisContext& context_;
  int v_;
  const BudgetedVector<CubeKey>& primes_;
  std::vector<int> forced;        // primes (positions) every cover takes
  std::vector<int> column_prime;  // the prime of each column
  BitMatrix row_columns;
  BitMatrix column_rows;
  std::size_t row_count = 0;
  std::size_t column_count = 0;

 private:
  template <typename Visit>
  void ForEachMintermOf(std::size_t p, Visit visit) const {
    ForEachCubeWord(primes_[p], v_, [&](std::size_t w, std::uint64_t pattern) {
      for (std::uint64_t b = pattern; b != 0; b &= b - 1)
        visit(w * 64 + static_cast<std::size_t>(std::countr_zero(b)));
    });
  }
  template <typename Visit>
  void ForEachPrimeMinterm(Visit visit) const {
    for (std::size_t p = 0; p < primes_.size(); ++p)
      ForEachMintermOf(p, [&](std::size_t m) { visit(p, m); });
  }
};

// The reductions and the search over a built table; `work` counts word operations.
class CoverSearch {
 public:
  explicit CoverSearch(CoveringTable& table, Progress& progress)
      : t_(table),
        progress_(progress),
        row_words_(WordsOf(table.row_count)),
        column_words_(WordsOf(table.column_count)),
        alive_rows_(row_words_, 0),
        alive_columns_(column_words_, 0) {
    for (std::size_t i = 0; i < t_.row_count; ++i) Put(alive_rows_.data(), i);
    for (std::size_t i = 0; i < t_.column_count; ++i) Put(alive_columns_.data(), i);
  }

  // Reduces the table; false when the work ran out.
  bool Reduce() {
    for (bool changed = true; changed;) {
      changed = false;
      if (!DropDominatedRows(changed) || !DropDominatedColumns(changed)) return false;
      TakeSingleColumns(changed);
    }
    return true;
  }

  // Searches the core for a cover of fewer than `best` columns. True when one was found (its
  // columns in `found`); `complete` tells whether the search ran to its end.
  bool Search(int best, std::vector<int>& found, int& root_bound, bool& complete) {
    best_ = best;
    root_bound_ = -1;
    Bits excluded(column_words_, 0);
    for (std::size_t w = 0; w < column_words_; ++w) excluded[w] = ~alive_columns_[w];
    order_.clear();
    ForEachBit(alive_rows_.data(), row_words_, [&](std::size_t r) { order_.push_back(r); });
    std::stable_sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) {
      return CountAlive(t_.row_columns[a], alive_columns_.data(), column_words_) <
             CountAlive(t_.row_columns[b], alive_columns_.data(), column_words_);
    });
    Branch(alive_rows_, excluded, 0);
    found = best_columns_;
    root_bound = std::max(root_bound_, 0);
    complete = !cut_;
    return found_;
  }

  const std::vector<int>& taken() const { return taken_; }

 private:
  bool Spend(std::uint64_t words) {
    work_ += words;
    if (work_ > kSearchWork) cut_ = true;
    return !cut_;
  }

  void DropRow(std::size_t r) { Drop(alive_rows_.data(), r); }

  void DropDominatedRows(std::size_t r, bool& changed) {
    const std::uint64_t* columns = t_.row_columns[r];
    ForEachBit(alive_rows_.data(), row_words_, [&](std::size_t s) {
      if (s == r || !Has(alive_rows_.data(), r) || !Has(alive_rows_.data(), s)) return;
      // Of two equal rows the later goes.
      if (Within(t_.row_columns[s], columns, alive_columns_.data(), column_words_) &&
          (r > s || !Within(columns, t_.row_columns[s], alive_columns_.data(), column_words_))) {
        DropRow(r);
        changed = true;
      }
    });
  }

  bool DropDominatedRows(bool& changed) {
    const std::uint64_t rows =
        static_cast<std::uint64_t>(CountAlive(alive_rows_.data(), alive_rows_.data(), row_words_));
    if (!Spend(rows * rows * column_words_)) return false;
    ForEachBit(alive_rows_.data(), row_words_,
               [&](std::size_t r) { DropDominatedRows(r, changed); });
    return true;
  }

  bool DropDominatedColumns(bool& changed) {
    const std::uint64_t columns = static_cast<std::uint64_t>(
        CountAlive(alive_columns_.data(), alive_columns_.data(), column_words_));
    if (!Spend(columns * columns * row_words_)) return false;
    ForEachBit(alive_columns_.data(), column_words_, [&](std::size_t c) {
      ForEachBit(alive_columns_.data(), column_words_, [&](std::size_t d) {
        if (d == c || !Has(alive_columns_.data(), c) || !Has(alive_columns_.data(), d)) return;
        const bool c_in_d =
            Within(t_.column_rows[c], t_.column_rows[d], alive_rows_.data(), row_words_);
        // Of two equal columns the later goes.
        if (c_in_d && (c > d || !Within(t_.column_rows[d], t_.column_rows[c], alive_rows_.data(),
                                        row_words_))) {
          Drop(alive_columns_.data(), c);
          changed = true;
        }
      });
    });
    return true;
  }

  void TakeSingleColumns(bool& changed) {
    ForEachBit(alive_rows_.data(), row_words_, [&](std::size_t r) {
      if (!Has(alive_rows_.data(), r) ||
          CountAlive(t_.row_columns[r], alive_columns_.data(), column_words_) != 1)
        return;
      std::size_t column = 0;
      ForEachBit(t_.row_columns[r], column_words_, [&](std::size_t c) {
        if (Has(alive_columns_.data(), c)) column = c;
      });
      taken_.push_back(static_cast<int>(column));
      Drop(alive_columns_.data(), column);
      for (std::size_t w = 0; w < row_words_; ++w) alive_rows_[w] &= ~t_.column_rows[column][w];
      changed = true;
    });
  }

  void Branch(const Bits& uncovered, const Bits& excluded, int depth) {
    // A node's own cost, its few allocations counted as words.
    if (cut_ || !Spend(order_.size() * column_words_ * 2 + 64)) return;
    progress_.Tick();
    // The row to branch on, and the lower bound.
    std::size_t branch = SIZE_MAX;
    int fewest = INT_MAX;
    int bound = 0;
    Bits used(column_words_, 0);
    for (std::size_t r : order_) {
      if (!Has(uncovered.data(), r)) continue;
      const std::uint64_t* columns = t_.row_columns[r];
      int available = 0;
      bool independent = true;
      for (std::size_t w = 0; w < column_words_; ++w) {
        const std::uint64_t free = columns[w] & ~excluded[w];
        available += std::popcount(free);
        independent = independent && (free & used[w]) == 0;
      }
      if (available == 0) return;  // a row no column left can cover
      if (available < fewest) {
        fewest = available;
        branch = r;
      }
      if (independent) {
        ++bound;
        for (std::size_t w = 0; w < column_words_; ++w) used[w] |= columns[w] & ~excluded[w];
      }
    }
    if (depth == 0) root_bound_ = bound;
    if (branch == SIZE_MAX) {
      if (depth < best_) {
        best_ = depth;
        best_columns_ = stack_;
        found_ = true;
      }
      return;
    }
    if (depth + bound >= best_) return;

    std::vector<std::pair<int, std::size_t>> choices;  // (-rows covered, column)
    ForEachBit(t_.row_columns[branch], column_words_, [&](std::size_t c) {
      if (Has(excluded.data(), c)) return;
      choices.push_back({-CountAlive(t_.column_rows[c], uncovered.data(), row_words_), c});
    });
    std::sort(choices.begin(), choices.end());
    if (!Spend(choices.size() * row_words_ * 2)) return;
    Bits excluded_after = excluded;
    Bits rest(row_words_);
    for (const auto& [gain, c] : choices) {
      for (std::size_t w = 0; w < row_words_; ++w) rest[w] = uncovered[w] & ~t_.column_rows[c][w];
      stack_.push_back(static_cast<int>(c));
      Branch(rest, excluded_after, depth + 1);
      stack_.pop_back();
      if (cut_ || depth + 1 >= best_) return;
      Put(excluded_after.data(), c);
    }
  }

  CoveringTable& t_;
  Progress& progress_;
  std::size_t row_words_;
  std::size_t column_words_;
  Bits alive_rows_;     // the rows still to cover
  Bits alive_columns_;  // the columns still to choose from
  std::vector<int> taken_;
  std::vector<std::size_t> order_;  // the core's rows, fewest columns first
  std::vector<int> stack_;
  std::vector<int> best_columns_;
  int best_ = 0;
  int root_bound_ = -1;
  std::uint64_t work_ = 0;
  bool cut_ = false;
  bool found_ = false;
};

}  // namespace

bool MinimumCover(SynthesisContext& context, int v, const BudgetedVector<CubeKey>& primes,
                  BudgetedVector<int>& chosen, int limit, MinimalOutcome& outcome) {
  const int given = static_cast<int>(chosen.size());
  outcome = MinimalOutcome{false, 1};
  CoveringTable table(context, v, primes);
  bool built = false;
  if (!table.Build(built)) return false;
  if (!built) return true;
  const int forced = static_cast<int>(table.forced.size());
  CoverSearch search(table, context.progress);
  const bool reduced = search.Reduce();
  const int settled = forced + static_cast<int>(search.taken().size());
  outcome.lower_bound = std::max(settled, 1);
  if (!reduced) return true;

  // Only a cover smaller than the one given, and within the limit, is of interest.
  const int target = limit == kNoTermLimit ? given : std::min(given, limit + 1);
  std::vector<int> core;
  int root_bound = 0;
  bool complete = true;
  const bool found =
      settled < target && search.Search(target - settled, core, root_bound, complete);
  outcome.lower_bound = std::max(settled + root_bound, 1);
  if (found) {
    std::vector<int> positions = table.forced;
    for (int c : search.taken())
      positions.push_back(table.column_prime[static_cast<std::size_t>(c)]);
    for (int c : core) positions.push_back(table.column_prime[static_cast<std::size_t>(c)]);
    std::sort(positions.begin(), positions.end());
    chosen.Clear();
    for (int p : positions) {
      if (!chosen.PushBack(context, p)) return false;
    }
  }
  if (complete) {
    // No cover below `target` was missed: what was found is a minimum; else none has fewer
    // terms than the target, and the cover given is a minimum when it was the target.
    outcome.minimum = found || target == given || settled >= given;
    outcome.lower_bound =
        found ? static_cast<int>(chosen.size()) : std::max(target, outcome.lower_bound);
  }
  return true;
}

}  // namespace kem
