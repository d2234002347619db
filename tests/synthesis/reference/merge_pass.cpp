// MergePass: one round of the prime-implicant computation of level 1. Two cubes that have the
// same variables and differ in the polarity of exactly one of them combine into the cube without
// that variable; the combined cubes are appended after the input rows and every input row that
// took part in a combination is deleted, so the rows that stay are prime.
//
// b and p are the earlier and the later row of a pair; `last` is the last input row and appended
// the number of rows added so far. A cube's partners are found by looking up, for each of its
// literals, the cube with that literal's polarity flipped: this finds exactly the rows the
// pairwise scan would find, and they are handled in the same order (p ascending).
#include <algorithm>
#include <bit>
#include <utility>
#include <vector>

#include "tests/synthesis/reference/cube_words.h"
#include "tests/synthesis/reference/exact_minimizer.h"

namespace kem::reference {

namespace {

// The rows of a cover by their variable columns: a chained hash over row numbers.
class CubeIndex {
 public:
  CubeIndex(const Cover& cover, const VariableWords& vars) : cover_(cover), vars_(vars) {}

  // Room for rows first..first+rows-1. False after E01.
  bool Allocate(Context& context, int first, int rows) {
    first_ = first;
    const auto buckets = std::bit_ceil(static_cast<std::size_t>(std::max(rows, 16)));
    shift_ = 64 - std::countr_zero(buckets);
    return heads_.AllocZeroed(context.budget, context.diagnostics, buckets) &&
           next_.AllocZeroed(context.budget, context.diagnostics, static_cast<std::size_t>(rows));
  }

  void Insert(int row) {
    int& head = heads_.data()[Bucket(cover_.Row(row))];
    next_.data()[row - first_] = head;
    head = row + 1;
  }

  // Calls found(row) for every indexed row whose variable columns equal the cube's.
  template <typename Found>
  void ForEachEqual(const std::uint32_t* cube, Found found) const {
    for (int entry = heads_.data()[Bucket(cube)]; entry != 0;
         entry = next_.data()[entry - 1 - first_]) {
      if (vars_.Equal(cover_.Row(entry - 1), cube)) found(entry - 1);
    }
  }

 private:
  std::size_t Bucket(const std::uint32_t* cube) const {
    std::uint64_t hash = 0;
    for (int w = 0; w < vars_.count; ++w)
      hash = (hash ^ (cube[w] & vars_.Mask(w))) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>((hash ^ (hash >> 31)) * 0xBF58476D1CE4E5B9ull >> shift_);
  }

  const Cover& cover_;
  const VariableWords& vars_;
  int first_ = 0;
  int shift_ = 60;
  BudgetedArray<int> heads_;  // row + 1 of the newest row in the bucket, 0 for none
  BudgetedArray<int> next_;   // per row: row + 1 of the next row in its bucket, 0 for none
};

void FlipField(std::uint32_t* cube, int column) {
  cube[column / kFieldsPerWord] ^= 2u << (2 * (column % kFieldsPerWord));
}

void ClearField(std::uint32_t* cube, int column) {
  cube[column / kFieldsPerWord] &= ~(3u << (2 * (column % kFieldsPerWord)));
}

}  // namespace

int MergePass(Context& context, Cover& cover, int last, int first, int tags, bool first_pass) {
  const int n = cover.variables();
  const int words = WordsFor(n + tags + 1);
  const VariableWords vars(n);

  BudgetedArray<int> partner;  // row + 1 for every row combined as the later partner
  BudgetedArray<std::uint32_t> scratch;
  CubeIndex index(cover, vars);
  if (!partner.AllocZeroed(context.budget, context.diagnostics,
                           static_cast<std::size_t>(last) + 1) ||
      !scratch.AllocZeroed(context.budget, context.diagnostics, static_cast<std::size_t>(words)) ||
      !index.Allocate(context, first, cover.capacity() - first))
    return -1;
  for (int row = first; row <= last; ++row) {
    if (cover.present(row)) index.Insert(row);
  }

  std::vector<std::uint32_t> flipped(static_cast<std::size_t>(vars.count));
  std::vector<std::pair<int, int>> partners;  // (p, the column in which b and p differ)
  int appended = 0;
  for (int b = first; b < last; ++b) {
    if (!cover.present(b) || (b == 0 && cover.LiteralCount(context, 0, n) == 0)) continue;
    const std::uint32_t* row_b = cover.Row(b);

    partners.clear();
    std::copy_n(row_b, vars.count, flipped.begin());
    for (int w = 0; w < vars.count; ++w) {
      for (std::uint32_t fields = FieldsNonZero(row_b[w] & vars.Mask(w)); fields != 0;
           fields &= fields - 1) {
        const int column = w * kFieldsPerWord + std::countr_zero(fields) / 2;
        FlipField(flipped.data(), column);
        index.ForEachEqual(flipped.data(), [&](int p) {
          if (p > b && p <= last && cover.present(p)) partners.push_back({p, column});
        });
        FlipField(flipped.data(), column);
      }
    }
    std::sort(partners.begin(), partners.end());

    bool combined = false;
    for (const auto& [p, column] : partners) {
      combined = true;
      partner[static_cast<std::size_t>(p)] = p + 1;

      const std::uint32_t* row_p = cover.Row(p);
      std::uint32_t* cube = scratch.data();
      for (int w = 0; w < words; ++w) {
        // The variable columns agree but in `column`; the tags are those of b and p together.
        cube[w] =
            first_pass ? row_b[w] & (w < vars.count ? vars.Mask(w) : 0u) : row_b[w] | row_p[w];
      }
      ClearField(cube, column);
      bool known = false;
      index.ForEachEqual(cube, [&](int row) {
        known = known || (row >= last && row <= last + appended && cover.present(row));
      });
      if (known) continue;
      if (first_pass) {
        BareSet(cube, n + b, 1);
        BareSet(cube, n + p, 1);
      }

      const int row = last + appended + 1;
      if (row >= cover.capacity()) {
        // The spare rows bound every pass; a cover without room has no memory to give.
        context.ReportOutOfMemory();
        return -1;
      }
      cover.Bind(row);
      std::copy_n(cube, words, cover.Row(row));
      ++appended;
      if (cover.LiteralCount(context, row, n) == 0) {
        cover.Unbind(row);
        cover.SetConstantOne();  // the function is a tautology
      } else {
        index.Insert(row);
      }
    }

    if (combined || partner[static_cast<std::size_t>(b)] != 0) {
      cover.DeleteRow(b);
    } else if (first_pass) {
      cover.FieldSet(b, n + b, 1);
    }
  }

  if (IsExactRow(context, cover, last) && partner[static_cast<std::size_t>(last)] != 0) {
    cover.DeleteRow(last);
  } else if (first_pass) {
    cover.FieldSet(last, n + last, 1);
  }

  bool any = false;
  for (int row = 0; row <= last + appended && !any; ++row) any = IsExactRow(context, cover, row);
  if (!any) cover.SetConstantOne();
  return appended;
}

}  // namespace kem::reference
