// Vector files: every fault is reported with its line and stops the run; comments, blanks and
// letter case are read as in designs; the table and the JEDEC V fields show what ran.
#include "device/test_vectors.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/fitted_device.h"

namespace kem {
namespace {

using testing_support::Fit;
using testing_support::Fitted;
using testing_support::IntermediateBuilder;

// A GAL16V8 in registered mode: the two-bit counter with synchronous reset on pins 19 and 18,
// a plain input D and a combinational output Y that follows it.
const Fitted& Counter() {
  static const Fitted fitted = [] {
    IntermediateBuilder b(kGal16V8, kRegisteredMode);
    b.Input(2, "RESET")
        .Input(3, "D")
        .Output(19, "Q0", 1, 1, -1, kIoOutputReadBack)
        .Output(18, "Q1", 1, 1, -1, kIoOutputReadBack)
        .Output(17, "Y")
        .Equations(
            "Q0 := /RESET & /Q0 ; 1 Q1 := /RESET & Q1 & /Q0 + /RESET & /Q1 & Q0 ; 2 "
            "Y = D ; 1");
    return Fit(b);
  }();
  return fitted;
}

struct FileCase {
  const char* name;
  const char* text;
  const char* result;  // the faults or mismatches, empty when every vector passes
};

void PrintTo(const FileCase& c, std::ostream* out) {
  *out << c.name;
}

class VectorFile : public testing::TestWithParam<FileCase> {};

TEST_P(VectorFile, GivesItsDiagnostics) {
  EXPECT_EQ(testing_support::Simulate(Counter(), GetParam().text), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VectorFile,
    testing::Values(
        FileCase{"Counts", "ORDER: CLK RESET Q1 Q0\nC 1 L L\nC 0 L H\nC 0 H L\nC 0 H H\nC 0 L L\n",
                 ""},
        FileCase{"CommentsBlanksAndCaseAsInDesigns",
                 "/* a counter\n   from reset */ ORDER: CLK RESET Q1 Q0 // columns\n"
                 "c1ll\n\n  C 0 /* count */ l h\n",
                 ""},
        FileCase{"NamesAnyOrderUnnamedInputsAtZero", "ORDER: Q0 CLK\nL C\nH C\n", ""},
        FileCase{"Mismatch", "ORDER: CLK RESET Q1 Q0\nC 1 L L\nC 0 L L\n",
                 "Zeile 3: Q0: erwartet L, gelesen H\n"},
        FileCase{"UnknownName", "ORDER: CLK FOO Q0\nC 0 L\n",
                 "Zeile 1: FOO ist kein Pin des Designs\n"},
        FileCase{"UnusedMacrocellIsNoOutput", "ORDER: P16\nH\n",
                 "Zeile 2: P16: H passt nicht, der Pin ist kein Ausgang\n"},
        FileCase{"SupplyPin", "ORDER: GND Q0\n0 L\n",
                 "Zeile 1: GND ist ein Pin mit fester Funktion\n"},
        FileCase{"NameTwice", "ORDER: Q0 RESET Q0\nL 1 L\n",
                 "Zeile 1: Q0 steht zweimal in ORDER:\n"},
        FileCase{"EmptyOrder", "ORDER:\n", "Zeile 1: ORDER: nennt keinen Pin\n"},
        FileCase{"UnknownValue", "ORDER: RESET Q0\n1 Q\n",
                 "Zeile 2: unbekannter Wert Q (erlaubt: 0 1 C H L Z X)\n"},
        FileCase{"TooFew", "ORDER: RESET Q0\n1\n", "Zeile 2: zu wenige Werte: 1 statt 2\n"},
        FileCase{"TooMany", "ORDER: RESET Q0\n1 L L\n", "Zeile 2: zu viele Werte: 3 statt 2\n"},
        FileCase{"DrivingARegisteredOutput", "ORDER: RESET Q0\n1 0\n",
                 "Zeile 2: Q0: 0 passt nicht, der Pin ist kein Eingang\n"},
        FileCase{"DrivingAnAlwaysEnabledOutput", "ORDER: D Y\n1 1\n",
                 "Zeile 2: Y: 1 passt nicht, der Pin ist kein Eingang\n"},
        FileCase{"ExpectingAnInput", "ORDER: RESET Q0\nH L\n",
                 "Zeile 2: RESET: H passt nicht, der Pin ist kein Ausgang\n"},
        FileCase{"ClockElsewhere", "ORDER: RESET Q0\nC L\n",
                 "Zeile 2: RESET: C nur am Takteingang (Pin 1)\n"},
        FileCase{"VectorBeforeOrder", "0 L\nORDER: RESET Q0\n0 L\n",
                 "Zeile 1: ORDER: fehlt vor dem ersten Vektor\n"},
        FileCase{"NoOrderAtAll", "// empty\n", "Zeile 2: ORDER: fehlt vor dem ersten Vektor\n"},
        FileCase{"SecondOrder", "ORDER: RESET\n0\nORDER: Q0\n",
                 "Zeile 3: ORDER: darf nur einmal stehen\n"},
        FileCase{"NoVectors", "// nothing to run\nORDER: RESET Q0\n", "Zeile 2: keine Vektoren\n"},
        FileCase{"OpenComment", "ORDER: RESET Q0\n1 L\n/* never closed\n1 L\n",
                 "Zeile 3: Kommentar nicht abgeschlossen\n"},
        FileCase{"EveryFaultOnce", "ORDER: CLK RESET Q1 Q0 FOO\nC 1 L L\nC 1 L L X\nC 1 L L X Z\n",
                 "Zeile 1: FOO ist kein Pin des Designs\nZeile 2: zu wenige Werte: 4 statt 5\n"
                 "Zeile 4: zu viele Werte: 6 statt 5\n"}),
    [](const auto& info) { return std::string(info.param.name); });

class Report : public testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    device_ = DeviceSimulator::FromFuses(Counter().gal_type, Counter().fuses, error);
    ASSERT_TRUE(device_) << error;
  }
  TestVectors Parse(const std::string& text) {
    std::vector<VectorDiagnostic> faults;
    auto vectors = ParseTestVectors(text, *device_, Counter().names, faults);
    EXPECT_TRUE(vectors) << (faults.empty() ? "" : faults.front().text);
    return vectors.value_or(TestVectors{});
  }
  std::optional<DeviceSimulator> device_;
};

TEST_F(Report, TableShowsEveryColumnAndMarksMismatches) {
  const TestVectors vectors = Parse("ORDER: CLK RESET Q1 Q0\nC 1 L L\nC 0 L L\n0 0 X X\n");
  EXPECT_EQ(SimulationTable(vectors, RunTestVectors(vectors, *device_)),
            "Zeile  CLK RESET Q1 Q0\n"
            "    2  C   1     L  L\n"
            "    3  C   0     L  H!  Q0: erwartet L, gelesen H\n"
            "    4  0   0     L  H\n"
            "Simulation: 1 von 3 Vektoren mit Abweichungen\n");
}

// The line column grows with the largest line number; an input given X shows X, as does all
// that follows it.
TEST_F(Report, TableKeepsItsColumnsForLongFilesAndShowsUnknownLevels) {
  const TestVectors vectors =
      Parse("ORDER: CLK RESET D Y\nC 1 0 L" + std::string(99999, '\n') + "C 1 X X\n");
  EXPECT_EQ(SimulationTable(vectors, RunTestVectors(vectors, *device_)),
            "Zeile   CLK RESET D  Y \n"
            "     2  C   1     0  L\n"
            "100001  C   1     X  X\n"
            "Simulation fehlerfrei: 2 Vektoren\n");
}

TEST_F(Report, PassingRunSaysSo) {
  const TestVectors vectors = Parse("ORDER: CLK RESET Q0\nC 1 L\n");
  EXPECT_TRUE(SimulationTable(vectors, RunTestVectors(vectors, *device_))
                  .ends_with("\nSimulation fehlerfrei: 1 Vektor\n"));
}

// Every pin in pin order: N for the supply, 0 where an input is held at 0, X where nothing is
// checked.
TEST_F(Report, JedecFieldsCoverEveryPin) {
  const TestVectors vectors = Parse("ORDER: Q0 CLK RESET\nL C 1\nX C 0\n");
  EXPECT_EQ(JedecVectorFields(vectors, *device_),
            (std::vector<std::string>{"C10000000N000000XXLN", "C00000000N000000XXXN"}));
}

TEST_F(Report, RunStartsFromPowerUpEachTime) {
  const TestVectors vectors = Parse("ORDER: CLK RESET Q0\nC 0 L\n");
  EXPECT_EQ(RunTestVectors(vectors, *device_).FailedSteps(), 0);
  EXPECT_EQ(RunTestVectors(vectors, *device_).FailedSteps(), 0);
}

}  // namespace
}  // namespace kem
