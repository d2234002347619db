// BuildCover and the walks it needs: MarkUsedVariables, the truth table (BuildTruthTable) and the
// cover of the products as written (BuildDirectCover). The walks over the tree are iterative with
// explicit stacks, so that an expression nested or chained as deeply as the node pool allows
// cannot exhaust the call stack.
#include "synthesis/expansion.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "synthesis/tree_evaluator.h"

namespace kem {

namespace {

bool IsOperator(const ExprNode& node, int type) {
  return !node.leaf && node.type == type;
}

int VariableOf(const ExprNode& leaf, const VariableMap& map) {
  return leaf.record - map.first_design_record;
}

// The variable columns of truth-table rows, assembled from two tables: one for the low row bits,
// one for the high ones, whose fields never overlap.
class RowPatterns {
 public:
  RowPatterns(const std::vector<int>& row_bit_of_variable, int used_count, int words)
      : words_(words), low_bits_(std::min(used_count, kLowBits)) {
    const int high_bits = used_count - low_bits_;
    low_.assign((std::size_t{1} << low_bits_) * static_cast<std::size_t>(words), 0u);
    high_.assign((std::size_t{1} << high_bits) * static_cast<std::size_t>(words), 0u);
    for (std::size_t v = 0; v < row_bit_of_variable.size(); ++v) {
      const int bit = row_bit_of_variable[v];
      if (bit < 0) continue;
      const bool low = bit < low_bits_;
      std::vector<std::uint32_t>& table = low ? low_ : high_;
      const int shift = low ? bit : bit - low_bits_;
      for (std::size_t part = 0; part < table.size() / static_cast<std::size_t>(words); ++part) {
        BareSet(table.data() + part * static_cast<std::size_t>(words), static_cast<int>(v),
                ((part >> shift) & 1u) != 0 ? kCodeTrue : kCodeComplement);
      }
    }
  }

  void Write(std::uint32_t row, std::uint32_t* body) const {
    const std::uint32_t* low = low_.data() + (row & ((1u << low_bits_) - 1u)) * words_;
    const std::uint32_t* high = high_.data() + (row >> low_bits_) * words_;
    if (words_ == 2) {  // up to 32 variables: the common case, without a loop
      body[0] = low[0] | high[0];
      body[1] = low[1] | high[1];
      return;
    }
    for (std::size_t w = 0; w < words_; ++w) body[w] = low[w] | high[w];
  }

 private:
  static constexpr int kLowBits = 9;
  std::size_t words_;
  int low_bits_;
  std::vector<std::uint32_t> low_;
  std::vector<std::uint32_t> high_;
};

bool BuildTruthTable(SynthesisContext& context, const NodePool& pool, NodeRef tree, const int* used,
                     int used_count, const VariableMap& map, Expansion& result) {
  const int n = map.variables;
  const int rows = 1 << used_count;
  if (!result.cover.Allocate(context, rows, 1, n)) return false;
  BudgetedArray<int> scratch;
  if (!scratch.AllocZeroed(context.budget, context.diagnostics, static_cast<std::size_t>(n))) {
    context.ReportOutOfMemory();
    result.cover.Release();
    return false;
  }

  // Row i gives the used variables, in increasing index, the bits of i from the most significant
  // down.
  std::vector<int> row_bit_of_variable(static_cast<std::size_t>(n), -1);
  int next_bit = used_count;
  for (int v = 0; v < n; ++v) {
    if (used[v]) row_bit_of_variable[static_cast<std::size_t>(v)] = --next_bit;
  }

  TreeEvaluator evaluator(pool, tree, map.first_design_record, row_bit_of_variable,
                          static_cast<std::uint64_t>(rows));
  evaluator.Evaluate(context.progress);
  const RowPatterns patterns(row_bit_of_variable, used_count, WordsFor(n));
  Cover& table = result.cover;
  const int value_at = n / kFieldsPerWord;
  const int value_shift = 2 * (n % kFieldsPerWord);
  const auto row_words = static_cast<std::size_t>(table.row_words());
  std::uint32_t* body = table.Row(0);
  for (int first = 0; first < rows; first += 64) {
    const std::uint64_t values = evaluator.ValueWord(static_cast<std::uint64_t>(first));
    const int count = std::min(rows - first, 64);
    for (int r = 0; r < count; ++r, body += row_words) {
      table.Bind(first + r);
      patterns.Write(static_cast<std::uint32_t>(first + r), body);
      body[value_at] |= static_cast<std::uint32_t>((values >> r) & 1u) << value_shift;
    }
    const int on = std::popcount(count == 64 ? values : values & ((std::uint64_t{1} << count) - 1));
    result.on_count += on;
    result.off_count += count - on;
  }
  result.rows = rows;
  result.direct = false;
  return true;
}

// One row per product, in the order written. A product that holds a signal both plain and negated
// is always false: it is dropped, and its row is reused by the next product.
void CoverFromTree(const NodePool& pool, NodeRef tree, const VariableMap& map, Cover& cover) {
  int current = 0;
  auto add_literal = [&](const ExprNode& leaf, int code) {
    if (!cover.present(current)) return;
    const int v = VariableOf(leaf, map);
    const int existing = cover.RawGet(current, v);
    if (existing != kCodeAbsent && existing != code) {
      cover.ClearRow(current);
      cover.Unbind(current);
      return;
    }
    cover.FieldSet(current, v, code);
  };

  enum class Step { kVisit, kNextProduct };
  std::vector<std::pair<Step, NodeRef>> pending{{Step::kVisit, tree}};
  while (!pending.empty()) {
    auto [step, node] = pending.back();
    pending.pop_back();
    if (step == Step::kNextProduct) {
      if (cover.present(current) && current + 1 < cover.capacity()) ++current;
      cover.Bind(current);
      continue;
    }
    if (node == kNoNode) continue;
    const ExprNode& n = pool[node];
    if (n.leaf) {
      add_literal(n, kCodeTrue);
    } else if (n.type == kNodeNot) {
      if (n.left != kNoNode && pool[n.left].leaf) add_literal(pool[n.left], kCodeComplement);
    } else if (n.type == kNodeTrue) {
      cover.SetConstantOne();
    } else if (n.type == kNodeFalse) {
      cover.SetConstantZero();
    } else if (n.type == kNodeOr) {
      pending.push_back({Step::kVisit, n.right});
      pending.push_back({Step::kNextProduct, kNoNode});
      pending.push_back({Step::kVisit, n.left});
    } else {
      pending.push_back({Step::kVisit, n.right});
      pending.push_back({Step::kVisit, n.left});
    }
  }
}

void BuildDirectCover(const NodePool& pool, NodeRef tree, const VariableMap& map,
                      Expansion& result) {
  Cover& cover = result.cover;
  cover.Bind(0);
  CoverFromTree(pool, tree, map, cover);
  int present = 0;
  for (int row = 0; row < result.rows; ++row) present += cover.present(row) ? 1 : 0;
  if (present == 0) {
    // Every product was dropped: the function is constant 0.
    cover.Bind(0);
    cover.SetConstantZero();
  }
  result.on_count = present;
  result.off_count = 0;
  result.direct = true;
}

}  // namespace

int MarkUsedVariables(const NodePool& pool, NodeRef tree, const VariableMap& map, int* used) {
  std::vector<NodeRef> pending;
  if (tree != kNoNode) pending.push_back(tree);
  while (!pending.empty()) {
    const ExprNode& n = pool[pending.back()];
    pending.pop_back();
    if (n.leaf) {
      used[VariableOf(n, map)] = 1;
      continue;
    }
    if (n.left != kNoNode) pending.push_back(n.left);
    if (n.type != kNodeNot && n.right != kNoNode) pending.push_back(n.right);
  }
  int count = 0;
  for (int v = 0; v < map.variables; ++v) count += used[v] ? 1 : 0;
  return count;
}

bool IsSumOfProducts(const NodePool& pool, NodeRef tree) {
  std::vector<NodeRef> pending{tree};
  while (!pending.empty()) {
    const NodeRef node = pending.back();
    pending.pop_back();
    if (node == kNoNode) continue;
    const ExprNode& n = pool[node];
    if (n.leaf) continue;
    switch (n.type) {
      case kNodeNot:
        if (n.left == kNoNode || !pool[n.left].leaf) return false;
        break;
      case kNodeXor:
        return false;
      case kNodeAnd:
        if ((n.left != kNoNode && IsOperator(pool[n.left], kNodeOr)) ||
            (n.right != kNoNode && IsOperator(pool[n.right], kNodeOr)))
          return false;
        [[fallthrough]];
      default:
        pending.push_back(n.left);
        pending.push_back(n.right);
    }
  }
  return true;
}

int CountTerms(const NodePool& pool, NodeRef tree) {
  int terms = 1;
  std::vector<NodeRef> pending{tree};
  while (!pending.empty()) {
    const NodeRef node = pending.back();
    pending.pop_back();
    if (node == kNoNode || !IsOperator(pool[node], kNodeOr)) continue;
    ++terms;
    pending.push_back(pool[node].left);
    pending.push_back(pool[node].right);
  }
  return terms;
}

bool BuildCover(SynthesisContext& context, const NodePool& pool, NodeRef tree, const int* used,
                int used_count, const VariableMap& map, bool minimizing, Expansion& result) {
  result = Expansion{};
  if (!minimizing && IsSumOfProducts(pool, tree)) {
    result.rows = CountTerms(pool, tree);
    if (!result.cover.Allocate(context, result.rows, 0, map.variables)) return false;
    BuildDirectCover(pool, tree, map, result);
    return true;
  }
  const TimedStep timed(context.step_timer, MinimizerStep::kTruthTable);
  return BuildTruthTable(context, pool, tree, used, used_count, map, result);
}

}  // namespace kem
