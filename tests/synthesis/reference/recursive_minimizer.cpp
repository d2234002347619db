// RecursiveMinimize: the driver of level 2, with the choice of the split variable and the
// cofactors. A cofactor no longer holds its split variable, so the recursion is at most as deep
// as the number of used variables (18).
//
// v is the split variable; the positive cofactor (v = 1) keeps the rows without v and those with
// v true, the negative one (v = 0) those without v and those with v complemented, v cleared.
#include "tests/synthesis/reference/recursive_minimizer.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "tests/synthesis/reference/cube_words.h"

namespace kem::reference {

namespace {

// The binate variable that most rows hold a literal of (the lowest on a tie), or -1 when every
// variable is unate.
int PickSplitVariable(Context& context, const Cover& cover, int last) {
  const int n = cover.variables();
  const VariableWords vars(n);
  std::vector<int> trues(static_cast<std::size_t>(n));
  std::vector<int> complements(static_cast<std::size_t>(n));
  auto tally = [](std::vector<int>& counts, int word, std::uint32_t fields) {
    for (; fields != 0; fields &= fields - 1)
      ++counts[static_cast<std::size_t>(word * kFieldsPerWord + std::countr_zero(fields) / 2)];
  };
  for (int row = 0; row <= last; ++row) {
    if (!cover.present(row)) continue;
    cover.LiteralCount(context, row, n);
    const std::uint32_t* body = cover.Row(row);
    for (int w = 0; w < vars.count; ++w) {
      tally(trues, w, FieldsWithOne(body[w] & vars.Mask(w)));
      tally(complements, w, FieldsWithThree(body[w] & vars.Mask(w)));
    }
  }
  int best = -1;
  int best_sum = 0;
  for (int v = 0; v < n; ++v) {
    const int sum = trues[v] + complements[v];
    if (trues[v] > 0 && complements[v] > 0 && sum > best_sum) {
      best = v;
      best_sum = sum;
    }
  }
  return best;
}

// The rows whose v column is 0 or `code`, in order, with v cleared. False after E01.
bool Cofactor(Context& context, const Cover& cover, int last, int v, int code, Cover& cofactor,
              int& cofactor_last) {
  const int n = cover.variables();
  const VariableWords vars(n);
  if (!cofactor.Allocate(context, last + 1, 0, n)) return false;
  int target = 0;
  for (int row = 0; row <= last; ++row) {
    if (!cover.present(row)) continue;
    const int field = cover.RawGet(row, v);
    if (field != kCodeAbsent && field != code) continue;
    cofactor.Bind(target);
    const std::uint32_t* from = cover.Row(row);
    std::uint32_t* to = cofactor.Row(target);
    for (int w = 0; w < vars.count; ++w) to[w] = from[w] & vars.Mask(w);
    cofactor.FieldSet(target, v, kCodeAbsent);
    ++target;
  }
  cofactor_last = target - 1;
  return true;
}

}  // namespace

int RecursiveMinimize(Context& context, Cover& cover, int last) {
  const int v = PickSplitVariable(context, cover, last);
  if (v < 0) {
    RemoveContained(cover, last);
    return last;
  }
  Cover positive;
  Cover negative;
  int last_positive = 0;
  int last_negative = 0;
  if (!Cofactor(context, cover, last, v, kCodeTrue, positive, last_positive) ||
      !Cofactor(context, cover, last, v, kCodeComplement, negative, last_negative))
    return -1;
  last_positive = RecursiveMinimize(context, positive, last_positive);
  if (last_positive < 0) return -1;
  last_negative = RecursiveMinimize(context, negative, last_negative);
  if (last_negative < 0) return -1;

  Cover merged;
  int last_merged = 0;
  if (!MergeCofactors(context, positive, last_positive, negative, last_negative, v, merged,
                      last_merged))
    return -1;
  positive.Release();
  negative.Release();
  if (last_merged > last) return last;
  cover = std::move(merged);
  return last_merged;
}

}  // namespace kem::reference
