// The device simulator on fitted fuse maps: each device and mode runs the same vectors, and a
// fuse of each kind that matters (polarity, register, feedback column, output enable, AR and SP)
// changed by one bit is caught by them.
#include "device/device_simulator.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "device/catalogue.h"
#include "device/fitter.h"
#include "device/jedec_writer.h"
#include "device/test_vectors.h"
#include "tests/support/fitted_device.h"
#include "tests/support/intermediate_builder.h"

namespace kem {
namespace {

using testing_support::Fit;
using testing_support::Fitted;
using testing_support::IntermediateBuilder;
using testing_support::Simulate;

// The JEDEC fuse of a fuse-map cell.
int FuseOfCell(int gal_type, int cell) {
  const std::vector<int> cells = DeviceJedecLayout(gal_type).cells;
  for (std::size_t f = 0; f < cells.size(); ++f) {
    if (cells[f] == cell) return static_cast<int>(f);
  }
  ADD_FAILURE() << "cell " << cell << " is no fuse";
  return 0;
}

int ArrayFuse(int gal_type, int map_row, int column) {
  return FuseOfCell(gal_type, ArrayCell(map_row, column));
}

// A row connected to every column: always false.
void CutRow(Fitted& fitted, int map_row) {
  for (int c = 0; c < Devices()[fitted.gal_type].Columns; ++c)
    fitted.fuses[ArrayFuse(fitted.gal_type, map_row, c)] = 0;
}

struct Placement {
  const char* name;
  int gal_type;
  int mode;
  int clock;  // the device's clock pin
  int first;  // first free input
  int q0;     // two outputs with feedback
  int q1;
};

void PrintTo(const Placement& p, std::ostream* out) {
  *out << p.name;
}

const Placement kPlacements[] = {
    {"GAL16V8_registered", kGal16V8, kRegisteredMode, 1, 2, 19, 18},
    {"GAL20V8_registered", kGal20V8, kRegisteredMode, 1, 2, 22, 21},
    {"GAL22V10", kGal22V10, kRegisteredMode, 1, 2, 23, 22},
    {"ispGAL22V10_registered", kIspGal22V10, kRegisteredMode, 2, 3, 27, 26},
    {"ispGAL22V10_simple", kIspGal22V10, kSimpleMode, 2, 3, 27, 26},
};

// Two-bit counter with synchronous reset; written for active-high or active-low outputs, the
// pins show the same count.
IntermediateBuilder Counter(const Placement& p, int pol) {
  IntermediateBuilder b(p.gal_type, p.mode);
  if (FixedName(p.gal_type, p.mode, p.clock).empty()) b.Input(p.clock, "CLK");
  b.Input(p.first, "RESET")
      .Output(p.q0, "Q0", 1, pol, -1, kIoOutputReadBack)
      .Output(p.q1, "Q1", 1, pol, -1, kIoOutputReadBack);
  b.Equations(pol == 1 ? "Q0 := /RESET & /Q0 ; 1 Q1 := /RESET & Q1 & /Q0 + /RESET & /Q1 & Q0 ; 2"
                       : "/Q0 := RESET + Q0 ; 2 /Q1 := RESET + Q1 & Q0 + /Q1 & /Q0 ; 3");
  return b;
}

constexpr const char* kCounterVectors =
    "// reset, count, wrap around\n"
    "ORDER: CLK RESET Q1 Q0\n"
    "C 1  L L\n"
    "C 0  L H\n"
    "C 0  H L\n"
    "C 0  H H\n"
    "C 0  L L\n";

class OnEveryDevice : public testing::TestWithParam<Placement> {};

TEST_P(OnEveryDevice, CounterRunsTheSameVectorsWithEitherPolarity) {
  EXPECT_EQ(Simulate(Fit(Counter(GetParam(), 1)), kCounterVectors), "");
  EXPECT_EQ(Simulate(Fit(Counter(GetParam(), 0)), kCounterVectors), "");
}

TEST_P(OnEveryDevice, WrongPolarityFuseIsCaught) {
  const Placement& p = GetParam();
  Fitted fitted = Fit(Counter(p, 1));
  fitted.fuses[FuseOfCell(p.gal_type, PolarityCell(OlmcIndex(p.gal_type, p.q0, 0)))] ^= 1;
  EXPECT_NE(Simulate(fitted, kCounterVectors), "");
}

TEST_P(OnEveryDevice, RegisterTurnedCombinationalIsCaught) {
  const Placement& p = GetParam();
  Fitted fitted = Fit(Counter(p, 1));
  fitted.fuses[FuseOfCell(p.gal_type, ModeCell(OlmcIndex(p.gal_type, p.q1, 1)))] ^= 1;
  EXPECT_NE(Simulate(fitted, kCounterVectors), "");
}

// One term of Q0 reads Q0; moving that literal to the other column of the pair is the
// fault of a feedback taken from the wrong side of the register.
TEST_P(OnEveryDevice, WrongFeedbackColumnIsCaught) {
  const Placement& p = GetParam();
  for (int pol : {0, 1}) {
    Fitted fitted = Fit(Counter(p, pol));
    const int row = TermRow(p.gal_type, p.q0, pol == 1 ? 0 : 1);  // the term that reads Q0
    const int a = ArrayFuse(p.gal_type, row, InputColumn(p.gal_type, p.mode, p.q0, 0, 0));
    const int b = ArrayFuse(p.gal_type, row, InputColumn(p.gal_type, p.mode, p.q0, 1, 0));
    ASSERT_NE(fitted.fuses[a], fitted.fuses[b]);
    std::swap(fitted.fuses[a], fitted.fuses[b]);
    EXPECT_NE(Simulate(fitted, kCounterVectors), "") << "polarity " << pol;
  }
}

INSTANTIATE_TEST_SUITE_P(Devices, OnEveryDevice, testing::ValuesIn(kPlacements),
                         [](const auto& info) { return std::string(info.param.name); });

// A tristate output: Y follows A while E is high and floats otherwise.
struct TristatePlacement {
  const char* name;
  int gal_type;
  int mode;
  int a;
  int e;
  int y;
};

class Tristate : public testing::TestWithParam<TristatePlacement> {
 protected:
  Fitted FitBuffer() const {
    const TristatePlacement& p = GetParam();
    IntermediateBuilder b(p.gal_type, p.mode);
    b.Input(p.a, "A")
        .Input(p.e, "E")
        .Output(p.y, "Y", 0, 1, 1)
        .Equations("Y = A ; 1 Y.TRST = E ; 1");
    return Fit(b);
  }
  static constexpr const char* kVectors =
      "ORDER: E A Y\n"
      "0 0 Z\n"
      "0 1 Z\n"
      "1 0 L\n"
      "1 1 H\n";
};

TEST_P(Tristate, OutputFloatsWhileItsEnableIsFalse) {
  EXPECT_EQ(Simulate(FitBuffer(), kVectors), "");
}

// A bus pin may be driven from outside only while the device lets go of it.
TEST_P(Tristate, DrivingAnEnabledOutputIsAConflict) {
  EXPECT_EQ(Simulate(FitBuffer(), "ORDER: E A Y\n0 1 0\n1 1 0\n"),
            "Zeile 3: Y: von außen 0 getrieben, der Baustein treibt H\n");
}

// An enable row that connects nothing is always true: the output no longer floats.
TEST_P(Tristate, MissingOutputEnableIsCaught) {
  const TristatePlacement& p = GetParam();
  Fitted fitted = FitBuffer();
  const int row = OeRow(p.gal_type, p.mode, p.y);
  for (int c = 0; c < Devices()[p.gal_type].Columns; ++c)
    fitted.fuses[ArrayFuse(p.gal_type, row, c)] = 1;
  EXPECT_EQ(Simulate(fitted, kVectors),
            "Zeile 2: Y: erwartet Z, gelesen L\nZeile 3: Y: erwartet Z, gelesen H\n");
}

// A row that connects both columns of a signal is never true: the pin is no output any more.
TEST_P(Tristate, EnableThatNeverFiresIsCaught) {
  const TristatePlacement& p = GetParam();
  Fitted fitted = FitBuffer();
  CutRow(fitted, OeRow(p.gal_type, p.mode, p.y));
  EXPECT_TRUE(Simulate(fitted, kVectors)
                  .starts_with("Zeile 2: Y: Z passt nicht, der Pin ist kein Ausgang\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Devices, Tristate,
    testing::Values(TristatePlacement{"GAL16V8", kGal16V8, kComplexMode, 2, 3, 18},
                    TristatePlacement{"GAL20V8", kGal20V8, kComplexMode, 2, 3, 21},
                    TristatePlacement{"GAL22V10", kGal22V10, kRegisteredMode, 2, 3, 22},
                    TristatePlacement{"ispGAL22V10", kIspGal22V10, kComplexMode, 3, 4, 26}),
    [](const auto& info) { return std::string(info.param.name); });

// In registered mode NOE enables the registers only; a combinational output keeps its own
// always-true enable row.
TEST(RegisteredMode, NoeFloatsTheRegistersOnly) {
  IntermediateBuilder b(kGal16V8, kRegisteredMode);
  b.Input(2, "D").Output(19, "Q", 1).Output(18, "Y").Equations("Q := D ; 1 Y = D ; 1");
  EXPECT_EQ(Simulate(Fit(b),
                     "ORDER: CLK NOE D Q Y\n"
                     "C 0 1 H H\n"
                     "0 1 1 Z H\n"
                     "0 0 0 H L   // the register holds without a clock\n"),
            "");
}

// The registers reset to 0 at power-up; the output buffer after them inverts, so every registered
// pin shows H whatever its polarity.
TEST(RegisteredMode, RegistersStartAtZero) {
  IntermediateBuilder b(kGal16V8, kRegisteredMode);
  b.Input(2, "D").Output(19, "Q", 1, 1).Output(18, "P", 1, 0).Equations("Q := D ; 1 /P := D ; 1");
  EXPECT_EQ(Simulate(Fit(b),
                     "ORDER: CLK D Q P\n"
                     "0 1 H H   // registers 0: both pins show H\n"
                     "C 1 H L\n"),
            "");
}

// Without registers C still pulses the clock pin, and the outputs are read with it low again.
TEST(SimpleMode, ClockColumnOfAnInputEndsHigh) {
  IntermediateBuilder b(kGal16V8, kSimpleMode);
  b.Input(1, "A").Output(19, "Y").Equations("Y = A ; 1");
  EXPECT_EQ(Simulate(Fit(b), "ORDER: A Y\nC L\n0 L\n1 H\n"), "");
}

struct ResetPlacement {
  const char* name;
  int gal_type;
  int clock;
  int d;
  int q;
};

class ResetAndPreset : public testing::TestWithParam<ResetPlacement> {
 protected:
  Fitted FitRegister() const {
    const ResetPlacement& p = GetParam();
    const int pins = PinCount(p.gal_type);
    IntermediateBuilder b(p.gal_type, kRegisteredMode);
    if (p.clock != p.d - 1 || FixedName(p.gal_type, kRegisteredMode, p.clock).empty())
      b.Input(p.clock, "CLK");
    b.Input(p.d, "D")
        .Input(p.d + 1, "R")
        .Input(p.d + 2, "S")
        .Output(p.q, "Q", 1)
        .Output(pins + 1, "", 0)
        .Output(pins + 2, "", 0)
        .Equations("AR = R ; 1 SP = S ; 1 Q := D ; 1");
    return Fit(b);
  }
  static constexpr const char* kVectors =
      "ORDER: CLK D R S Q\n"
      "0 0 0 0 L\n"
      "C 1 0 0 H\n"
      "0 1 1 0 L   // reset at once, without a clock\n"
      "0 1 0 0 L\n"
      "0 0 0 1 L   // preset waits for the clock\n"
      "C 0 0 1 H   // and wins over D\n"
      "C 1 1 1 L   // reset wins over preset\n";
};

TEST_P(ResetAndPreset, ResetActsAtOncePresetAtTheEdge) {
  EXPECT_EQ(Simulate(FitRegister(), kVectors), "");
}

TEST_P(ResetAndPreset, ExchangedResetAndPresetRowsAreCaught) {
  const ResetPlacement& p = GetParam();
  Fitted fitted = FitRegister();
  for (int c = 0; c < 44; ++c)
    std::swap(fitted.fuses[ArrayFuse(p.gal_type, 0, c)],
              fitted.fuses[ArrayFuse(p.gal_type, 131, c)]);
  EXPECT_NE(Simulate(fitted, kVectors), "");
}

TEST_P(ResetAndPreset, ResetRowThatNeverFiresIsCaught) {
  Fitted fitted = FitRegister();
  CutRow(fitted, 0);
  EXPECT_EQ(Simulate(fitted, kVectors),
            "Zeile 4: Q: erwartet L, gelesen H\nZeile 5: Q: erwartet L, gelesen H\n"
            "Zeile 6: Q: erwartet L, gelesen H\nZeile 8: Q: erwartet L, gelesen H\n");
}

INSTANTIATE_TEST_SUITE_P(Devices, ResetAndPreset,
                         testing::Values(ResetPlacement{"GAL22V10", kGal22V10, 1, 2, 23},
                                         ResetPlacement{"ispGAL22V10", kIspGal22V10, 2, 3, 27}),
                         [](const auto& info) { return std::string(info.param.name); });

// Vectors read as the chip and a programmer's tester see them: levels nobody determines are X and
// never pass, C is a whole pulse, any rise of the clock pin clocks, AR wins over the edge, and the
// registered pins of a GAL16V8 or GAL20V8 come up high.
struct TesterCase {
  const char* name;
  IntermediateBuilder (*design)();
  const char* vectors;
  const char* result;
};

void PrintTo(const TesterCase& c, std::ostream* out) {
  *out << c.name;
}

IntermediateBuilder Ring() {  // Y = /Y * A oscillates while A is high; Z follows it
  IntermediateBuilder b(kGal16V8, kSimpleMode);
  b.Input(2, "A").Output(18, "Y", 0, 1, -1, kIoOutputReadBack).Output(17, "Z");
  return b.Equations("Y = /Y & A ; 1 Z = Y ; 1");
}

IntermediateBuilder Latch() {
  IntermediateBuilder b(kGal16V8, kSimpleMode);
  b.Input(2, "S").Input(3, "R").Output(18, "Q", 0, 1, -1, kIoOutputReadBack);
  return b.Equations("Q = S + Q & /R ; 2");
}

IntermediateBuilder ResetByOwnPin() {
  IntermediateBuilder b(kGal22V10, kRegisteredMode);
  b.Input(1, "CLK")
      .Input(2, "D")
      .Output(23, "Q", 1, 1, -1, kIoOutputReadBack)
      .Output(25, "", 0)
      .Output(26, "", 0);
  return b.Equations("AR = /Q ; 1 Q := D ; 1");
}

IntermediateBuilder ClockAsInput() {
  IntermediateBuilder b(kGal22V10, kRegisteredMode);
  b.Input(1, "CK").Input(2, "D").Output(22, "Y").Output(23, "Q", 1);
  return b.Equations("Y = CK ; 1 Q := D ; 1");
}

IntermediateBuilder PowerUpV8() {
  IntermediateBuilder b(kGal20V8, kRegisteredMode);
  b.Input(2, "D").Output(22, "Q", 1, 1).Output(21, "P", 1, 0);
  return b.Equations("Q := D ; 1 /P := D ; 1");
}

IntermediateBuilder Bus() {  // B drives A while E is high; Y reads the bus pin
  IntermediateBuilder b(kGal16V8, kComplexMode);
  b.Input(2, "E").Input(3, "A").Output(14, "B", 0, 1, 1, kIoOutputReadBack).Output(18, "Y");
  return b.Equations("B = A ; 1 B.TRST = E ; 1 Y = B ; 1");
}

IntermediateBuilder BusIntoRegister() {
  IntermediateBuilder b(kGal22V10, kRegisteredMode);
  b.Input(1, "CLK")
      .Input(2, "E")
      .Input(3, "A")
      .Output(15, "B", 0, 1, 1, kIoOutputReadBack)
      .Output(23, "Q", 1);
  return b.Equations("B = A ; 1 B.TRST = E ; 1 Q := B ; 1");
}

class AsATester : public testing::TestWithParam<TesterCase> {};

TEST_P(AsATester, ReadsTheVectors) {
  EXPECT_EQ(Simulate(Fit(GetParam().design()), GetParam().vectors), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AsATester,
    testing::Values(
        TesterCase{"RingFromPowerUp", Ring, "ORDER: A Y Z\n1 H L\n",
                   "Zeile 2: Rückkopplung kommt nicht zur Ruhe: Pin 17, Pin 18\n"
                   "Zeile 2: Y: erwartet H, gelesen X (unbestimmt: Pin 18 kommt nicht zur Ruhe)\n"
                   "Zeile 2: Z: erwartet L, gelesen X (unbestimmt: Pin 18 kommt nicht zur Ruhe)\n"},
        TesterCase{"RingStartingLater", Ring, "ORDER: A Y Z\n0 L L\n1 X X\n0 L L\n",
                   "Zeile 3: Rückkopplung kommt nicht zur Ruhe: Pin 17, Pin 18\n"},
        TesterCase{"LatchHoldsAndIsUnknownUntilSet", Latch,
                   "ORDER: S R Q\n0 0 L\n1 0 H\n0 0 H\n0 1 L\n0 0 L\n",
                   "Zeile 2: Q: erwartet L, gelesen X (unbestimmt: Pin 18 hat seit dem Einschalten "
                   "keinen festen Zustand)\n"},
        TesterCase{"ResetWinsOverTheEdge", ResetByOwnPin, "ORDER: CLK D Q\nC 1 L\nC 1 L\n", ""},
        TesterCase{"PulseEndsLow", ClockAsInput, "ORDER: CK Y\nC L\n1 H\n", ""},
        TesterCase{"RiseBetweenVectorsClocks", ClockAsInput,
                   "ORDER: CK D Q\n0 1 L\n1 1 H\n0 0 H\n1 0 L\n1 1 L\n", ""},
        TesterCase{"V8RegistersComeUpHigh", PowerUpV8, "ORDER: D Q P\n0 H H\n", ""},
        TesterCase{"ReleasedBusPin", Bus, "ORDER: E B Y\n0 X L\n",
                   "Zeile 2: Y: erwartet L, gelesen X (unbestimmt: Pin 14 wird von niemandem "
                   "getrieben)\n"},
        TesterCase{"InputGivenX", Bus, "ORDER: E A Y\n1 X L\n1 1 H\n",
                   "Zeile 2: Y: erwartet L, gelesen X (unbestimmt: Pin 3 ist von außen X)\n"},
        TesterCase{"BothSidesDriveAtTheEdge", BusIntoRegister, "ORDER: CLK E A B Q\nC 1 1 0 H\n",
                   "Zeile 2: B: von außen 0 getrieben, der Baustein treibt H\n"
                   "Zeile 2: Q: erwartet H, gelesen X (unbestimmt: Pin 15 wird von beiden Seiten "
                   "getrieben)\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FromFuses, RefusesWhatIsNoConfiguration) {
  std::string error;
  EXPECT_FALSE(DeviceSimulator::FromFuses(kGal16V8, std::vector<std::uint8_t>(100), error));
  EXPECT_FALSE(error.empty());
  // SYN 0 and AC0 0 select no mode of the GAL16V8.
  EXPECT_FALSE(DeviceSimulator::FromFuses(kGal16V8, std::vector<std::uint8_t>(2194), error));
  EXPECT_FALSE(DeviceSimulator::FromFuses(7, std::vector<std::uint8_t>(2194), error));
}

}  // namespace
}  // namespace kem
