#include "compiler/statements.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/compile_fixture.h"

using namespace std::string_view_literals;

namespace kem {
namespace {

using testing_support::Compiled;
using testing_support::CompileFixture;

// Three header lines, so statements start on line 4. In complex mode pins 13..18 (Q1..Q6) are
// inputs/outputs, pins 12 and 19 (Q0, Q7) outputs without feedback, and every output has an
// output-enable term.
constexpr const char* kComplex =
    "CHIP t GAL16V8\nA B C D E F G H I GND\nJ Q0 Q1 Q2 Q3 Q4 Q5 Q6 Q7 VCC\n";
constexpr const char* kSimple =
    "CHIP t GAL16V8 SIMPLE_MODE\nA B C D E F G H I GND\nJ Q0 Q1 Q2 Q3 Q4 Q5 Q6 Q7 VCC\n";
constexpr const char* kRegistered =
    "CHIP t GAL16V8 REGISTERED_MODE\nCLK B C D E F G H I GND\nNOE Q0 Q1 Q2 Q3 Q4 Q5 Q6 Q7 VCC\n";
constexpr const char* k22V10 =
    "CHIP t GAL22V10\nCLK A B C D E F G H I J GND\nK Q0 Q1 Q2 Q3 Q4 Q5 Q6 Q7 Q8 Q9 VCC\n";

struct StatementCase {
  const char* name;
  const char* header;
  std::string_view statements;  // may hold zero bytes
  const char* errors;
};

class StatementDiagnostics : public testing::TestWithParam<StatementCase>, public CompileFixture {};

TEST_P(StatementDiagnostics, ErrorFile) {
  const StatementCase& c = GetParam();
  CompileOptions level0;
  level0.minimization_level = 0;
  Compiled result =
      Compile(std::string(c.header) + std::string(c.statements), "design.kem", level0);
  EXPECT_EQ(result.errors, c.errors) << c.statements;
}

#define ROW(name, header, statements, errors) \
  StatementCase {                             \
#name, header, statements, errors         \
  }

INSTANTIATE_TEST_SUITE_P(
    Expressions, StatementDiagnostics,
    testing::Values(
        ROW(KeywordOperand, kComplex, "Q1 = A + CHIP;\n", "Zeile 4: E08 Name ist Schlüsselwort\n"),
        ROW(UndeclaredOperand, kComplex, "Q1 = A &\n X;\n", "Zeile 5: E19 Bezeichner unbekannt\n"),
        ROW(MissingParenthesis, kComplex, "Q1 = (A + B;\nQ2 = A;\n",
            "Zeile 4: E17 ) fehlt\nZeile 5: W01 ; fehlt\n"),
        ROW(DoubleNegation, kComplex, "Q1 = A + / / B;\n",
            "Zeile 4: E18 Bezeichner nicht korrekt\nZeile 4: E19 Bezeichner unbekannt\n"),
        ROW(OverlongOperand, kComplex, "Q1 = A + ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456;\nQ2 = B;\n",
            "Zeile 4: E20 Bezeichner zu lang\nZeile 4: E19 Bezeichner unbekannt\n"),
        ROW(ConstantThenMore, kComplex, "Q1 = 1 * A;\n",
            "Zeile 4: W01 ; fehlt\nZeile 4: E18 Bezeichner nicht korrekt\n"),
        ROW(ConstantWordPrefix, kComplex, "Q1 = TRUEX;\n", "Zeile 4: E19 Bezeichner unbekannt\n"),
        ROW(ConstantsAndGroups, kComplex,
            "Q1 = True;\nQ2 = GND;\nQ3 = 0;\nQ4 = (A + B) * D;\nQ5 = false ;\n", "")),
    [](const testing::TestParamInfo<StatementCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Targets, StatementDiagnostics,
    testing::Values(
        ROW(KeywordTarget, kComplex, "CHIP = A;\n",
            "Zeile 4: E08 Name ist Schlüsselwort\nZeile 4: E13 Diese Form der Anweisung nicht "
            "bekannt\n"),
        ROW(UnconnectedTarget, kComplex, "NC = A;\n",
            "Zeile 4: E08 Name ist Schlüsselwort\nZeile 4: E13 Diese Form der Anweisung nicht "
            "bekannt\n"),
        ROW(UndeclaredTarget, kComplex, "X = A;\n",
            "Zeile 4: E19 Bezeichner unbekannt\nZeile 4: E13 Diese Form der Anweisung nicht "
            "bekannt\n"),
        ROW(ReservedTarget, kComplex, "GND = A;\n",
            "Zeile 4: E23 Pin GND ist reserviert und darf nicht benutzt werden\nZeile 4: E13 "
            "Diese Form der Anweisung nicht bekannt\n"),
        ROW(ReservedOperand, kRegistered, "Q1 = B & NOE;\n",
            "Zeile 4: E23 Pin NOE ist reserviert und darf nicht benutzt werden\n"),
        ROW(AssignedTwice, kComplex, "Q1 = A;\nQ1 = B;\n",
            "Zeile 5: E24 Pin Q1 wird bereits als Output verwendet\nZeile 5: E13 Diese Form der "
            "Anweisung nicht bekannt\n"),
        ROW(InputAsTarget, kComplex, "A = B;\n",
            "Zeile 4: E26 Pin A kann nicht als Output verwendet werden\nZeile 4: E13 Diese Form "
            "der Anweisung nicht bekannt\n"),
        ROW(ReadWithoutFeedback, kComplex, "Q1 = Q0;\n",
            "Zeile 4: E28 Pin Q0 kann nicht als Input verwendet werden\n"),
        ROW(CentreOutputsNotReadableInSimpleMode, kSimple, "Q1 = Q3 + Q4;\n",
            "Zeile 4: E28 Pin Q3 kann nicht als Input verwendet werden\nZeile 4: E28 Pin Q4 kann "
            "nicht als Input verwendet werden\n"),
        ROW(ReadBackIsFine, kComplex, "Q1 = Q1 & A;\nQ2 = Q1;\n", ""),
        ROW(ReadThenAssign, kSimple, "Q1 = Q2;\nQ2 = A;\n", ""),
        ROW(RegisteredOutsideRegisteredMode, kComplex, "Q1 := A;\n",
            "Zeile 4: E29 Getakteter Output nur im Registered Mode zulässig\n"),
        ROW(NegatedNode, k22V10, "/AR = A;\n",
            "Zeile 4: E36 Negativ-Definition hier nicht erlaubt\nZeile 4: E13 Diese Form der "
            "Anweisung nicht bekannt\n"),
        ROW(NodeRead, k22V10, "Q0 := AR;\n",
            "Zeile 4: E28 Pin AR kann nicht als Input verwendet werden\n"),
        // A statement is never dropped without a word.
        ROW(OtherOperatorIsReported, kComplex, "Q1 ! A; Q2 = B;\n",
            "Zeile 4: E15 Zuweisungsoperator nicht gefunden.\n"),
        ROW(StrayWordAfterTarget, kComplex, "Q1 C = C;\nQ2 = B;\n",
            "Zeile 4: E15 Zuweisungsoperator nicht gefunden.\n"),
        ROW(TargetAtEndOfFile, kComplex, "Q2 = B;\nQ1",
            "Zeile 5: E15 Zuweisungsoperator nicht gefunden.\n"),
        ROW(ColonWithoutEquals, kComplex, "Q1 : = A;\nQ2 = B;\n",
            "Zeile 4: E14 Falscher Zuweisungsoperator\n"),
        ROW(ColonBeforeExpression, kComplex, "Q1 : A;\nQ2 = B;\n",
            "Zeile 4: E14 Falscher Zuweisungsoperator\n"),
        // A zero byte ends the design where it stands; only zero bytes may follow it.
        ROW(ZeroByteBetweenStatements, kComplex, "Q1 = A;\n\0Q2 = B;\n"sv,
            "Zeile 5: E18 Bezeichner nicht korrekt\n"),
        ROW(ZeroByteInsideAStatement, kComplex, "Q1 = A\0 & B;\nQ2 = B;\n"sv,
            "Zeile 4: E18 Bezeichner nicht korrekt\nZeile 4: W01 ; fehlt\n"),
        ROW(TrailingZeroBytes, kComplex, "Q1 = A;\n\0\0\0"sv, "")),
    [](const testing::TestParamInfo<StatementCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Tristate, StatementDiagnostics,
    testing::Values(ROW(WrongWord, kComplex, "Q1.TRSX = A;\nQ2 = B;\n",
                        "Zeile 4: E30 Syntaktisch nicht korrektes Tristate-Statement\n"),
                    ROW(MissingEquals, kComplex, "Q1.TRST C;\n",
                        "Zeile 4: E14 Falscher Zuweisungsoperator\nZeile 4: E18 Bezeichner nicht "
                        "korrekt\nZeile 4: E19 Bezeichner unbekannt\n"),
                    ROW(NotAllowedInSimpleMode, kSimple, "Q1.TRST = A;\n",
                        "Zeile 4: E31 Tristate-Bedingung nicht erlaubt\n"),
                    ROW(Twice, kComplex, "Q1.TRST = A;\nQ1.TRST = B;\nQ1 = C;\n",
                        "Zeile 5: E32 Tristate-Bedingung bereits definiert\n"),
                    // Checked at the end, where every equation of the design is known.
                    ROW(WithoutOutputEquation, kComplex, "Q1.TRST = A;\nQ2 = Q1;\nQ3.TRST = B;\n",
                        "Zeile 4: E31 Tristate-Bedingung nicht erlaubt\nZeile 6: E31 "
                        "Tristate-Bedingung nicht erlaubt\n"),
                    ROW(OutputEquationAfterwards, kComplex, "Q1.TRST = A;\nQ1 = B;\n", ""),
                    ROW(Negated, kComplex, "/Q1.TRST = A;\n",
                        "Zeile 4: E36 Negativ-Definition hier nicht erlaubt\n"),
                    ROW(ReservedTristate, kComplex, "VCC.TRST = A;\n",
                        "Zeile 4: E23 Pin VCC ist reserviert und darf nicht benutzt werden\n")),
    [](const testing::TestParamInfo<StatementCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Separators, StatementDiagnostics,
    testing::Values(
        ROW(MissingSemicolon, kComplex, "Q1 = A\nQ2 = B;\n", "Zeile 5: W01 ; fehlt\n"),
        ROW(CommaAfterBlankEndsTheStatements, kComplex, "Q1 = A , Q2 = B;\nQ3 = C;\n",
            "Zeile 4: W01 ; fehlt\nZeile 4: E18 Bezeichner nicht korrekt\n"),
        ROW(CommaAfterIdentifier, kComplex, "Q1 = A, Q2 = B;\nQ3 = C;\n",
            "Zeile 4: E18 Bezeichner nicht korrekt\nZeile 4: E15 Zuweisungsoperator nicht "
            "gefunden.\n"),
        ROW(DigitStartsNoStatement, kComplex, "Q1 = A;\n1 = B;\nQ2 = C;\n",
            "Zeile 5: E18 Bezeichner nicht korrekt\n"),
        ROW(CommentsBetweenEverything, kComplex,
            "/* a */ Q1 /* b */ = // c\n A /* d */ & B // e\n ; // f\n", "")),
    [](const testing::TestParamInfo<StatementCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Directives, StatementDiagnostics,
    testing::Values(ROW(Regions, kComplex, "#NOMIN Q1 = A * B; Q2 = D; #ENDNOMIN Q3 = D;\n", ""),
                    ROW(EndBeforeStatement, kComplex, "#ENDNOMIN Q1 = A;\n",
                        "Zeile 4: E18 Bezeichner nicht korrekt\n"),
                    ROW(UnknownAfterStatement, kComplex, "Q1 = A; # MINIMAL\nQ2 = B;\n",
                        "Zeile 5: E18 Bezeichner nicht korrekt\n"),
                    ROW(NegationAfterDirective, kComplex, "# NOMIN /Q1 = A;\n", "")),
    [](const testing::TestParamInfo<StatementCase>& info) { return info.param.name; });

class StatementTest : public testing::Test, public CompileFixture {
 protected:
  Compiled CompileAtLevel0(const std::string& source) {
    CompileOptions options;
    options.minimization_level = 0;
    return Compile(source, "design.kem", options);
  }
  const PinRecord& Record(const Compiled& c, const std::string& name) {
    return c.run->pins.record(c.run->pins.LookupSymbol(name));
  }
};

TEST_F(StatementTest, MinimizationFlagFollowsTheDirectives) {
  // With the flag off an equation is never minimized: the sum of products A + A stays as written
  // at any level; at level 0 the same holds everywhere, so check the flag's value afterwards.
  Compiled c = CompileAtLevel0(std::string(kComplex) + "#NOMIN Q1 = A; Q2 = B; #ENDNOMIN Q3 = C;");
  EXPECT_EQ(c.run->synthesis.minimization_flag, 1);
  Compiled open = CompileAtLevel0(std::string(kComplex) + "#NOMIN Q1 = A;");
  EXPECT_EQ(open.run->synthesis.minimization_flag, 0);
}

// A target with nothing after it but its separator is passed over silently; the statement after
// it still counts.
TEST_F(StatementTest, TargetAloneDoesNotSwallowTheNextStatement) {
  Compiled c = CompileAtLevel0(std::string(kComplex) + "Q1 = A;\nQ2;\nQ3 = B;\nQ4 ;\nQ5 = C;\n");
  EXPECT_EQ(c.errors,
            "Zeile 5: E15 Zuweisungsoperator nicht gefunden.\n"
            "Zeile 7: E15 Zuweisungsoperator nicht gefunden.\n");
  ASSERT_TRUE(c.listing);
  for (const char* equation : {"Q1 = A", "Q3 = B", "Q5 = C"})
    EXPECT_NE(c.listing->find(equation), std::string::npos) << equation;
}

TEST_F(StatementTest, UsageIsRecorded) {
  Compiled c = CompileAtLevel0(std::string(kComplex) + "Q1 = A & Q1;\n/Q2 = B;\nQ3.TRST = C;\n");
  EXPECT_EQ(Record(c, "Q1").IO, kIoOutputReadBack);
  EXPECT_EQ(Record(c, "Q1").Reg, 0);
  EXPECT_EQ(Record(c, "A").IO, kIoInput);
  EXPECT_EQ(Record(c, "Q2").Pol, 0);
  EXPECT_EQ(Record(c, "Q3").Trst, 1);
  EXPECT_EQ(Record(c, "Q3").IO, kIoUnused);
  EXPECT_EQ(Record(c, "D").IO, kIoUnused);
}

TEST_F(StatementTest, RegisteredAssignment) {
  Compiled c = CompileAtLevel0(std::string(kRegistered) + "Q1 := B;\n");
  EXPECT_EQ(c.errors, "");
  EXPECT_EQ(Record(c, "Q1").Reg, 1);
}

TEST_F(StatementTest, UnreachableUsageRulesStillHold) {
  // No device of the catalogue has an output pin without feedback that can also be read or a
  // class 4 pin with feedback, so these rules are checked on records set up by hand.
  Compiled c = CompileAtLevel0(std::string(kComplex));
  CompileRun& run = *c.run;
  PinRecord& q0 = run.pins.record(run.pins.LookupSymbol("Q0"));  // class 4, no feedback
  q0.IO = kIoInput;
  EXPECT_EQ(CheckPinUse(run, run.pins.LookupSymbol("Q0"), PinUse::kOutput), 0);  // E25
  q0.IO = kIoUnused;
  EXPECT_EQ(CheckPinUse(run, 0, PinUse::kInput), 0);   // E19
  EXPECT_EQ(CheckPinUse(run, 6, PinUse::kOutput), 0);  // E08 for the keyword NC
  EXPECT_EQ(run.diagnostics.counts().errors, 3);
  q0.IO = kIoInput;
  CheckFeedback(run);  // Q0 is of class 4 and only read: E33
  EXPECT_EQ(run.diagnostics.counts().errors, 4);
}

}  // namespace
}  // namespace kem
