// Whole equations through the compiler at every level: what the listing and the intermediate file
// say is the function the source gave, and running out of memory ends exactly as the rules say.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <functional>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "compiler/expressions.h"
#include "tests/support/compile_fixture.h"

namespace kem {
namespace {

using testing_support::Compiled;
using testing_support::CompileFixture;

// GAL20V8 in complex mode: thirteen pins that are inputs only, Y on pin 16 and Z on pin 17.
constexpr const char* kHeader =
    "CHIP p GAL20V8\nS0 S1 S2 S3 S4 S5 S6 S7 S8 S9 S10 GND\nNC S11 NC Y Z NC NC NC NC NC S12 "
    "VCC\n";
constexpr int kSignals = 12;

// A random expression as text, with its value for every assignment of S0..S11.
struct RandomExpression {
  std::string text;
  std::function<bool(unsigned)> value;
};

RandomExpression Generate(std::mt19937& random, int depth) {
  std::uniform_int_distribution<int> pick(0, depth <= 0 ? 1 : 7);
  const int kind = pick(random);
  if (kind <= 1) {
    const int signal = std::uniform_int_distribution<int>(0, kSignals - 1)(random);
    const std::string name = "S" + std::to_string(signal);
    if (kind == 0) return {name, [signal](unsigned a) { return ((a >> signal) & 1u) != 0; }};
    return {"/" + name, [signal](unsigned a) { return ((a >> signal) & 1u) == 0; }};
  }
  if (kind == 2) {
    RandomExpression inner = Generate(random, depth - 1);
    return {"/(" + inner.text + ")", [f = inner.value](unsigned a) { return !f(a); }};
  }
  RandomExpression l = Generate(random, depth - 1);
  RandomExpression r = Generate(random, depth - 1);
  static const char* const kOps[] = {" + ", " | ", " $ ", " * ", " & "};
  const int op = std::uniform_int_distribution<int>(0, 4)(random);
  std::function<bool(unsigned)> f;
  if (op <= 1) f = [a = l.value, b = r.value](unsigned x) { return a(x) || b(x); };
  if (op == 2) f = [a = l.value, b = r.value](unsigned x) { return a(x) != b(x); };
  if (op >= 3) f = [a = l.value, b = r.value](unsigned x) { return a(x) && b(x); };
  return {"(" + l.text + kOps[op] + r.text + ")", f};
}

// The equation block of Y in the intermediate file, read with the file's token rules.
struct ParsedEquation {
  bool negated = false;
  bool constant = false;
  bool constant_value = false;
  std::vector<std::vector<std::pair<int, bool>>> terms;  // (signal, negated)
  int count = 0;
};

ParsedEquation ParseBlock(const std::string& intermediate) {
  std::istringstream in(intermediate);
  ParsedEquation eq;
  std::string token;
  in >> token;
  eq.negated = token == "/Y";
  EXPECT_TRUE(token == "Y" || token == "/Y") << token;
  in >> token;
  EXPECT_EQ(token, "=");
  eq.terms.emplace_back();
  while (in >> token && token != ";") {
    if (token == "GND" || token == "VCC") {
      eq.constant = true;
      eq.constant_value = token == "VCC";
    } else if (token == "+") {
      eq.terms.emplace_back();
    } else if (token != "&") {
      const bool negated = token[0] == '/';
      eq.terms.back().push_back({std::stoi(token.substr(negated ? 2 : 1)), negated});
    }
  }
  in >> eq.count;
  return eq;
}

bool Evaluate(const ParsedEquation& eq, unsigned assignment) {
  if (eq.constant) return eq.constant_value;
  for (const auto& term : eq.terms) {
    bool all = true;
    for (auto [signal, negated] : term)
      all = all && (((assignment >> signal) & 1u) != 0) != negated;
    if (all) return true;
  }
  return false;
}

class EquationTest : public testing::Test, public CompileFixture {
 protected:
  Compiled CompileWith(const std::string& statements, std::size_t budget = kDefaultMemoryBudget,
                       int level = 0) {
    CompileOptions options;
    options.minimization_level = level;
    options.memory_budget = budget;
    return Compile(kHeader + statements, "design.kem", options);
  }
};

class EquationLevelTest : public EquationTest, public testing::WithParamInterface<int> {};

TEST_P(EquationLevelTest, RandomExpressionsKeepTheirFunction) {
  std::mt19937 random(20261209);
  for (int round = 0; round < 150; ++round) {
    const RandomExpression expression = Generate(random, 1 + round % 5);
    Compiled c = CompileWith("Y = " + expression.text + ";\n", kDefaultMemoryBudget, GetParam());
    // Minterms may exceed the seven terms of the output; that is reported and written in full.
    ASSERT_TRUE(c.errors == "" || c.errors == "E35 Zu viele Terme für Definition von Pin Y\n")
        << expression.text << *c.errors;
    ASSERT_TRUE(c.intermediate);
    const ParsedEquation eq = ParseBlock(*c.intermediate);
    if (!eq.constant) {
      EXPECT_EQ(eq.count, static_cast<int>(eq.terms.size())) << expression.text;
    }
    for (unsigned a = 0; a < (1u << kSignals); ++a) {
      ASSERT_EQ(Evaluate(eq, a) != eq.negated, expression.value(a))
          << expression.text << " at " << a << "\n"
          << *c.intermediate;
    }
    // The listing holds the same terms, ended by ";".
    ASSERT_TRUE(c.listing);
    EXPECT_NE(c.listing->find(eq.negated ? "/Y = " : "Y = "), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(Levels, EquationLevelTest, testing::Values(0, 1, 2));

TEST_F(EquationTest, NodePoolExhausted) {
  // With only the smaller pool, an expression of 100000 operands (199999 nodes) cannot be held.
  std::string huge = "Y = S0";
  for (int i = 1; i < 100000; ++i) huge += " + S" + std::to_string(i % kSignals);
  huge += ";\nZ = S1;\n";
  Compiled c = CompileWith(huge, kSmallNodePoolSize * sizeof(ExprNode) + (1u << 20));
  EXPECT_EQ(c.errors, "E01 Speicher voll\n");
  EXPECT_EQ(c.run->diagnostics.counts().errors, 2);  // the larger pool, then the node
  // The statement was skipped, and the next one still compiles with the freed nodes.
  ASSERT_TRUE(c.listing);
  EXPECT_NE(c.listing->find("Z = S1;"), std::string::npos);
  EXPECT_EQ(c.run->nodes.in_use(), 0u);
}

TEST_F(EquationTest, TruthTableBeyondTheBudgetEndsTheCompilation) {
  Compiled c = CompileWith("Y = S0 $ S1 $ S2 $ S3 $ S4 $ S5 $ S6 $ S7 $ S8 $ S9;\nZ = S1;\n",
                           kSmallNodePoolSize * sizeof(ExprNode) + 200);
  EXPECT_EQ(c.errors, "E01 Speicher voll\nE01 Speicher voll\n");
  EXPECT_EQ(host.boxes, std::vector<std::string>{"Nicht genügend Speicher für Compilierung"});
  EXPECT_EQ(host.log.lines().back(), "Compilevorgang beendet, Warnungen: 0, Fehler: 3.");
  // Nothing of the failed equation, no symbol table block.
  EXPECT_EQ(c.intermediate, "");
  ASSERT_TRUE(c.listing);
  EXPECT_EQ(c.listing->find(" = "), std::string::npos);
}

TEST_F(EquationTest, ExactCoverBeyondTheBudgetEndsTheCompilation) {
  // Thirteen signals in an exclusive or: beside the node pool the budget holds the truth table of
  // 8192 rows (96 KiB) and its row sets but not with them what level 1 makes of the table, 4096
  // primes a side and the cover chosen from them (about 113 KiB at the peak).
  const std::size_t budget = kNodePoolSize * sizeof(ExprNode) + (104u << 10);
  rusage before{};
  getrusage(RUSAGE_SELF, &before);
  Compiled c = CompileWith(
      "Y = S0 $ S1 $ S2 $ S3 $ S4 $ S5 $ S6 $ S7 $ S8 $ S9 $ S10 $ S11 $ S12;\nZ = S1;\n", budget,
      1);
  rusage after{};
  getrusage(RUSAGE_SELF, &after);
  // The primes' allocation reports it.
  EXPECT_EQ(c.errors, "E01 Speicher voll\n");
  EXPECT_EQ(host.boxes, std::vector<std::string>{"Nicht genügend Speicher für Compilierung"});
  EXPECT_EQ(host.log.lines().back(), "Compilevorgang beendet, Warnungen: 0, Fehler: 1.");
  EXPECT_EQ(c.intermediate, "");
  ASSERT_TRUE(c.listing);
  EXPECT_EQ(c.listing->find(" = "), std::string::npos);
  EXPECT_LE(c.run->budget.peak(), budget);
  EXPECT_LT((after.ru_maxrss - before.ru_maxrss) * 1024L, 32L << 20);  // ru_maxrss is in KiB
}

TEST_F(EquationTest, DeeplyNestedGroupsEndWithADiagnostic) {
  for (const std::string open : {"(", "/("}) {
    std::string nested = "Y = ";
    for (int i = 0; i < 10000; ++i) nested += open;
    nested += "S1" + std::string(10000, ')') + ";\nZ = S2;\n";
    Compiled c = CompileWith(nested);
    // The header takes lines 1 to 3; the nesting is on line 4.
    EXPECT_EQ(c.errors, "Zeile 4: E01 Speicher voll\n") << open;
    EXPECT_NE(c.listing->find("Z = S2;"), std::string::npos) << open;
    EXPECT_EQ(c.run->nodes.in_use(), 0u) << open;
  }
  std::string allowed =
      "Y = " + std::string(kMaxGroupDepth, '(') + "S1" + std::string(kMaxGroupDepth, ')') + ";\n";
  Compiled c = CompileWith(allowed);
  EXPECT_EQ(c.errors, "");
  EXPECT_NE(c.listing->find("Y = S1;"), std::string::npos);
}

// An OR chain as long as a user may type it: beyond the node pool it ends with E01 and the next
// statement compiles; within the pool level 0 finds too many terms for the pin and gives way to
// the minimal cover, and the minimizing levels reduce it to the four signals it names.
TEST_F(EquationTest, LongOrChains) {
  auto chain = [](int terms, int signals) {
    std::string text = "Y = S0";
    for (int i = 1; i < terms; ++i) text += " + S" + std::to_string(i % signals);
    return text + ";\nZ = S1;\n";
  };
  Compiled beyond = CompileWith(chain(300000, kSignals));
  EXPECT_EQ(beyond.errors, "E01 Speicher voll\n");
  ASSERT_TRUE(beyond.listing);
  EXPECT_NE(beyond.listing->find("Z = S1;"), std::string::npos);
  EXPECT_EQ(beyond.run->nodes.in_use(), 0u);

  const std::string within = chain(static_cast<int>(kNodePoolSize / 2) - 1, 4);
  for (int level : {0, 1, 2}) {
    Compiled c = CompileWith(within, kDefaultMemoryBudget, level);
    EXPECT_EQ(c.errors, "") << level;
    ASSERT_TRUE(c.listing) << level;
    EXPECT_NE(c.listing->find("Y = "), std::string::npos) << level;
    EXPECT_EQ(c.run->nodes.in_use(), 0u) << level;
  }
}

TEST_F(EquationTest, DeepNestingDoesNotExhaustTheStack) {
  std::string chain = "Y = /S0";
  for (int i = 0; i < 150000; ++i) chain += " & S1";
  Compiled c = CompileWith(chain + ";\n");
  EXPECT_EQ(c.errors, "");
  EXPECT_NE(c.listing->find("Y =  /S0 & S1;"), std::string::npos);
}

}  // namespace
}  // namespace kem
