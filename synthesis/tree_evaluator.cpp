// The tree evaluator (see tree_evaluator.h): the tree is flattened, its inputs renumbered to row
// bits, and compiled into a program over registers of one block of rows each.
#include "synthesis/tree_evaluator.h"

#include <algorithm>
#include <array>
#include <bit>
#include <numeric>

namespace kem {

namespace {

// Rows per block: enough to make the walk's cost vanish against the word operations, few enough
// that the registers stay in the first-level cache.
constexpr int kMaxBlockBits = 12;
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

// target[w] = f(target[w], source[w % source_words]) for w < words; source_words divides words.
template <typename F>
void Combine(std::uint64_t* target, const std::uint64_t* source, std::size_t source_words,
             std::size_t words, F f) {
  if (source_words == words) {
    for (std::size_t w = 0; w < words; ++w) target[w] = f(target[w], source[w]);
  } else if (source_words == 1) {
    const std::uint64_t s = source[0];
    for (std::size_t w = 0; w < words; ++w) target[w] = f(target[w], s);
  } else {
    for (std::size_t base = 0; base < words; base += source_words) {
      for (std::size_t w = 0; w < source_words; ++w)
        target[base + w] = f(target[base + w], source[w]);
    }
  }
}

}  // namespace

// The tree copied in postfix order, with the registers each subtree needs when the operand that
// needs more is evaluated first (both operands of OR, AND and XOR may be swapped), and the row
// bits each subtree depends on.
std::vector<TreeEvaluator::LocalNode> TreeEvaluator::Flatten(
    const NodePool& pool, NodeRef tree, int first_record,
    const std::vector<int>& row_bit_of_variable) {
  // The nodes in use bound the tree's size; reserving costs address space only.
  std::vector<LocalNode> nodes;
  nodes.reserve(pool.in_use() + 1);
  std::vector<int> done;  // finished operands, as local indices
  // Operators on the way down, twice their reference, plus 1 once their right operand is taken.
  std::vector<NodeRef> pending;
  auto is_operator = [&](NodeRef ref) {
    if (ref == kNoNode || pool[ref].leaf) return false;
    const int type = pool[ref].type;
    return type == kNodeNot || type == kNodeOr || type == kNodeAnd || type == kNodeXor;
  };
  auto finish = [&](const LocalNode& local) {
    done.push_back(static_cast<int>(nodes.size()));
    nodes.push_back(local);
  };
  NodeRef at = tree;
  for (;;) {
    while (is_operator(at)) {
      pending.push_back(at * 2);
      at = pool[at].left;
    }
    LocalNode terminal;
    if (at == kNoNode) {
      terminal.type = kNodeFalse;  // a missing operand reads as 0
    } else if (pool[at].leaf) {
      terminal.type = kLeaf;
      terminal.variable = static_cast<std::int16_t>(pool[at].record - first_record);
      const int bit = row_bit_of_variable[static_cast<std::size_t>(terminal.variable)];
      terminal.support = bit < 0 ? 0u : 1u << bit;
    } else {
      terminal.type = static_cast<std::int8_t>(pool[at].type);
    }
    finish(terminal);
    // Up through the operators whose operands are done.
    for (;;) {
      if (pending.empty()) return nodes;
      const NodeRef entry = pending.back();
      const ExprNode& n = pool[entry / 2];
      if (entry % 2 == 0 && n.type != kNodeNot) {
        pending.back() = entry + 1;
        at = n.right;
        break;
      }
      pending.pop_back();
      LocalNode local;
      local.type = static_cast<std::int8_t>(n.type);
      if (n.type != kNodeNot) {
        local.right = done.back();
        done.pop_back();
      }
      local.left = done.back();
      done.pop_back();
      const LocalNode& left = nodes[static_cast<std::size_t>(local.left)];
      if (n.type == kNodeNot) {
        local.need = left.need;
        local.support = left.support;
      } else {
        const LocalNode& right = nodes[static_cast<std::size_t>(local.right)];
        local.need = static_cast<std::uint8_t>(
            left.need == right.need ? left.need + 1 : std::max(left.need, right.need));
        local.support = left.support | right.support;
      }
      finish(local);
    }
  }
}

// The row bits that the most nodes depend on become the lowest internal bits: the more nodes
// depend on in-block bits only, the more are evaluated once, and the lower a node's highest bit,
// the fewer words it is evaluated on.
void TreeEvaluator::Renumber(const std::vector<LocalNode>& nodes,
                             const std::vector<int>& row_bit_of_variable, int row_bits) {
  std::vector<std::uint64_t> dependent(static_cast<std::size_t>(row_bits), 0);
  for (const LocalNode& n : nodes) {
    for (std::uint32_t s = n.support; s != 0; s &= s - 1)
      ++dependent[static_cast<std::size_t>(std::countr_zero(s))];
  }
  std::vector<int> order(static_cast<std::size_t>(row_bits));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return dependent[static_cast<std::size_t>(a)] > dependent[static_cast<std::size_t>(b)];
  });
  std::vector<int> internal_of_row_bit(static_cast<std::size_t>(row_bits));
  for (int i = 0; i < row_bits; ++i)
    internal_of_row_bit[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])] = i;

  internal_bit_.assign(row_bit_of_variable.size(), -1);
  for (std::size_t v = 0; v < row_bit_of_variable.size(); ++v) {
    const int bit = row_bit_of_variable[v];
    if (bit >= 0) internal_bit_[v] = internal_of_row_bit[static_cast<std::size_t>(bit)];
  }
  auto renumber = [&](std::vector<std::uint64_t>& table, int first_bit, int bits) {
    table.assign(std::size_t{1} << bits, 0);
    for (std::size_t part = 0; part < table.size(); ++part) {
      for (int b = 0; b < bits; ++b) {
        if (((part >> b) & 1u) != 0)
          table[part] |= std::uint64_t{1}
                         << internal_of_row_bit[static_cast<std::size_t>(first_bit + b)];
      }
    }
  };
  const int low_bits = std::min(row_bits, kLowBits);
  renumber(renumber_low_, 0, low_bits);
  renumber(renumber_high_, low_bits, row_bits - low_bits);
}

std::uint32_t TreeEvaluator::WordsOf(std::uint32_t support) const {
  const int highest = std::bit_width(support & ((1u << block_bits_) - 1u));
  return highest <= 6 ? 1u : 1u << (highest - 6);
}

TreeEvaluator::TreeEvaluator(const NodePool& pool, NodeRef tree, int first_record,
                             const std::vector<int>& row_bit_of_variable, std::uint64_t rows) {
  const int row_bits = std::countr_zero(std::max<std::uint64_t>(rows, 1));
  block_bits_ = std::min(row_bits, kMaxBlockBits);
  block_words_ = block_bits_ <= 6 ? 1 : std::uint64_t{1} << (block_bits_ - 6);
  blocks_ = std::uint64_t{1} << (row_bits - block_bits_);

  std::vector<LocalNode> nodes = Flatten(pool, tree, first_record, row_bit_of_variable);
  Renumber(nodes, row_bit_of_variable, row_bits);
  // A subtree over row bits within a block has the same values in every block.
  const std::uint32_t in_block = (1u << block_bits_) - 1u;
  invariant_.resize(nodes.size());
  words_.resize(nodes.size());
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    // A set of row bits renumbers like a row.
    const auto support = static_cast<std::uint32_t>(InternalRow(nodes[i].support));
    invariant_[i] = (support & ~in_block) == 0;
    words_[i] = WordsOf(support);
  }
  first_stored_ = 2 + 2 * static_cast<int>(row_bit_of_variable.size());
  // At most two instructions a node; reserving costs address space only, growing would copy.
  main_.code.reserve(2 * nodes.size());
  prologue_.code.reserve(2 * nodes.size());
  result_ = Emit(nodes, static_cast<int>(nodes.size()) - 1, main_, true);
  registers_.assign(
      static_cast<std::size_t>(std::max(main_.registers, prologue_.registers)) * block_words_, 0);
  inputs_.assign(static_cast<std::size_t>(first_stored_ + stored_) * block_words_, 0);
  Input(kInputOne)[0] = ~0ull;
  table_.assign(blocks_ * block_words_, 0);
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

void TreeEvaluator::Program::Add(Op op, int target, const Operand& source, std::uint32_t words,
                                 std::uint32_t target_words) {
  auto log = [](std::uint32_t n) { return static_cast<std::uint8_t>(std::countr_zero(n)); };
  code.push_back({op, source.in_register, log(words), log(source.words),
                  log(target_words == 0 ? 1u : target_words), target, source.index});
}

TreeEvaluator::Operand TreeEvaluator::Emit(const std::vector<LocalNode>& nodes, int root,
                                           Program& program, bool share) {
  std::vector<Operand> operands;
  // Operators on the way down, twice their local index, plus 1 once their second operand is
  // taken. Of OR, AND and XOR, the operand that needs more registers is evaluated first, while the
  // other needs none.
  std::vector<int> pending;
  auto first_operand = [&](const LocalNode& n) {
    if (n.type == kNodeNot) return n.left;
    return nodes[static_cast<std::size_t>(n.left)].need >=
                   nodes[static_cast<std::size_t>(n.right)].need
               ? n.left
               : n.right;
  };
  int at = root;
  for (;;) {
    // Down the operands evaluated first, to one that needs no instruction of this program.
    for (;;) {
      const LocalNode& n = nodes[static_cast<std::size_t>(at)];
      if (n.type == kLeaf) {
        operands.push_back({false, InputOf(n.variable), words_[static_cast<std::size_t>(at)]});
        break;
      }
      if (n.type == kNodeTrue || n.type == kNodeFalse) {
        operands.push_back({false, n.type == kNodeTrue ? kInputOne : kInputZero, 1});
        break;
      }
      if (share && invariant_[static_cast<std::size_t>(at)] && stored_ < kMaxStored) {
        operands.push_back(Store(Emit(nodes, at, prologue_, false)));
        break;
      }
      pending.push_back(at * 2);
      at = first_operand(n);
    }
    // Up through the operators whose operands are done.
    for (;;) {
      if (pending.empty()) return operands.back();
      const int entry = pending.back();
      const LocalNode& n = nodes[static_cast<std::size_t>(entry / 2)];
      if (entry % 2 == 0 && n.type != kNodeNot) {
        pending.back() = entry + 1;
        at = first_operand(n) == n.left ? n.right : n.left;
        break;
      }
      pending.pop_back();
      if (n.type == kNodeNot) {
        Operand& operand = operands.back();
        if (!operand.in_register && operand.index < first_stored_) {
          operand.index ^= 1;  // a variable's or a constant's complement is an input too
          continue;
        }
        if (!operand.in_register) {
          const int target = program.Take();
          program.Add(Op::kCopy, target, operand, operand.words, 0);
          operand.in_register = true;
          operand.index = target;
        }
        program.Add(Op::kNot, operand.index, operand, operand.words, operand.words);
        continue;
      }
      const Operand second = operands.back();
      operands.pop_back();
      const Operand first = operands.back();
      operands.pop_back();
      const Op op = n.type == kNodeOr ? Op::kOr : n.type == kNodeAnd ? Op::kAnd : Op::kXor;
      const std::uint32_t words = std::max(first.words, second.words);
      if (first.in_register) {
        program.Add(op, first.index, second, words, first.words);
        program.GiveBack(second);
        operands.push_back({true, first.index, words});
      } else if (second.in_register) {
        program.Add(op, second.index, first, words, second.words);
        operands.push_back({true, second.index, words});
      } else {
        const int target = program.Take();
        program.Add(Op::kCopy, target, first, first.words, 0);
        program.Add(op, target, second, words, first.words);
        operands.push_back({true, target, words});
      }
    }
  }
}

TreeEvaluator::Operand TreeEvaluator::Store(Operand operand) {
  if (!operand.in_register) return operand;
  const int input = first_stored_ + stored_++;
  prologue_.Add(Op::kStore, input, operand, operand.words, 0);
  prologue_.GiveBack(operand);
  return {false, input, operand.words};
}

// The variables on in-block bits hold the same words in every block, each only as many words as
// its values take to repeat; the others are one word of 0 or 1 in a block.
void TreeEvaluator::FillInputs(bool within_block, std::uint64_t block) {
  for (std::size_t v = 0; v < internal_bit_.size(); ++v) {
    const int bit = internal_bit_[v];
    if (bit < 0 || (bit < block_bits_) != within_block) continue;
    std::uint64_t* plain = Input(InputOf(static_cast<int>(v)));
    std::uint64_t* complement = plain + block_words_;
    if (!within_block) {
      plain[0] = ((block >> (bit - block_bits_)) & 1u) != 0 ? ~0ull : 0ull;
      complement[0] = ~plain[0];
    } else if (bit < 6) {
      plain[0] = kLowBitPatterns[static_cast<std::size_t>(bit)];
      complement[0] = ~plain[0];
    } else {
      const std::uint64_t words = std::uint64_t{1} << (bit - 5);
      for (std::uint64_t w = 0; w < words; ++w) {
        plain[w] = ((w >> (bit - 6)) & 1u) != 0 ? ~0ull : 0ull;
        complement[w] = ~plain[w];
      }
    }
  }
}

void TreeEvaluator::Evaluate(Progress& progress) {
  FillInputs(true, 0);
  Run(prologue_);
  for (std::uint64_t block = 0; block < blocks_; ++block) {
    progress.Tick();
    FillInputs(false, block);
    Run(main_);
    const std::uint64_t* result = Source(result_);
    std::uint64_t* out = table_.data() + block * block_words_;
    for (std::uint64_t w = 0; w < block_words_; ++w) out[w] = result[w & (result_.words - 1)];
  }
}

void TreeEvaluator::Run(const Program& program) {
  for (const Instruction& instruction : program.code) {
    const std::uint64_t* source =
        instruction.source_in_register ? Register(instruction.source) : Input(instruction.source);
    const std::size_t source_words = std::size_t{1} << instruction.source_words_log;
    if (instruction.op == Op::kStore) {
      std::copy_n(source, source_words, Input(instruction.target));
      continue;
    }
    std::uint64_t* target = Register(instruction.target);
    const std::size_t words = std::size_t{1} << instruction.words_log;
    if (instruction.op == Op::kCopy) {
      std::copy_n(source, source_words, target);
      continue;
    }
    if (instruction.op == Op::kNot) {
      for (std::size_t w = 0; w < words; ++w) target[w] = ~target[w];
      continue;
    }
    // A narrower target is repeated out to the result's width first.
    for (std::size_t held = std::size_t{1} << instruction.target_words_log; held < words; held *= 2)
      std::copy_n(target, held, target + held);
    switch (instruction.op) {
      case Op::kOr:
        Combine(target, source, source_words, words,
                [](std::uint64_t a, std::uint64_t b) { return a | b; });
        break;
      case Op::kAnd:
        Combine(target, source, source_words, words,
                [](std::uint64_t a, std::uint64_t b) { return a & b; });
        break;
      case Op::kXor:
        Combine(target, source, source_words, words,
                [](std::uint64_t a, std::uint64_t b) { return a ^ b; });
        break;
      default:
        break;
    }
  }
}

}  // namespace kem
