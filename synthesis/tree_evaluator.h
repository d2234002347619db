// Evaluation of an expression tree over many truth-table rows at once. The tree is compiled once
// into a short program over a few wide registers; each run of the program computes a block of
// consecutive rows, one bit per row, so the cost of walking the tree is shared by thousands of
// rows. The program is built without recursion, and its operands are ordered so that the number
// of registers grows only with the logarithm of the tree's size, however deep the tree is. A
// subtree that depends only on row bits within a block is the same in every block: it is
// evaluated once.
#pragma once

#include <cstdint>
#include <vector>

#include "synthesis/expression_tree.h"

namespace kem {

class TreeEvaluator {
 public:
  // A leaf's variable is its record minus `first_record`; `row_bit_of_variable[v]` is the bit of
  // the row number that gives variable v its value (-1 for a variable the tree does not use).
  // `rows`: how many rows the table has (a power of two).
  TreeEvaluator(const NodePool& pool, NodeRef tree, int first_record,
                const std::vector<int>& row_bit_of_variable, std::uint64_t rows);

  // How many rows one call of Evaluate computes (a multiple of 64, or the whole small table).
  std::uint64_t block_rows() const { return block_words_ * 64; }

  // The values of rows first .. first + block_rows() - 1, bit r % 64 of word r / 64 for row
  // first + r. `first` is a multiple of block_rows(). The words stay valid until the next call.
  const std::uint64_t* Evaluate(std::uint64_t first);

 private:
  // kStore keeps a register's words in an input.
  enum class Op : std::uint8_t { kCopy, kNot, kOr, kAnd, kXor, kStore };
  struct Operand {
    bool in_register = false;
    int index = 0;  // a register, or a leaf's input: 2 v for v, 2 v + 1 for its complement
  };
  struct Instruction {
    Op op;
    int target;  // a register; for kStore an input
    Operand source;
  };
  struct Program {
    std::vector<Instruction> code;
    std::vector<int> free;
    int registers = 0;
    int Take();
    void GiveBack(const Operand& operand);
  };

  struct LocalNode {
    int type = kNodeFalse;  // a NodeType, or -1 for a leaf
    int variable = 0;
    int left = -1;
    int right = -1;
    int need = 1;  // registers for the subtree
  };
  static std::vector<LocalNode> Flatten(const NodePool& pool, NodeRef tree, int first_record);
  // The program for the subtree at `root`; with `share`, subtrees whose values are the same in
  // every block go to the prologue, which runs once, and are read from where it stored them.
  Operand Emit(const std::vector<LocalNode>& nodes, int root, Program& program, bool share);
  Operand Store(Operand operand);
  void Run(const Program& program);
  std::uint64_t* Register(int r) {
    return registers_.data() + static_cast<std::size_t>(r) * block_words_;
  }
  const std::uint64_t* Source(const Operand& operand);
  void FillInputs(std::uint64_t first);

  std::uint64_t block_words_ = 1;
  Program main_;
  Program prologue_;
  bool prologue_done_ = false;
  std::vector<std::uint8_t> invariant_;  // by local node
  int first_stored_ = 0;                 // the first input that holds a stored subtree
  int stored_ = 0;
  int result_register_ = 0;
  std::vector<int> row_bit_of_variable_;
  std::vector<std::uint64_t> inputs_;  // by input: its block of words
  std::vector<std::uint64_t> registers_;
};

}  // namespace kem
