#include "synthesis/tree_evaluator.h"

#include <algorithm>
#include <array>
#include <bit>

namespace kem {

namespace {

// Rows per block: enough to make the walk's cost vanish against the word operations, few enough
// that the registers stay in the first-level cache.
constexpr std::uint64_t kMaxBlockWords = 64;
// Subtrees whose values are kept across blocks, at most (a block of words each).
constexpr int kMaxStored = 4096;

// Word patterns of the row bits below 6: within one word, row r has bit r % 64.
constexpr std::array<std::uint64_t, 6> kLowBitPatterns = {
    0xAAAAAAAAAAAAAAAAull, 0xCCCCCCCCCCCCCCCCull, 0xF0F0F0F0F0F0F0F0ull,
    0xFF00FF00FF00FF00ull, 0xFFFF0000FFFF0000ull, 0xFFFFFFFF00000000ull,
};

// Inputs 0 and 1 are the constants 0 and 1; variable v is input 2 + 2 v, its complement the next.
// The complement of any input is the input with the lowest bit flipped.
constexpr int kInputZero = 0;
constexpr int kInputOne = 1;
int InputOf(int variable) {
  return 2 + 2 * variable;
}

constexpr int kLeaf = -1;

}  // namespace

// The tree copied in postfix order, with the registers each subtree needs when the operand that
// needs more is evaluated first (both operands of OR, AND and XOR may be swapped).
std::vector<TreeEvaluator::LocalNode> TreeEvaluator::Flatten(const NodePool& pool, NodeRef tree,
                                                             int first_record) {
  std::vector<LocalNode> nodes;
  std::vector<int> done;                          // finished operands, as local indices
  std::vector<std::pair<NodeRef, bool>> pending;  // node, operands already pushed
  pending.push_back({tree, false});
  while (!pending.empty()) {
    const auto [ref, expanded] = pending.back();
    pending.pop_back();
    LocalNode local;
    if (ref == kNoNode) {
      // A missing operand reads as 0.
      local.type = kNodeFalse;
    } else if (pool[ref].leaf) {
      local.type = kLeaf;
      local.variable = pool[ref].record - first_record;
    } else {
      const ExprNode& n = pool[ref];
      local.type = n.type;
      if (n.type == kNodeNot || n.type == kNodeOr || n.type == kNodeAnd || n.type == kNodeXor) {
        if (!expanded) {
          pending.push_back({ref, true});
          if (n.type != kNodeNot) pending.push_back({n.right, false});
          pending.push_back({n.left, false});
          continue;
        }
        if (n.type != kNodeNot) {
          local.right = done.back();
          done.pop_back();
        }
        local.left = done.back();
        done.pop_back();
        const int l = nodes[static_cast<std::size_t>(local.left)].need;
        if (n.type == kNodeNot) {
          local.need = l;
        } else {
          const int r = nodes[static_cast<std::size_t>(local.right)].need;
          local.need = l == r ? l + 1 : std::max(l, r);
        }
      }
    }
    done.push_back(static_cast<int>(nodes.size()));
    nodes.push_back(local);
  }
  return nodes;
}

TreeEvaluator::TreeEvaluator(const NodePool& pool, NodeRef tree, int first_record,
                             const std::vector<int>& row_bit_of_variable, std::uint64_t rows)
    : block_words_(std::clamp<std::uint64_t>(rows / 64, 1, kMaxBlockWords)),
      row_bit_of_variable_(row_bit_of_variable) {
  const std::vector<LocalNode> nodes = Flatten(pool, tree, first_record);
  // A subtree over row bits within a block has the same values in every block.
  const int block_bits = std::countr_zero(block_words_ * 64);
  invariant_.assign(nodes.size(), 0);
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const LocalNode& n = nodes[i];
    if (n.type == kLeaf) {
      invariant_[i] = row_bit_of_variable[static_cast<std::size_t>(n.variable)] < block_bits;
    } else if (n.type == kNodeTrue || n.type == kNodeFalse) {
      invariant_[i] = 1;
    } else {
      invariant_[i] = invariant_[static_cast<std::size_t>(n.left)] &&
                      (n.type == kNodeNot || invariant_[static_cast<std::size_t>(n.right)]);
    }
  }
  first_stored_ = 2 + 2 * static_cast<int>(row_bit_of_variable.size());
  Operand result = Emit(nodes, static_cast<int>(nodes.size()) - 1, main_, true);
  if (!result.in_register) {
    const int target = main_.Take();
    main_.code.push_back({Op::kCopy, target, result});
    result = {true, target};
  }
  result_register_ = result.index;
  registers_.assign(
      static_cast<std::size_t>(std::max(main_.registers, prologue_.registers)) * block_words_, 0);
  inputs_.assign(static_cast<std::size_t>(first_stored_ + stored_) * block_words_, 0);
  std::fill_n(inputs_.data() + kInputOne * block_words_, block_words_, ~0ull);
}

int TreeEvaluator::Program::Take() {
  if (free.empty()) return registers++;
  const int r = free.back();
  free.pop_back();
  return r;
}

void TreeEvaluator::Program::GiveBack(const Operand& operand) {
  if (operand.in_register) free.push_back(operand.index);
}

TreeEvaluator::Operand TreeEvaluator::Emit(const std::vector<LocalNode>& nodes, int root,
                                           Program& program, bool share) {
  std::vector<Operand> operands;
  std::vector<std::pair<int, bool>> pending;  // local node, operands done
  pending.push_back({root, false});
  while (!pending.empty()) {
    const auto [at, expanded] = pending.back();
    pending.pop_back();
    const LocalNode& n = nodes[static_cast<std::size_t>(at)];
    if (n.type == kLeaf) {
      operands.push_back({false, InputOf(n.variable)});
      continue;
    }
    if (n.type == kNodeTrue || n.type == kNodeFalse) {
      operands.push_back({false, n.type == kNodeTrue ? kInputOne : kInputZero});
      continue;
    }
    if (share && !expanded && invariant_[static_cast<std::size_t>(at)] && stored_ < kMaxStored) {
      operands.push_back(Store(Emit(nodes, at, prologue_, false)));
      continue;
    }
    if (n.type == kNodeNot) {
      if (!expanded) {
        pending.push_back({at, true});
        pending.push_back({n.left, false});
        continue;
      }
      Operand& operand = operands.back();
      if (!operand.in_register && operand.index < first_stored_) {
        operand.index ^= 1;  // a variable's or a constant's complement is an input too
        continue;
      }
      if (!operand.in_register) {
        const int target = program.Take();
        program.code.push_back({Op::kCopy, target, operand});
        operand = {true, target};
      }
      program.code.push_back({Op::kNot, operand.index, operand});
      continue;
    }
    const bool left_first = nodes[static_cast<std::size_t>(n.left)].need >=
                            nodes[static_cast<std::size_t>(n.right)].need;
    if (!expanded) {
      // The operand that needs more registers is evaluated first, while the other needs none.
      pending.push_back({at, true});
      pending.push_back({left_first ? n.right : n.left, false});
      pending.push_back({left_first ? n.left : n.right, false});
      continue;
    }
    const Operand second = operands.back();
    operands.pop_back();
    const Operand first = operands.back();
    operands.pop_back();
    const Op op = n.type == kNodeOr ? Op::kOr : n.type == kNodeAnd ? Op::kAnd : Op::kXor;
    if (first.in_register) {
      program.code.push_back({op, first.index, second});
      program.GiveBack(second);
      operands.push_back(first);
    } else if (second.in_register) {
      program.code.push_back({op, second.index, first});
      operands.push_back(second);
    } else {
      const int target = program.Take();
      program.code.push_back({Op::kCopy, target, first});
      program.code.push_back({op, target, second});
      operands.push_back({true, target});
    }
  }
  return operands.back();
}

TreeEvaluator::Operand TreeEvaluator::Store(Operand operand) {
  if (!operand.in_register) return operand;
  const int input = first_stored_ + stored_++;
  prologue_.code.push_back({Op::kStore, input, operand});
  prologue_.GiveBack(operand);
  return {false, input};
}

void TreeEvaluator::FillInputs(std::uint64_t first) {
  const std::uint64_t first_word = first / 64;
  for (std::size_t v = 0; v < row_bit_of_variable_.size(); ++v) {
    const int bit = row_bit_of_variable_[v];
    if (bit < 0) continue;
    std::uint64_t* plain =
        inputs_.data() + static_cast<std::size_t>(InputOf(static_cast<int>(v))) * block_words_;
    std::uint64_t* complement = plain + block_words_;
    for (std::uint64_t w = 0; w < block_words_; ++w) {
      plain[w] = bit < 6 ? kLowBitPatterns[static_cast<std::size_t>(bit)]
                 : (((first_word + w) >> (bit - 6)) & 1u) != 0 ? ~0ull
                                                               : 0ull;
      complement[w] = ~plain[w];
    }
  }
}

const std::uint64_t* TreeEvaluator::Source(const Operand& operand) {
  if (operand.in_register) return Register(operand.index);
  return inputs_.data() + static_cast<std::size_t>(operand.index) * block_words_;
}

const std::uint64_t* TreeEvaluator::Evaluate(std::uint64_t first) {
  FillInputs(first);
  if (!prologue_done_) {
    Run(prologue_);
    prologue_done_ = true;
  }
  Run(main_);
  return Register(result_register_);
}

void TreeEvaluator::Run(const Program& program) {
  const std::size_t words = block_words_;
  for (const Instruction& instruction : program.code) {
    const std::uint64_t* source = Source(instruction.source);
    if (instruction.op == Op::kStore) {
      std::uint64_t* stored = inputs_.data() + static_cast<std::size_t>(instruction.target) * words;
      std::copy_n(source, words, stored);
      continue;
    }
    std::uint64_t* target = Register(instruction.target);
    switch (instruction.op) {
      case Op::kCopy:
        std::copy_n(source, words, target);
        break;
      case Op::kNot:
        for (std::size_t w = 0; w < words; ++w) target[w] = ~target[w];
        break;
      case Op::kOr:
        for (std::size_t w = 0; w < words; ++w) target[w] |= source[w];
        break;
      case Op::kAnd:
        for (std::size_t w = 0; w < words; ++w) target[w] &= source[w];
        break;
      case Op::kXor:
        for (std::size_t w = 0; w < words; ++w) target[w] ^= source[w];
        break;
      case Op::kStore:
        break;
    }
  }
}

}  // namespace kem
