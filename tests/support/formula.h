// A boolean formula over signal names, as a generator meant an expression it wrote, so that a test
// can compare what the compiler made of the text with what the text was meant to say.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kem::testing_support {

class Formula {
 public:
  enum class Op { kSignal, kNot, kAnd, kOr, kXor, kConstant };

  // Each returns the index of the new node; children must already be in this formula.
  int Signal(std::string name) { return Add({Op::kSignal, std::move(name), false, -1, -1}); }
  int Constant(bool value) { return Add({Op::kConstant, {}, value, -1, -1}); }
  int Not(int operand) { return Add({Op::kNot, {}, false, operand, -1}); }
  int Binary(Op op, int left, int right) { return Add({op, {}, false, left, right}); }
  void SetRoot(int node) { root_ = node; }

  bool empty() const { return root_ < 0; }

  // The value for the signal levels that `level` gives by name.
  bool Evaluate(const std::function<bool(const std::string&)>& level) const {
    return Evaluate(level, root_);
  }

  std::set<std::string> Signals() const {
    std::set<std::string> names;
    for (const Node& node : nodes_) {
      if (node.op == Op::kSignal) names.insert(node.name);
    }
    return names;
  }

 private:
  struct Node {
    Op op;
    std::string name;
    bool value;
    int left;
    int right;
  };

  int Add(Node node) {
    nodes_.push_back(std::move(node));
    return static_cast<int>(nodes_.size()) - 1;
  }

  bool Evaluate(const std::function<bool(const std::string&)>& level, int index) const {
    const Node& node = nodes_[index];
    switch (node.op) {
      case Op::kSignal:
        return level(node.name);
      case Op::kConstant:
        return node.value;
      case Op::kNot:
        return !Evaluate(level, node.left);
      case Op::kAnd:
        return Evaluate(level, node.left) && Evaluate(level, node.right);
      case Op::kOr:
        return Evaluate(level, node.left) || Evaluate(level, node.right);
      case Op::kXor:
        return Evaluate(level, node.left) != Evaluate(level, node.right);
    }
    return false;
  }

  std::vector<Node> nodes_;
  int root_ = -1;
};

}  // namespace kem::testing_support
