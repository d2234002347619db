// Random right-hand sides of the design language, written as a person might: blanks, line breaks
// and comments between the items, both spellings of "*" and "+", parentheses where precedence
// needs them and now and then where it does not, "/" on signals and on groups. Each text comes
// with its meaning as a Formula.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/entropy.h"
#include "tests/support/formula.h"

namespace kem::testing_support {

class ExpressionWriter {
 public:
  // An expression's text with what it means: `node` in the formula, the precedence of its
  // outermost operator (1 "+", 2 "$", 3 "*", 4 a primary), and whether it is a bare signal.
  struct Text {
    std::string text;
    int node = -1;
    int precedence = 4;
    bool signal = false;
  };

  explicit ExpressionWriter(Entropy& random) : random_(random) {}

  // ---- spacing: every text starts with a blank where it could join what stands before it ---

  std::string Comment() {
    static const char* const kWords[] = {"note",    "see the data sheet", "rev 2", "a + b * c",
                                         "x := y;", "pins 1 .. 10",       "",      "TODO: check"};
    const std::string words = random_.Pick(kWords);
    return random_.Percent(50) ? " /* " + words + " */ " : " // " + words + "\n";
  }
  // Where nothing need stand: next to punctuation.
  std::string Gap() {
    const int r = random_.Below(100);
    if (r < 30) return "";
    if (r < 85) return " ";
    if (r < 90) return random_.Percent(50) ? "  " : "\t";
    if (r < 95) return "\n\t";
    return Comment();
  }
  // Where something must stand: between two words.
  std::string Blank() {
    const int r = random_.Below(100);
    if (r < 75) return " ";
    if (r < 85) return "\n";
    if (r < 92) return random_.Percent(50) ? "\t" : "   ";
    return Comment();
  }

  // ---- expressions -------------------------------------------------------------------------

  Text Constant(Formula& f, bool value) {
    static const char* const kOnes[] = {"1", "VCC", "TRUE", "true", "True"};
    static const char* const kZeros[] = {"0", "GND", "FALSE", "false", "False"};
    return {value ? random_.Pick(kOnes) : random_.Pick(kZeros), f.Constant(value), 4, false};
  }

  Text Literal(Formula& f, const std::string& name, bool negated) {
    Text t{name, f.Signal(name), 4, true};
    return negated ? Negate(f, t) : t;
  }

  // "/" applies to one primary: anything but a bare signal is negated as a group.
  Text Negate(Formula& f, const Text& t) {
    const std::string operand = t.signal ? t.text : "(" + Gap() + t.text + Gap() + ")";
    return {"/" + (random_.Percent(10) ? Gap() : "") + operand, f.Not(t.node), 4, false};
  }

  // Joins two operands; an operand that binds less than the operator gets parentheses.
  Text Combine(Formula& f, Formula::Op op, const Text& left, const Text& right) {
    const int precedence = op == Formula::Op::kOr ? 1 : op == Formula::Op::kXor ? 2 : 3;
    auto operand = [&](const Text& t) {
      const bool group = t.precedence < precedence || (t.precedence < 4 && random_.Percent(20));
      return group ? "(" + Gap() + t.text + Gap() + ")" : t.text;
    };
    std::string symbol = "$";
    if (op == Formula::Op::kOr) symbol = random_.Percent(70) ? "+" : "|";
    if (op == Formula::Op::kAnd) symbol = random_.Percent(70) ? "*" : "&";
    return {operand(left) + Gap() + symbol + Gap() + operand(right),
            f.Binary(op, left.node, right.node), precedence, false};
  }

  // The signals joined by one operator, each negated with the given chance.
  Text Chain(Formula& f, Formula::Op op, const std::vector<std::string>& signals,
             int negated_percent) {
    Text t = Literal(f, signals[0], random_.Percent(negated_percent));
    for (std::size_t i = 1; i < signals.size(); ++i)
      t = Combine(f, op, t, Literal(f, signals[i], random_.Percent(negated_percent)));
    return t;
  }

  // At most `most_terms` products that together read every signal, each one or two signals
  // more at random.
  Text SumOfProducts(Formula& f, const std::vector<std::string>& signals, int most_terms) {
    const int terms = random_.Between(1, std::max(1, most_terms));
    std::vector<std::vector<std::string>> products(static_cast<std::size_t>(terms));
    for (std::size_t i = 0; i < signals.size(); ++i)
      products[i % products.size()].push_back(signals[i]);
    for (auto& product : products) {
      for (int extra = product.empty() ? 1 : random_.Below(3); extra > 0; --extra)
        product.push_back(signals[random_.Below(static_cast<int>(signals.size()))]);
    }
    Text t = Chain(f, Formula::Op::kAnd, products[0], 40);
    for (std::size_t i = 1; i < products.size(); ++i)
      t = Combine(f, Formula::Op::kOr, t, Chain(f, Formula::Op::kAnd, products[i], 40));
    return t;
  }

  // One product term over distinct signals, written plainly or as the complement of a sum.
  Text SingleProduct(Formula& f, const std::vector<std::string>& signals) {
    if (random_.Percent(75)) return Chain(f, Formula::Op::kAnd, signals, 40);
    return Negate(f, Chain(f, Formula::Op::kOr, signals, 50));
  }

  // Any nesting of the operators, `depth` levels deep at most.
  Text Tree(Formula& f, const std::vector<std::string>& signals, int depth) {
    if (depth == 0 || random_.Percent(20))
      return Literal(f, random_.Pick(signals), random_.Percent(35));
    static const Formula::Op kOps[] = {Formula::Op::kAnd, Formula::Op::kAnd, Formula::Op::kOr,
                                       Formula::Op::kOr, Formula::Op::kXor};
    const Formula::Op op = random_.Pick(kOps);
    const Text left = Tree(f, signals, depth - 1);
    const Text right = Tree(f, signals, depth - 1);
    const Text t = Combine(f, op, left, right);
    return random_.Percent(15) ? Negate(f, t) : t;
  }

 private:
  Entropy& random_;
};

}  // namespace kem::testing_support
