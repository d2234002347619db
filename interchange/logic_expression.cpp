#include "interchange/logic_expression.h"

#include <utility>

namespace kem {
namespace {

using Op = Expression::Op;

bool IsChain(Op op) {
  return op == Op::kAnd || op == Op::kOr || op == Op::kXor;
}

// Folds one AND or OR whose operands are already simplified.
Expression FoldAndOr(Op op, const std::vector<Expression>& operands) {
  const bool absorbing = op == Op::kOr;  // the constant that decides the whole chain
  Expression chain;
  chain.op = op;
  for (const Expression& operand : operands) {
    if (operand.IsConstant(absorbing)) return Expression::Constant(absorbing);
    if (operand.IsConstant(!absorbing)) continue;
    if (operand.op == op) {
      chain.operands.insert(chain.operands.end(), operand.operands.begin(), operand.operands.end());
    } else {
      chain.operands.push_back(operand);
    }
  }
  if (chain.operands.empty()) return Expression::Constant(!absorbing);
  if (chain.operands.size() == 1) return chain.operands.front();
  return chain;
}

Expression FoldXor(const std::vector<Expression>& operands) {
  bool inverted = false;
  Expression chain;
  chain.op = Op::kXor;
  for (const Expression& operand : operands) {
    if (operand.op == Op::kTrue || operand.op == Op::kFalse) {
      inverted = inverted != (operand.op == Op::kTrue);
    } else if (operand.op == Op::kXor) {
      chain.operands.insert(chain.operands.end(), operand.operands.begin(), operand.operands.end());
    } else {
      chain.operands.push_back(operand);
    }
  }
  Expression folded;
  if (chain.operands.empty()) {
    folded = Expression::Constant(false);
  } else if (chain.operands.size() == 1) {
    folded = chain.operands.front();
  } else {
    folded = chain;
  }
  return inverted ? Simplified(Expression::Not(folded)) : folded;
}

// Binding strength in our language: OR below XOR below AND.
int Strength(Op op) {
  switch (op) {
    case Op::kOr:
      return 1;
    case Op::kXor:
      return 2;
    case Op::kAnd:
      return 3;
    default:
      return 4;
  }
}

const char* Separator(Op op) {
  switch (op) {
    case Op::kOr:
      return " + ";
    case Op::kXor:
      return " $ ";
    default:
      return " * ";
  }
}

}  // namespace

Expression Expression::Constant(bool value) {
  Expression e;
  e.op = value ? Op::kTrue : Op::kFalse;
  return e;
}

Expression Expression::Signal(std::string name) {
  Expression e;
  e.op = Op::kSignal;
  e.name = std::move(name);
  return e;
}

Expression Expression::Not(Expression operand) {
  Expression e;
  e.op = Op::kNot;
  e.operands.push_back(std::move(operand));
  return e;
}

// A chain grows by one operand, so a long sum stays one level deep however it is written.
Expression Expression::Binary(Op op, Expression left, Expression right) {
  if (left.op == op) {
    left.operands.push_back(std::move(right));
    return left;
  }
  Expression e;
  e.op = op;
  e.operands.push_back(std::move(left));
  e.operands.push_back(std::move(right));
  return e;
}

Expression Simplified(const Expression& expression) {
  switch (expression.op) {
    case Op::kFalse:
    case Op::kTrue:
    case Op::kSignal:
      return expression;
    case Op::kNot: {
      Expression operand = Simplified(expression.operands.front());
      if (operand.op == Op::kTrue || operand.op == Op::kFalse)
        return Expression::Constant(operand.op == Op::kFalse);
      if (operand.op == Op::kNot) return operand.operands.front();
      return Expression::Not(std::move(operand));
    }
    default:
      break;
  }
  std::vector<Expression> operands;
  for (const Expression& operand : expression.operands) operands.push_back(Simplified(operand));
  if (expression.op == Op::kXor) return FoldXor(operands);
  return FoldAndOr(expression.op, operands);
}

Expression Substituted(
    const Expression& expression,
    const std::function<std::optional<Expression>(const std::string&)>& replace) {
  if (expression.op == Op::kSignal) {
    std::optional<Expression> replacement = replace(expression.name);
    return replacement ? *replacement : expression;
  }
  Expression copy = expression;
  for (Expression& operand : copy.operands) operand = Substituted(operand, replace);
  return copy;
}

bool Within(const Expression& expression, int depth, std::size_t& nodes) {
  if (depth <= 0 || nodes == 0) return false;
  --nodes;
  for (const Expression& operand : expression.operands) {
    if (!Within(operand, depth - 1, nodes)) return false;
  }
  return true;
}

bool WithinLimits(const Expression& expression, int depth, std::size_t nodes) {
  return Within(expression, depth, nodes);
}

void CollectSignals(const Expression& expression, std::set<std::string>& names) {
  if (expression.op == Op::kSignal) names.insert(expression.name);
  for (const Expression& operand : expression.operands) CollectSignals(operand, names);
}

std::vector<Expression> SumTerms(const Expression& expression) {
  if (expression.op == Op::kOr) return expression.operands;
  return {expression};
}

std::string OurSyntax(const Expression& expression,
                      const std::function<std::string(const std::string&)>& name_of) {
  switch (expression.op) {
    case Op::kFalse:
      return "0";
    case Op::kTrue:
      return "1";
    case Op::kSignal:
      return name_of(expression.name);
    case Op::kNot: {
      const Expression& operand = expression.operands.front();
      const std::string inner = OurSyntax(operand, name_of);
      return operand.op == Op::kSignal ? "/" + inner : "/(" + inner + ")";
    }
    default:
      break;
  }
  std::string text;
  for (const Expression& operand : expression.operands) {
    if (!text.empty()) text += Separator(expression.op);
    const std::string inner = OurSyntax(operand, name_of);
    const bool group = IsChain(operand.op) && Strength(operand.op) <= Strength(expression.op);
    text += group ? "(" + inner + ")" : inner;
  }
  return text;
}

Expression ValueMatch(const std::vector<Expression>& bits, std::uint64_t value,
                      std::uint64_t care) {
  Expression product = Expression::Constant(true);
  const std::size_t width = bits.size();
  for (std::size_t i = 0; i < width; ++i) {
    const std::uint64_t mask = std::uint64_t{1} << (width - 1 - i);
    if ((care & mask) == 0) continue;
    Expression literal = (value & mask) ? bits[i] : Expression::Not(bits[i]);
    product = Expression::Binary(Op::kAnd, std::move(product), std::move(literal));
  }
  return Simplified(product);
}

Expression RangeMatch(const std::vector<Expression>& bits, std::uint64_t low, std::uint64_t high) {
  const std::size_t width = bits.size();
  const std::uint64_t all = width >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << width) - 1;
  Expression sum = Expression::Constant(false);
  std::uint64_t at = low;
  while (at <= high) {
    // The largest aligned block that starts at `at` and stays inside the range.
    std::uint64_t size = 1;
    while ((at & (size * 2 - 1)) == 0 && size * 2 - 1 <= high - at && size * 2 - 1 <= all)
      size *= 2;
    sum = Expression::Binary(Op::kOr, std::move(sum), ValueMatch(bits, at, all & ~(size - 1)));
    if (high - at < size || at + size > all) break;
    at += size;
  }
  return Simplified(sum);
}

}  // namespace kem
