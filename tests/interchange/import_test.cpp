// The translators alone: what each construct of the two source languages becomes in ours, and
// the one diagnostic line each fault gives.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>

#include "interchange/cupl_numbers.h"
#include "interchange/logic_expression.h"
#include "interchange/source_import.h"

namespace kem {
namespace {

bool Evaluate(const Expression& e, const std::map<std::string, bool>& levels) {
  using Op = Expression::Op;
  switch (e.op) {
    case Op::kFalse:
      return false;
    case Op::kTrue:
      return true;
    case Op::kSignal:
      return levels.at(e.name);
    case Op::kNot:
      return !Evaluate(e.operands[0], levels);
    default:
      break;
  }
  bool value = e.op == Op::kAnd;
  for (const Expression& operand : e.operands) {
    const bool v = Evaluate(operand, levels);
    value = e.op == Op::kAnd ? value && v : e.op == Op::kOr ? value || v : value != v;
  }
  return value;
}

// Every range of every width up to five bits holds exactly its values.
TEST(RangeMatch, HoldsExactlyTheValuesOfTheRange) {
  for (int width = 1; width <= 5; ++width) {
    std::vector<Expression> bits;
    for (int i = 0; i < width; ++i) bits.push_back(Expression::Signal("b" + std::to_string(i)));
    const std::uint64_t top = (1u << width) - 1;
    for (std::uint64_t low = 0; low <= top; ++low) {
      for (std::uint64_t high = low; high <= top; ++high) {
        const Expression match = RangeMatch(bits, low, high);
        for (std::uint64_t v = 0; v <= top; ++v) {
          std::map<std::string, bool> levels;
          for (int i = 0; i < width; ++i)
            levels["b" + std::to_string(i)] = (v >> (width - 1 - i)) & 1;
          ASSERT_EQ(Evaluate(match, levels), v >= low && v <= high)
              << width << " bits, " << low << ".." << high << " at " << v;
        }
      }
    }
  }
}

TEST(CuplNumbers, ReadsEveryBaseWithDontCareDigits) {
  struct Case {
    const char* digits;
    char base;
    std::uint64_t value;
    std::uint64_t care_low_byte;  // the low eight bits of the care mask
  } cases[] = {{"0101", 'b', 5, 0xFF}, {"1X0", 'b', 4, 0xFD},   {"17", 'o', 15, 0xFF},
               {"7X", 'o', 56, 0xF8},  {"255", 'd', 255, 0xFF}, {"1F", 'h', 31, 0xFF},
               {"X3", 'h', 3, 0x0F},   {"ff", 'h', 255, 0xFF}};
  for (const Case& c : cases) {
    const auto number = ReadCuplNumber(c.digits, c.base);
    ASSERT_TRUE(number) << c.digits;
    EXPECT_EQ(number->value, c.value) << c.digits;
    EXPECT_EQ(number->care & 0xFF, c.care_low_byte) << c.digits;
  }
  for (const auto& [digits, base] : {std::pair{"12", 'b'},
                                     {"8", 'o'},
                                     {"1X", 'd'},
                                     {"G", 'h'},
                                     {"", 'h'},
                                     {"1", 'q'},
                                     {"11111111111111111", 'h'}})
    EXPECT_FALSE(ReadCuplNumber(digits, base)) << digits;
}

const char* const kCuplHeader = "Name t; Device g16v8;\n";
const char* const kGalasm16 = "GAL16V8\nSIG\n\nA B C D E F G H I GND\nJ K L M N O P Q Y VCC\n\n";

// Each construct and the lines it becomes (all must appear in the design, in this order).
TEST(Import, TranslatesEachConstruct) {
  struct Case {
    std::string source;
    std::vector<std::string> lines;
  } cases[] = {
      {std::string(kGalasm16) + "/Y = A * /B + C\n", {"SIMPLE_MODE", "/Y = A * /B\n   + C;"}},
      {std::string(kGalasm16) + "Y.T = A\nY.E = /B\n", {"COMPLEX_MODE", "Y = A;", "Y.TRST = /B;"}},
      {std::string(kGalasm16) + "Q.R = /Q\n", {"REGISTERED_MODE", "CLK", "NOE", "Q := /Q;"}},
      {"GAL16V8\nSIG\n/A B C D E F G H I GND\nJ K L M N O P Q /Y VCC\nY = A\n", {"Y = /A;"}},
      {std::string(kGalasm16) + "Y = VCC\nQ = A * GND + B\n", {"Y = 1;", "Q = B;"}},
      {std::string(kCuplHeader) + "PIN [2..4] = [A0..2]; PIN 19 = !y; y = A0 & !A1 # A2;",
       {"/y = A0 * /A1\n   + A2;"}},
      {std::string(kCuplHeader) + "PIN [2,3] = [a,b]; PIN 19 = y; x = a $ b; y = !x;",
       {"y = /(a $ b);"}},
      {std::string(kCuplHeader) + "PIN [2..5] = [d3..0]; PIN 19 = y; FIELD d = [d3..0];\n"
                                  "y = d:'b'1X01;",
       {"y = d3 * /d1 * d0;"}},
      {std::string(kCuplHeader) + "PIN [2..3] = [a, b]; PIN 19 = y; y = [a,b]:# & 'b'1;",
       {"y = a\n  + b;"}},
      {std::string(kCuplHeader) + "PIN 2 = a; PIN 3 = b; PIN 19 = y; y = a; APPEND y = b;",
       {"y = a\n  + b;"}},
      {std::string(kCuplHeader) +
           "PIN [2,3] = [a,b]; PIN [18,19] = [y1,y0]; FIELD i = [a,b]; FIELD o = [y1,y0];\n"
           "TABLE i => o { 'b'00 => 'b'01; 'b'01 => 'b'10; ['b'10..'b'11] => 'b'11; }",
       {"y1 = /a * b\n   + a;", "y0 = /a * /b\n   + a;"}},
      {"Name t; Device g22v10; PIN [2,3] = [go,c]; PIN [22,23] = [s1,s0]; PIN 21 = y;\n"
       "FIELD st = [s1,s0]; SEQUENCE st { PRESENT 0 IF go NEXT 1; DEFAULT NEXT 0;\n"
       "PRESENT 1 NEXT 2 OUT y; PRESENT 2 NEXT 0; }",
       {"s1 := /s1 * s0;", "s0 := /s1 * /s0 * go;", "y = /s1 * s0;"}},
      {std::string(kCuplHeader) + "PIN [2,3] = [a,b]; PIN [18,19] = [y,z];\n"
                                  "CONDITION { IF a & b OUT y; IF !a OUT z; DEFAULT OUT z; }",
       {"y = a * b;", "z = /a\n  + /(a * b + /a);"}},
      {"Name t; Device g16v8; PIN 1 = c; PIN 11 = !oe; PIN 2 = d; PIN 19 = q;\n"
       "q.d = d; q.oe = oe; q.ck = c;",
       {"REGISTERED_MODE", "CLK", "NOE", "q := d;\n"}},
      {"Name t; Device g16v8ms; PIN 2 = a; PIN 19 = y; y = a;", {"COMPLEX_MODE"}},
      {"Name t; Device f16v8as; PIN 2 = a; PIN 19 = y; y = a;", {"SIMPLE_MODE"}},
      {"Name t; Device p22v10; PIN 1 = c; PIN 2 = a; PIN 23 = q; q.d = a; q.ck = c; q.oe = 'b'1;",
       {"GAL22V10\n", "q := a;"}},
  };
  for (const Case& c : cases) {
    const ImportResult result = ImportSource(c.source, "t.pld");
    ASSERT_TRUE(result.design) << c.source
                               << (result.report.entries().empty()
                                       ? ""
                                       : result.report.entries()[0].text);
    std::size_t at = 0;
    for (const std::string& line : c.lines) {
      const std::size_t found = result.design->find(line, at);
      EXPECT_NE(found, std::string::npos) << c.source << "\nwants: " << line << "\n"
                                          << *result.design;
      if (found != std::string::npos) at = found;
    }
  }
}

// Each fault is one line naming its source line; nothing is translated.
TEST(Import, ReportsEachFaultWithItsLine) {
  struct Case {
    std::string source;
    std::string first_error;
  };
  std::vector<Case> cases_and_hostile = {
      {"GAL20RA10\nX\n", "t.pld:1: error: unbekannter Baustein GAL20RA10"},
      {std::string(kGalasm16) + "Y = A\nY = B\n", "t.pld:8: error: Y ist schon definiert"},
      {std::string(kGalasm16) + "A = B\n", "t.pld:7: error: Pin 1 (A) kann kein Ausgang sein"},
      {std::string(kGalasm16) + "Y.E = A\n",
       "t.pld:7: error: Ausgangsfreigabe für Y ohne Gleichung"},
      {std::string(kGalasm16) + "Y.CLK = A\n",
       "t.pld:7: error: Y.CLK ist beim GAL16V8 nicht möglich"},
      {std::string(kGalasm16) + "Q.R = B\nY.T = B\nY.E = C\n",
       "t.pld:9: error: Y: Ausgangsfreigabe per Produktterm gibt es im REGISTERED_MODE nicht"},
      {std::string(kGalasm16) + "Q.R = B\nY = J\n",
       "t.pld:8: error: Pin 11 (J) hat im REGISTERED_MODE feste Funktion"},
      {std::string(kGalasm16) + "Y.T = A\nQ = Y\n",
       "t.pld:8: error: Pin 19 (Y) kann im COMPLEX_MODE nicht gelesen werden"},
      {std::string(kGalasm16) + "AR = A\n", "t.pld:7: error: AR gibt es nur beim GAL22V10"},
      {std::string(kGalasm16) + "Y = A *\n", "t.pld:7: error: unerwartet: Ende der Datei"},
      {"Name t; Device g16v8x;", "t.pld:1: error: unbekannter Baustein g16v8x"},
      {std::string(kCuplHeader) + "PIN 2 = a;\nPIN 2 = b;",
       "t.pld:3: error: Pin 2 ist zweimal vergeben"},
      {std::string(kCuplHeader) + "PIN [2..4] = [a, b];", "t.pld:2: error: 3 Pins, aber 2 Namen"},
      {std::string(kCuplHeader) + "PIN 2 = a; PIN 19 = y;\ny.t = a;",
       "t.pld:3: error: y.T wird nicht übersetzt"},
      {std::string(kCuplHeader) + "PIN 19 = y;\nSEQUENCEJK y { present 0 next 1; }",
       "t.pld:3: error: SEQUENCEJK wird nicht übersetzt"},
      {std::string(kCuplHeader) + "PIN 19 = y;\n$REPEAT i = [0..1]\n",
       "t.pld:3: error: $REPEAT wird nicht übersetzt"},
      {std::string(kCuplHeader) + "PIN 19 = y;\nx = y2; y = x;",
       "t.pld:3: error: y2 ist weder Pin noch Variable"},
      {std::string(kCuplHeader) + "PIN 19 = y;\nx = z; z = x; y = x;",
       "t.pld:3: error: x ist durch sich selbst definiert"},
      {std::string(kCuplHeader) + "PIN [2..3] = [a, b]; FIELD f = [a, b]; PIN 19 = y;\ny = f:'h'7;",
       "t.pld:3: error: 7 passt nicht in 2 Bits"},
      {"Name t; Device g22v10; PIN [2,3] = [a,b]; PIN [22,23] = [p,q];\np.d = a; q.d = a;\n"
       "p.ar = a; q.ar = b;",
       "t.pld:3: error: AR: der Baustein hat nur einen gemeinsamen Term, 3 weicht ab"},
      {"Name t; Device g16v8s; PIN 2 = a; PIN 19 = y;\ny.d = a;",
       "t.pld:2: error: y: Register gibt es im SIMPLE_MODE nicht"},
  };
  // Sources built to exhaust the stack, the memory or the time of the import.
  std::string doubling = std::string(kCuplHeader) + "PIN [2,3] = [a,b]; PIN 19 = y;\nx0 = a;\n";
  for (int i = 1; i <= 20; ++i)
    doubling += "x" + std::to_string(i) + " = x" + std::to_string(i - 1) + " # x" +
                std::to_string(i - 1) + " & b;\n";
  const std::vector<Case> hostile = {
      {std::string(kCuplHeader) + "PIN 2 = a; PIN 19 = y;\ny = " + std::string(300, '(') + "a" +
           std::string(300, ')') + ";",
       "t.pld:3: error: Ausdruck zu tief verschachtelt"},
      {doubling + "y = x20;", "t.pld:17: error: x14: Ausdruck zu groß"},
      {std::string(kCuplHeader) + "PIN 2 = a\x01;", "t.pld:2: error: unerwartet: \\x01"},
  };
  for (const Case& c : hostile) cases_and_hostile.push_back(c);
  for (const Case& c : cases_and_hostile) {
    const ImportResult result = ImportSource(c.source, "t.pld");
    EXPECT_FALSE(result.design) << c.source;
    std::string first;
    for (const ImportDiagnostic& d : result.report.entries()) {
      if (d.error && first.empty()) first = ImportDiagnosticLine("t.pld", d);
    }
    EXPECT_EQ(first, c.first_error) << c.source;
  }
}

}  // namespace
}  // namespace kem
