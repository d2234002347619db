// Evaluation of an expression tree over a whole truth table. The tree is compiled once into a
// short program over a few wide registers; each run of the program computes a block of rows, one
// bit per row, so the cost of walking the tree is shared by thousands of rows. The program is
// built without recursion, and its operands are ordered so that the number of registers grows
// only with the logarithm of the tree's size, however deep the tree is.
//
// Internally the rows are renumbered: the signals that occur below the most nodes get the lowest
// row bits, the ones within a block. A subtree over those bits only is the same in every block
// and is evaluated once; a subtree whose values repeat after a few words (it depends on low row
// bits only) is evaluated on those words alone and widened where it meets a wider one.
#pragma once

#include <cstdint>
#include <vector>

#include "common/progress.h"
#include "synthesis/expression_tree.h"

namespace kem {

class TreeEvaluator {
 public:
  // A leaf's variable is its record minus `first_record`; `row_bit_of_variable[v]` is the bit of
  // the row number that gives variable v its value (-1 for a variable the tree does not use).
  // `rows`: how many rows the table has (a power of two).
  TreeEvaluator(const NodePool& pool, NodeRef tree, int first_record,
                const std::vector<int>& row_bit_of_variable, std::uint64_t rows);

  // Evaluates every row, ticking `progress` once per block.
  void Evaluate(Progress& progress);
  // The values of rows first .. first + 63, bit r for row first + r, after Evaluate; `first` is a
  // multiple of 64. A table of fewer rows repeats them.
  std::uint64_t ValueWord(std::uint64_t first) const {
    // 64 rows share the bits above kLowBits.
    const std::uint64_t high = renumber_high_[first >> kLowBits];
    const std::uint64_t* low = renumber_low_.data() + (first & kLowMask);
    const std::uint64_t low_mask = renumber_low_.size() - 1;
    std::uint64_t word = 0;
    for (std::uint64_t r = 0; r < 64; ++r) {
      const std::uint64_t at = high | low[r & low_mask];
      word |= ((table_[at / 64] >> (at % 64)) & 1u) << r;
    }
    return word;
  }

 private:
  // kStore keeps a register's words in an input.
  enum class Op : std::uint8_t { kCopy, kNot, kOr, kAnd, kXor, kStore };
  struct Operand {
    bool in_register = false;
    int index = 0;  // a register, or an input: 2 v + 2 for variable v, 2 v + 3 for its complement
    std::uint32_t words = 1;  // how many words hold its values; they repeat after that
  };
  // Word counts are powers of two, kept as their logarithms: a program may have as many
  // instructions as the tree has nodes.
  struct Instruction {
    Op op;
    bool source_in_register;
    std::uint8_t words_log;  // of the result
    std::uint8_t source_words_log;
    std::uint8_t target_words_log;  // what the target holds before
    int target;                     // a register; for kStore an input
    int source;                     // a register or an input
  };
  struct Program {
    std::vector<Instruction> code;
    std::vector<int> free;
    int registers = 0;
    int Take();
    void GiveBack(const Operand& operand);
    void Add(Op op, int target, const Operand& source, std::uint32_t words,
             std::uint32_t target_words);
  };

  struct LocalNode {
    int left = -1;
    int right = -1;
    std::uint32_t support = 0;  // the row bits the subtree depends on
    std::int16_t variable = 0;
    std::int8_t type = kNodeFalse;  // a NodeType, or -1 for a leaf
    std::uint8_t need = 1;          // registers for the subtree
  };
  static std::vector<LocalNode> Flatten(const NodePool& pool, NodeRef tree, int first_record,
                                        const std::vector<int>& row_bit_of_variable);
  // Chooses the internal row bits.
  void Renumber(const std::vector<LocalNode>& nodes, const std::vector<int>& row_bit_of_variable,
                int row_bits);
  std::uint32_t WordsOf(std::uint32_t support) const;
  // The program for the subtree at `root`; with `share`, subtrees whose values are the same in
  // every block go to the prologue, which runs once, and are read from where it stored them.
  Operand Emit(const std::vector<LocalNode>& nodes, int root, Program& program, bool share);
  Operand Store(Operand operand);
  void Run(const Program& program);
  std::uint64_t* Register(int r) {
    return registers_.data() + static_cast<std::size_t>(r) * block_words_;
  }
  std::uint64_t* Input(int input) {
    return inputs_.data() + static_cast<std::size_t>(input) * block_words_;
  }
  const std::uint64_t* Source(const Operand& operand) {
    return operand.in_register ? Register(operand.index) : Input(operand.index);
  }
  void FillInputs(bool within_block, std::uint64_t block);
  std::uint64_t InternalRow(std::uint64_t row) const {
    return renumber_low_[row & kLowMask] | renumber_high_[row >> kLowBits];
  }

  static constexpr int kLowBits = 9;
  static constexpr std::uint64_t kLowMask = (std::uint64_t{1} << kLowBits) - 1;

  int block_bits_ = 0;
  std::uint64_t block_words_ = 1;
  std::uint64_t blocks_ = 1;
  Program main_;
  Program prologue_;
  int first_stored_ = 0;  // the first input that holds a stored subtree
  int stored_ = 0;
  Operand result_;
  std::vector<std::uint8_t> invariant_;  // by local node
  std::vector<std::uint32_t> words_;     // by local node
  std::vector<int> internal_bit_;        // by variable: its internal row bit, or -1
  std::vector<std::uint64_t> renumber_low_;
  std::vector<std::uint64_t> renumber_high_;
  std::vector<std::uint64_t> inputs_;  // by input: a block of words
  std::vector<std::uint64_t> registers_;
  std::vector<std::uint64_t> table_;  // by internal row
};

}  // namespace kem
