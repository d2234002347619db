// RecursiveMinimize: level 2 started from the truth table instead of a list of its minterms.
//
// On a list of minterms the recursion's choices are fixed by the table alone. Every row holds a
// literal in every column not yet split, so the literal counts of those columns tie and the split
// variable is the lowest binate one; its cofactors are again the minterms of the two halves of
// the table, in table order. A list is every minterm of its columns exactly when the table is
// full. So the recursion runs on sub-tables and makes cube lists only where results come back up:
// a half that stays as it is becomes its minterms, merged results are merged on as before.
//
// The steps on a table: PickSplitVariable takes the highest binate row bit p (the lowest binate
// column), Cofactor splits the table on p into `one` (C1) and `zero` (C0), MergeCofactors joins
// the halves' results. RemoveContained has nothing to do: a table without a binate bit holds one
// row at most. k is the number of row bits of a sub-table, depth its depth in the recursion.
#include "synthesis/recursive_minimize.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#include "synthesis/expansion.h"
#include "synthesis/merge_cofactors.h"
#include "synthesis/row_sets.h"
#include "synthesis/step_timer.h"

namespace kem {

namespace {

constexpr std::size_t kBytesPerRow = sizeof(Cube) + 1;

// Within a word, the rows whose bit p (p < 6) is 1.
constexpr std::array<std::uint64_t, kRowBitsPerWord> kRowBitOne = {
    0xAAAAAAAAAAAAAAAAull, 0xCCCCCCCCCCCCCCCCull, 0xF0F0F0F0F0F0F0F0ull,
    0xFF00FF00FF00FF00ull, 0xFFFF0000FFFF0000ull, 0xFFFFFFFF00000000ull,
};
// Keeps the low half of every block of 2^(t+2) bits.
constexpr std::array<std::uint64_t, 5> kLowHalves = {
    0x3333333333333333ull, 0x0F0F0F0F0F0F0F0Full, 0x00FF00FF00FF00FFull,
    0x0000FFFF0000FFFFull, 0x00000000FFFFFFFFull,
};

// The rows of a word whose bit p is 0 (the others cleared), packed into its low 32 bits.
std::uint64_t PackHalf(std::uint64_t x, int p) {
  for (int t = p; t < 5; ++t) x = (x | (x >> (1u << t))) & kLowHalves[static_cast<std::size_t>(t)];
  return x;
}

// A sub-table: rows over k row bits; row bit p stands for column `column[p]`, the higher the
// bit, the lower the column.
struct Table {
  const std::uint64_t* words;
  int k;
  std::size_t size() const { return RowSetWords(k); }
};

std::uint64_t CountRows(const Table& table) {
  std::uint64_t count = 0;
  for (std::size_t w = 0; w < table.size(); ++w) count += std::popcount(table.words[w]);
  return count;
}

// The highest row bit that is 1 in some row and 0 in another, or -1.
int PickSplitVariable(const Table& table) {
  const std::size_t size = table.size();
  for (int p = table.k - 1; p >= kRowBitsPerWord; --p) {
    const std::size_t stride = std::size_t{1} << (p - kRowBitsPerWord);
    std::uint64_t zero = 0;
    std::uint64_t one = 0;
    for (std::size_t block = 0; block < size; block += 2 * stride) {
      for (std::size_t w = 0; w < stride; ++w) {
        zero |= table.words[block + w];
        one |= table.words[block + stride + w];
      }
    }
    if (zero != 0 && one != 0) return p;
  }
  std::uint64_t any = 0;
  for (std::size_t w = 0; w < size; ++w) any |= table.words[w];
  for (int p = std::min(table.k, kRowBitsPerWord) - 1; p >= 0; --p) {
    const std::uint64_t one = kRowBitOne[static_cast<std::size_t>(p)];
    if ((any & one) != 0 && (any & ~one) != 0) return p;
  }
  return -1;
}

// The halves of the table for row bit p = 0 and p = 1, over the other row bits.
void Cofactor(const Table& table, int p, std::uint64_t* zero, std::uint64_t* one) {
  const std::size_t size = table.size();
  if (p >= kRowBitsPerWord) {
    const std::size_t stride = std::size_t{1} << (p - kRowBitsPerWord);
    for (std::size_t block = 0, out = 0; block < size; block += 2 * stride, out += stride) {
      std::copy_n(table.words + block, stride, zero + out);
      std::copy_n(table.words + block + stride, stride, one + out);
    }
    return;
  }
  const std::uint64_t bit_one = kRowBitOne[static_cast<std::size_t>(p)];
  const unsigned shift = 1u << p;
  if (table.k <= kRowBitsPerWord) {
    zero[0] = PackHalf(table.words[0] & ~bit_one, p);
    one[0] = PackHalf((table.words[0] & bit_one) >> shift, p);
    return;
  }
  for (std::size_t w = 0; w < size; w += 2) {
    const std::uint64_t a = table.words[w];
    const std::uint64_t b = table.words[w + 1];
    zero[w / 2] = PackHalf(a & ~bit_one, p) | (PackHalf(b & ~bit_one, p) << 32);
    one[w / 2] = PackHalf((a & bit_one) >> shift, p) | (PackHalf((b & bit_one) >> shift, p) << 32);
  }
}

// The results for sub-tables of up to four row bits, by their rows, with each cube's columns
// named by row bit: the result depends only on the rows, as the recursion chooses by row bits and
// relates cubes only to each other. From a dozen signals on, a sub-table of three bits or fewer
// is nearly always found here, one of four bits the more often the wider the function.
class SmallResults {
 public:
  static constexpr int kMaxBits = 4;

  // Holds the table when the budget leaves ample room for it; it only saves time, so without that
  // room the recursion runs without it. False after E01 (the memory itself ran out).
  bool Reserve(SynthesisContext& context) {
    std::size_t bytes = 0;
    for (int k = 0; k <= kMaxBits; ++k) bytes += Entries(k) * kEntryBytes;
    const AllocationBudget& budget = context.budget;
    if (budget.limit() - std::min(budget.in_use(), budget.limit()) < kRoomFactor * bytes)
      return true;
    return memo_.AllocZeroed(context.budget, context.diagnostics, bytes);
  }
  bool ready() const { return memo_.size() != 0; }

  // The result into `out` when it is known.
  bool Find(int k, std::uint64_t rows, const std::uint64_t* column_bits, CubeList& out) const {
    const std::uint8_t* entry = Entry(k, rows);
    if (entry[0] == 0) return false;
    out.Clear();
    for (int i = 1; i <= entry[0]; ++i) {
      Cube cube;
      for (int q = 0; q < k; ++q) {
        if ((entry[i] >> q) & 1u) cube.care |= column_bits[q];
        if ((entry[i] >> (q + kMaxBits)) & 1u) cube.value |= column_bits[q];
      }
      out.rows.push_back(cube);
    }
    out.present.assign(out.rows.size(), 1);
    return true;
  }

  void Store(int k, std::uint64_t rows, const std::uint64_t* column_bits, const CubeList& out) {
    std::uint8_t* entry = Entry(k, rows);
    entry[0] = static_cast<std::uint8_t>(out.rows.size());
    for (std::size_t i = 0; i < out.rows.size(); ++i) {
      std::uint8_t byte = 0;
      for (int q = 0; q < k; ++q) {
        if ((out.rows[i].care & column_bits[q]) != 0) byte |= static_cast<std::uint8_t>(1u << q);
        if ((out.rows[i].value & column_bits[q]) != 0)
          byte |= static_cast<std::uint8_t>(1u << (q + kMaxBits));
      }
      entry[i + 1] = byte;
    }
  }

 private:
  static constexpr std::size_t kRoomFactor = 8;
  // A result has at most one cube per row; the first byte is the count (0: not known yet).
  static constexpr std::size_t kEntryBytes = 1 + (std::size_t{1} << kMaxBits);
  static std::size_t Entries(int k) { return std::size_t{1} << (1u << k); }
  std::size_t Offset(int k) const {
    std::size_t offset = 0;
    for (int j = 0; j < k; ++j) offset += Entries(j) * kEntryBytes;
    return offset;
  }
  std::uint8_t* Entry(int k, std::uint64_t rows) {
    return memo_.data() + Offset(k) + static_cast<std::size_t>(rows) * kEntryBytes;
  }
  const std::uint8_t* Entry(int k, std::uint64_t rows) const {
    return memo_.data() + Offset(k) + static_cast<std::size_t>(rows) * kEntryBytes;
  }

  BudgetedArray<std::uint8_t> memo_;
};

class TableRecursion {
 public:
  explicit TableRecursion(SynthesisContext& context) : context_(context) {
    levels_.resize(kMaxUsedVariables + 2);
  }

  // Below this many used signals the sub-tables are too few to be worth the table of results.
  static constexpr int kMinSignalsForSmallResults = 12;
  bool KeepSmallResults() { return small_.Reserve(context_); }

  // The result for the sub-table of `depth` (the caller's table at depth 0) into `out`. False
  // after E01.
  bool Minimize(std::size_t depth, const Table& table, const std::uint64_t* column_bits,
                CubeList& out) {
    if (!small_.ready() || table.k > SmallResults::kMaxBits)
      return MinimizeTable(depth, table, column_bits, out);
    if (small_.Find(table.k, table.words[0], column_bits, out)) return true;
    if (!MinimizeTable(depth, table, column_bits, out)) return false;
    small_.Store(table.k, table.words[0], column_bits, out);
    return true;
  }

  bool MinimizeTable(std::size_t depth, const Table& table, const std::uint64_t* column_bits,
                     CubeList& out) {
    context_.progress.Tick();
    const std::uint64_t count = CountRows(table);
    if (table.k > 0 && count == std::uint64_t{1} << table.k) {
      // Every minterm of its columns: the universal cube.
      out.Clear();
      out.Append(Cube{});
      return true;
    }
    const int p = table.k == 0 ? -1 : PickSplitVariable(table);
    if (p < 0) return Minterms(depth, table, column_bits, count, out);

    Level& level = levels_[depth + 1];
    const std::size_t half = RowSetWords(table.k - 1);
    if (!Hold(depth + 1, half, 0)) return false;
    level.zero.resize(half);
    level.one.resize(half);
    Cofactor(table, p, level.zero.data(), level.one.data());
    // The columns of the halves: bit p's column leaves, the higher bits move down.
    std::array<std::uint64_t, kMaxUsedVariables> columns{};
    for (int q = 0; q < table.k - 1; ++q)
      columns[static_cast<std::size_t>(q)] = column_bits[q < p ? q : q + 1];
    const Table one{level.one.data(), table.k - 1};
    const Table zero{level.zero.data(), table.k - 1};
    if (!Minimize(depth + 1, one, columns.data(), level.positive)) return false;
    if (!Minimize(depth + 1, zero, columns.data(), level.negative)) return false;

    const std::size_t rows = level.positive.rows.size() + level.negative.rows.size();
    if (!Hold(depth + 1, half, rows)) return false;
    const int variable = std::countr_zero(column_bits[p]);
    {
      const TimedStep timed(context_.step_timer, MinimizerStep::kCofactorMerge);
      MergeCofactors(level.positive, level.negative, variable, level.merged, scratch_);
    }
    // A merged list longer than the minterms leaves the minterms as they are.
    if (level.merged.rows.size() > count) return Minterms(depth, table, column_bits, count, out);
    std::swap(out, level.merged);
    return true;
  }

  // Charges the budget for what `depth` holds (0 is the caller's list) once its halves have
  // `table_words` words and one of its lists `more_rows` rows more; the charge only grows.
  bool Hold(std::size_t depth, std::size_t table_words, std::size_t more_rows) {
    Level& level = levels_[depth];
    const std::size_t bytes = (std::max(level.zero.capacity(), table_words) +
                               std::max(level.one.capacity(), table_words)) *
                                  sizeof(std::uint64_t) +
                              (level.positive.rows.capacity() + level.negative.rows.capacity() +
                               level.merged.rows.capacity() + more_rows) *
                                  kBytesPerRow;
    if (level.charge.GrowTo(context_.budget, context_.diagnostics, bytes)) return true;
    context_.ReportOutOfMemory();
    return false;
  }

 private:
  struct Level {
    std::vector<std::uint64_t> zero;
    std::vector<std::uint64_t> one;
    CubeList positive;
    CubeList negative;
    CubeList merged;
    BudgetCharge charge;
  };

  // The table's minterms in table order, each with a literal in every column it has.
  bool Minterms(std::size_t depth, const Table& table, const std::uint64_t* column_bits,
                std::uint64_t count, CubeList& out) {
    if (!Hold(depth, 0, count)) return false;
    std::uint64_t care = 0;
    for (int q = 0; q < table.k; ++q) care |= column_bits[q];
    out.Clear();
    out.rows.reserve(count);
    for (std::size_t w = 0; w < table.size(); ++w) {
      for (std::uint64_t bits = table.words[w]; bits != 0; bits &= bits - 1) {
        const std::uint64_t row = w * 64 + static_cast<std::uint64_t>(std::countr_zero(bits));
        std::uint64_t value = 0;
        for (std::uint64_t ones = row; ones != 0; ones &= ones - 1)
          value |= column_bits[std::countr_zero(ones)];
        out.rows.push_back(Cube{care, value});
      }
    }
    out.present.assign(out.rows.size(), 1);
    return true;
  }

  SynthesisContext& context_;
  std::vector<Level> levels_;
  CubeStepScratch scratch_;
  SmallResults small_;
};

}  // namespace

int RecursiveMinimize(SynthesisContext& context, const BudgetedArray<std::uint64_t>& rows,
                      const std::vector<int>& columns, int n, Cover& cover) {
  const int v = static_cast<int>(columns.size());
  std::array<std::uint64_t, kMaxUsedVariables> column_bits{};
  for (int j = 0; j < v; ++j)
    column_bits[static_cast<std::size_t>(v - 1 - j)] = std::uint64_t{1}
                                                       << columns[static_cast<std::size_t>(j)];
  TableRecursion recursion(context);
  if (v >= TableRecursion::kMinSignalsForSmallResults && !recursion.KeepSmallResults()) return -1;
  CubeList list;
  if (!recursion.Minimize(0, Table{rows.data(), v}, column_bits.data(), list)) return -1;
  if (!cover.Allocate(context, std::max(list.last() + 1, 1), 0, n)) return -1;
  for (int row = 0; row <= list.last(); ++row) {
    cover.Bind(row);
    WriteCube(list.rows[static_cast<std::size_t>(row)], cover, row);
  }
  return list.last();
}

}  // namespace kem
