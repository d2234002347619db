#include "synthesis/minimizer.h"

namespace kem {

namespace {

// Exact and recursive minimization are not built yet; until they are, every level behaves as
// level 0.
bool LevelAvailable(int level) {
  return level == kLevelNone;
}

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
  int row = 0;
  for (int i = 0; i < expansion.rows; ++i) {
    if (table.RawGet(i, n) != wanted) continue;
    result.cover.Bind(row);
    table.CopyRow(i, result.cover, row, n);
    ++row;
  }
  table.Release();
  result.last = rows - 1;
  result.polarity = complement ? kPolarityComplement : kPolarityFunction;
  return true;
}

}  // namespace

bool MinimizeEquation(SynthesisContext& context, NodePool& pool, NodeRef tree,
                      const VariableMap& map, bool allow_complement, Minimized& result) {
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

  const bool minimizing = context.minimizing() && LevelAvailable(context.level);
  Expansion expansion;
  const bool built =
      BuildCover(context, pool, tree, used.data(), used_count, map, minimizing, expansion);
  pool.FreeTree(tree);
  used.Free();
  if (!built) return false;

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
  return MintermCover(context, expansion, allow_complement, result);
}

}  // namespace kem
