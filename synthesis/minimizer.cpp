// MinimizeEquation: the driver. A constant or a function of too many signals is answered at once.
// Otherwise BuildCover gives the products as written (only when not minimizing) or the truth
// table; without minimization the table's minterms are the result, at levels 1 to 3 the function
// and, where allowed, its complement are minimized from the table, the complement written only
// with fewer terms. A cover with more terms than the limit is replaced by the first cover of the
// rescue order that fits; when none does, level 3 says how many terms the output needs. n is the
// number of variables; on and off count the table's rows where the function is 1 and 0.
#include "synthesis/minimizer.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "synthesis/cube_words.h"
#include "synthesis/exact_minimize.h"
#include "synthesis/minimal_minimize.h"
#include "synthesis/recursive_minimize.h"

namespace kem {

namespace {

bool ConstantCover(SynthesisContext& context, int n, int marker, Minimized& result) {
  if (!result.cover.Allocate(context, 1, 0, n)) return false;
  result.cover.Bind(0);
  result.cover.FieldSet(0, 0, marker);
  result.last = 0;
  result.polarity = kPolarityFunction;
  return true;
}

// A function that is 1 (or 0) everywhere: the truth table itself stands for it.
void ConstantTable(Expansion& expansion, Minimized& result) {
  result.cover = std::move(expansion.cover);
  result.cover.FieldSet(0, 0, expansion.off_count == 0 ? kMarkerOne : kMarkerZero);
  result.last = 0;
  result.polarity = kPolarityFunction;
}

// The minterms of the on-set or, when the complement is allowed and smaller, of the off-set.
bool MintermCover(SynthesisContext& context, Expansion& expansion, bool allow_complement,
                  Minimized& result) {
  const TimedStep timed(context.step_timer, MinimizerStep::kMintermCovers);
  const bool complement = allow_complement && expansion.on_count > expansion.off_count;
  const int wanted = complement ? 0 : 1;
  const int rows = complement ? expansion.off_count : expansion.on_count;
  Cover& table = expansion.cover;
  const int n = table.variables();
  if (!result.cover.Allocate(context, rows, 0, n)) {
    context.ReportOutOfMemory();
    table.Release();
    return false;
  }
  const VariableWords vars(n);
  int row = 0;
  for (int i = 0; i < expansion.rows; ++i) {
    if (table.RawGet(i, n) != wanted) continue;
    // A truth-table row carries no constant marker, so its variable words copy as they are.
    result.cover.Bind(row);
    for (int w = 0; w < vars.count; ++w) result.cover.Row(row)[w] = table.Row(i)[w] & vars.Mask(w);
    ++row;
  }
  table.Release();
  result.last = rows - 1;
  result.polarity = complement ? kPolarityComplement : kPolarityFunction;
  return true;
}

// The rows of the truth table whose value is `value`, as a row set. False after E01, reported
// once more here.
bool RowsOf(SynthesisContext& context, const Expansion& expansion, int value,
            BudgetedArray<std::uint64_t>& rows) {
  const TimedStep timed(context.step_timer, MinimizerStep::kMintermCovers);
  if (!rows.AllocZeroed(context.budget, context.diagnostics,
                        (static_cast<std::size_t>(expansion.rows) + 63) / 64)) {
    context.ReportOutOfMemory();
    return false;
  }
  const Cover& table = expansion.cover;
  const int n = table.variables();
  const int value_at = n / kFieldsPerWord;
  const int value_shift = 2 * (n % kFieldsPerWord);
  for (int i = 0; i < expansion.rows; ++i) {
    const auto field = static_cast<int>((table.Row(i)[value_at] >> value_shift) & 3u);
    if (field == value) rows[static_cast<std::size_t>(i) / 64] |= std::uint64_t{1} << (i % 64);
  }
  return true;
}

// Level 1 may stop once the cover has `enough` terms (kEnoughTerms); levels 2 and 3 always
// finish, level 3 telling in `outcome` what it proved.
int MinimizeAtLevel(SynthesisContext& context, int level, const BudgetedArray<std::uint64_t>& rows,
                    const std::vector<int>& columns, int n, Cover& cover, int limit,
                    MinimalOutcome& outcome, std::size_t enough = SIZE_MAX) {
  const TimedStep timed(context.step_timer, MinimizerStep::kLevel);
  if (level == kLevelMinimal)
    return MinimalMinimize(context, rows, columns, n, cover, limit, outcome);
  return level == kLevelExact ? ExactMinimize(context, rows, columns, n, cover, enough)
                              : RecursiveMinimize(context, rows, columns, n, cover);
}

void TakeConstantOne(Cover& cover, int polarity, Minimized& result) {
  cover.Bind(0);
  cover.SetConstantOne();
  result.cover = std::move(cover);
  result.last = 0;
  result.polarity = polarity;
}

// Both functions are minimized at the level, straight from the truth table; the complement is
// written only when it needs strictly fewer terms.
bool MinimizeCovers(SynthesisContext& context, int level, Expansion& expansion,
                    const std::vector<int>& columns, bool allow_complement, int limit,
                    Minimized& result) {
  const int n = expansion.cover.variables();
  BudgetedArray<std::uint64_t> on_rows;
  BudgetedArray<std::uint64_t> off_rows;
  if (!RowsOf(context, expansion, 1, on_rows) ||
      (allow_complement && !RowsOf(context, expansion, 0, off_rows))) {
    expansion.cover.Release();
    return false;
  }
  expansion.cover.Release();

  Cover on;
  Cover off;
  MinimalOutcome on_outcome;
  MinimalOutcome off_outcome;
  const int last_on = MinimizeAtLevel(context, level, on_rows, columns, n, on, limit, on_outcome);
  if (last_on < 0) return false;
  on_rows.Free();
  const int terms_on = on.CountTerms(last_on);
  int last_off = -1;
  if (allow_complement) {
    // The complement is of use only with fewer terms.
    last_off = MinimizeAtLevel(context, level, off_rows, columns, n, off, limit, off_outcome,
                               static_cast<std::size_t>(std::max(terms_on, 1)));
    if (last_off == kEnoughTerms)
      allow_complement = false;
    else if (last_off < 0)
      return false;
  }
  const int terms_off = allow_complement ? off.CountTerms(last_off) : 0;
  result.level = level;
  result.proven = on_outcome.minimum && (!allow_complement || off_outcome.minimum);
  result.lower_bound = allow_complement ? std::min(on_outcome.lower_bound, off_outcome.lower_bound)
                                        : on_outcome.lower_bound;
  if (terms_on == 0) {
    TakeConstantOne(on, kPolarityFunction, result);
    return true;
  }
  if (allow_complement && terms_off == 0) {
    TakeConstantOne(off, kPolarityComplement, result);
    return true;
  }
  if (allow_complement && terms_on > terms_off) {
    result.cover = std::move(off);
    result.last = last_off;
    result.polarity = kPolarityComplement;
    return true;
  }
  result.cover = std::move(on);
  result.last = last_on;
  result.polarity = kPolarityFunction;
  return true;
}

// The signals an equation uses: a flag per variable, their count and their columns.
struct UsedSignals {
  const int* used;
  int count;
  const std::vector<int>& columns;
};

// The cover that `level` gives the tree, which is kept. False after E01.
bool CoverAtLevel(SynthesisContext& context, const NodePool& pool, NodeRef tree,
                  const UsedSignals& signals, const VariableMap& map, int level,
                  bool allow_complement, int limit, Minimized& result) {
  result = Minimized{};
  result.level = level;
  const bool minimizing = level != kLevelNone;
  Expansion expansion;
  if (!BuildCover(context, pool, tree, signals.used, signals.count, map, minimizing, expansion))
    return false;
  if (expansion.direct) {
    result.cover = std::move(expansion.cover);
    result.last = expansion.rows - 1;
    result.polarity = kPolarityFunction;
    return true;
  }
  if (expansion.on_count == 0 || expansion.off_count == 0) {
    ConstantTable(expansion, result);
    return true;
  }
  if (minimizing)
    return MinimizeCovers(context, level, expansion, signals.columns, allow_complement, limit,
                          result);
  return MintermCover(context, expansion, allow_complement, result);
}

// The terms of level 3's best cover of the table's rows of `value`. False after E01.
bool MinimalTerms(SynthesisContext& context, const Expansion& expansion,
                  const std::vector<int>& columns, int value, int& terms, MinimalOutcome& outcome) {
  BudgetedArray<std::uint64_t> rows;
  if (!RowsOf(context, expansion, value, rows)) return false;
  Cover cover;
  const int last = MinimalMinimize(context, rows, columns, expansion.cover.variables(), cover,
                                   kNoTermLimit, outcome);
  if (last < 0) return false;
  terms = cover.ConstantMarker() != 0 ? 0 : cover.CountTerms(last);
  return true;
}

// What level 3 finds for the function and its complement. False after E01.
bool Advise(SynthesisContext& context, const NodePool& pool, NodeRef tree,
            const UsedSignals& signals, const VariableMap& map, FitAdvice& advice) {
  Expansion expansion;
  if (!BuildCover(context, pool, tree, signals.used, signals.count, map, true, expansion))
    return false;
  const bool ok =
      MinimalTerms(context, expansion, signals.columns, 1, advice.terms, advice.outcome) &&
      MinimalTerms(context, expansion, signals.columns, 0, advice.complement_terms,
                   advice.complement_outcome);
  expansion.cover.Release();
  return ok;
}

// The levels tried, in order, when the cover of `level` does not fit.
std::vector<int> RescueOrder(int level) {
  switch (level) {
    case kLevelRecursive:
      return {kLevelExact, kLevelNone, kLevelMinimal};
    case kLevelExact:
      return {kLevelNone, kLevelMinimal};
    case kLevelNone:
      return {kLevelMinimal};
    default:
      return {};
  }
}

bool MinimizeTree(SynthesisContext& context, const NodePool& pool, NodeRef tree,
                  const UsedSignals& signals, const VariableMap& map, bool allow_complement,
                  int limit, Minimized& result) {
  const int asked = context.minimizing() ? context.level : kLevelNone;
  if (!CoverAtLevel(context, pool, tree, signals, map, asked, allow_complement, limit, result))
    return false;
  if (!result.proven) {
    // A search cut short must not leave more terms than another level gives.
    for (int level : {kLevelRecursive, kLevelExact, kLevelNone}) {
      Minimized other;
      if (!CoverAtLevel(context, pool, tree, signals, map, level, allow_complement, limit, other))
        return false;
      if (other.terms() < result.terms()) {
        other.proven = false;
        other.lower_bound = result.lower_bound;
        result = std::move(other);
      }
    }
  }
  if (result.terms() <= limit) return true;
  for (int level : RescueOrder(asked)) {
    Minimized other;
    if (!CoverAtLevel(context, pool, tree, signals, map, level, allow_complement, limit, other))
      return false;
    if (other.terms() <= limit) {
      other.rescued_level = asked;
      other.rescued_terms = result.terms();
      result = std::move(other);
      return true;
    }
  }
  FitAdvice advice;
  if (!Advise(context, pool, tree, signals, map, advice)) return false;
  result.advice = advice;
  return true;
}

}  // namespace

int Minimized::terms() const {
  return cover.ConstantMarker() != 0 ? 0 : cover.CountTerms(last);
}

bool MinimizeEquation(SynthesisContext& context, NodePool& pool, NodeRef tree,
                      const VariableMap& map, bool allow_complement, Minimized& result, int limit) {
  const int n = map.variables;
  BudgetedArray<int> used;
  if (!used.AllocZeroed(context.budget, context.diagnostics, static_cast<std::size_t>(n))) {
    context.ReportOutOfMemory();
    pool.FreeTree(tree);
    return false;
  }
  const int used_count = MarkUsedVariables(pool, tree, map, used.data());

  const ExprNode& root = pool[tree];
  if (!root.leaf && (root.type == kNodeTrue || root.type == kNodeFalse)) {
    const int marker = root.type == kNodeTrue ? kMarkerOne : kMarkerZero;
    pool.FreeTree(tree);
    return ConstantCover(context, n, marker, result);
  }
  if (used_count > kMaxUsedVariables) {
    context.diagnostics.ReportDiagnostic(Diag::E02, 0);
    pool.FreeTree(tree);
    return ConstantCover(context, n, kMarkerZero, result);
  }

  std::vector<int> columns;
  for (int v = 0; v < n; ++v) {
    if (used[static_cast<std::size_t>(v)]) columns.push_back(v);
  }
  const UsedSignals signals{used.data(), used_count, columns};
  const bool done =
      MinimizeTree(context, pool, tree, signals, map, allow_complement, limit, result);
  pool.FreeTree(tree);
  return done;
}

}  // namespace kem
