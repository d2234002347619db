// The walks over the tree are iterative with explicit stacks, so that an expression nested or
// chained as deeply as the node pool allows cannot exhaust the call stack.
#include "synthesis/expansion.h"

#include <array>
#include <cstdint>

namespace kem {

namespace {

bool IsOperator(const ExprNode& node, int type) {
  return !node.leaf && node.type == type;
}

int VariableOf(const ExprNode& leaf, const VariableMap& map) {
  return leaf.record - map.first_design_record;
}

// The tree's nodes in postfix order: operands before their operator.
std::vector<NodeRef> Postfix(const NodePool& pool, NodeRef root) {
  std::vector<NodeRef> order;
  std::vector<std::pair<NodeRef, bool>> pending;  // node, children already pushed
  if (root != kNoNode) pending.push_back({root, false});
  while (!pending.empty()) {
    auto [node, expanded] = pending.back();
    pending.pop_back();
    const ExprNode& n = pool[node];
    if (expanded || n.leaf || n.type == kNodeTrue || n.type == kNodeFalse) {
      order.push_back(node);
      continue;
    }
    pending.push_back({node, true});
    if (n.type != kNodeNot && n.right != kNoNode) pending.push_back({n.right, false});
    if (n.left != kNoNode) pending.push_back({n.left, false});
  }
  return order;
}

// Row i of the truth table gives the used variables, in increasing index, the bits of i from the
// most significant down. 64 rows are evaluated at once, one per bit of a word.
constexpr std::array<std::uint64_t, 6> kLowBitPatterns = {
    0xAAAAAAAAAAAAAAAAull, 0xCCCCCCCCCCCCCCCCull, 0xF0F0F0F0F0F0F0F0ull,
    0xFF00FF00FF00FF00ull, 0xFFFF0000FFFF0000ull, 0xFFFFFFFF00000000ull,
};

std::uint64_t ValuesOfRowBit(int bit, std::uint64_t first_row) {
  if (bit < 6) return kLowBitPatterns[static_cast<std::size_t>(bit)];
  return ((first_row >> bit) & 1u) != 0 ? ~0ull : 0ull;
}

std::uint64_t EvaluateChunk(const NodePool& pool, const std::vector<NodeRef>& program,
                            const std::vector<int>& row_bit_of_variable, const VariableMap& map,
                            std::uint64_t first_row, std::vector<std::uint64_t>& stack) {
  stack.clear();
  for (NodeRef node : program) {
    const ExprNode& n = pool[node];
    if (n.leaf) {
      stack.push_back(ValuesOfRowBit(row_bit_of_variable[VariableOf(n, map)], first_row));
      continue;
    }
    switch (n.type) {
      case kNodeTrue:
        stack.push_back(~0ull);
        break;
      case kNodeFalse:
        stack.push_back(0);
        break;
      case kNodeNot:
        stack.back() = ~stack.back();
        break;
      default: {
        const std::uint64_t right = stack.back();
        stack.pop_back();
        std::uint64_t& left = stack.back();
        if (n.type == kNodeOr) left |= right;
        if (n.type == kNodeAnd) left &= right;
        if (n.type == kNodeXor) left ^= right;
      }
    }
  }
  return stack.empty() ? 0 : stack.back();
}

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

  std::vector<int> used_variables;
  std::vector<int> row_bit_of_variable(static_cast<std::size_t>(n), 0);
  for (int v = 0; v < n; ++v) {
    if (!used[v]) continue;
    row_bit_of_variable[static_cast<std::size_t>(v)] =
        used_count - 1 - static_cast<int>(used_variables.size());
    used_variables.push_back(v);
  }

  const std::vector<NodeRef> program = Postfix(pool, tree);
  std::vector<std::uint64_t> stack;
  Cover& table = result.cover;
  for (int first = 0; first < rows; first += 64) {
    context.progress.Tick();
    const std::uint64_t values = EvaluateChunk(pool, program, row_bit_of_variable, map,
                                               static_cast<std::uint64_t>(first), stack);
    for (int i = first; i < rows && i < first + 64; ++i) {
      table.Bind(i);
      std::uint32_t* body = table.Row(i);
      for (int v : used_variables) {
        const int bit = row_bit_of_variable[static_cast<std::size_t>(v)];
        BareSet(body, v, ((i >> bit) & 1) != 0 ? kCodeTrue : kCodeComplement);
      }
      const int value = static_cast<int>((values >> (i - first)) & 1u);
      BareSet(body, n, value);
      (value ? result.on_count : result.off_count)++;
    }
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
