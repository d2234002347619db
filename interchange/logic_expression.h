// A boolean expression over the signal names of an imported source, the common form both source
// languages are read into: constants fold away before it is written, since our language has
// constants only as a whole right side.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kem {

struct Expression {
  enum class Op { kFalse, kTrue, kSignal, kNot, kAnd, kOr, kXor };
  Op op = Op::kFalse;
  std::string name;                  // kSignal: the source's name
  std::vector<Expression> operands;  // kNot: one; the others: two or more

  static Expression Constant(bool value);
  static Expression Signal(std::string name);
  static Expression Not(Expression operand);
  static Expression Binary(Op op, Expression left, Expression right);

  bool IsConstant(bool value) const { return op == (value ? Op::kTrue : Op::kFalse); }
  bool operator==(const Expression& other) const = default;
};

// Constants folded, double negations removed, nested operators of one kind flattened.
Expression Simplified(const Expression& expression);

// Every signal name replaced by what `replace` gives for it, where it gives something.
Expression Substituted(const Expression& expression,
                       const std::function<std::optional<Expression>(const std::string&)>& replace);

// What one expression of an import may hold, far beyond any design the devices take: a variable
// used twice in the next, and that one twice in the next, must not grow without bound, and no
// expression may be deep enough to exhaust the stack of what walks it.
inline constexpr int kMaxExpressionDepth = 1000;
inline constexpr std::size_t kMaxExpressionNodes = 50000;

// No deeper than `depth` levels and no more than `nodes` nodes; stops looking at either limit.
bool WithinLimits(const Expression& expression, int depth, std::size_t nodes);

void CollectSignals(const Expression& expression, std::set<std::string>& names);

// The operands of a top-level OR (the expression itself when it is none).
std::vector<Expression> SumTerms(const Expression& expression);

// The expression in our syntax, each signal written as `name_of` gives it.
std::string OurSyntax(const Expression& expression,
                      const std::function<std::string(const std::string&)>& name_of);

// The bits (most significant first) equal `value` where `care` has a 1.
Expression ValueMatch(const std::vector<Expression>& bits, std::uint64_t value, std::uint64_t care);
// The bits (most significant first) hold a value from `low` to `high`: one product per aligned
// block of the range.
Expression RangeMatch(const std::vector<Expression>& bits, std::uint64_t low, std::uint64_t high);

}  // namespace kem
