#include <gtest/gtest.h>

#include <string>

#include "compiler/symbols.h"
#include "device/catalogue.h"
#include "tests/support/compile_fixture.h"

namespace kem {
namespace {

using testing_support::Compiled;
using testing_support::CompileFixture;
using testing_support::FakeHost;

constexpr const char* kComplexPins = "A B C D E F G H I GND J Q0 Q1 Q2 Q3 Q4 Q5 Q6 Q7 VCC\n";
constexpr const char* kRegisteredPins = "CLK A B C D E F G H GND NOE Q0 Q1 Q2 Q3 Q4 Q5 Q6 Q7 VCC\n";

class HeaderTest : public testing::Test, public CompileFixture {
 protected:
  const PinRecord& Pin(const Compiled& c, int pin) {
    return c.run->pins.record(c.run->pins.first_design_record() + pin - 1);
  }
};

TEST_F(HeaderTest, DefaultModeAndNoUserId) {
  Compiled c = Compile(std::string("CHIP ampel GAL16V8\n") + kComplexPins);
  EXPECT_EQ(c.errors, "");
  EXPECT_EQ(c.run->design.Design_Name, "ampel");
  EXPECT_EQ(c.run->design.Gal_Type, kGal16V8);
  EXPECT_EQ(c.run->design.Gal_Mode, kComplexMode);
  EXPECT_EQ(c.run->design.user_id, "");
  ASSERT_EQ(c.run->pins.count(), 17 + 20);
  EXPECT_EQ(c.run->pins.first_design_record(), 18);
  EXPECT_EQ(Pin(c, 1).name, "A");
  EXPECT_EQ(Pin(c, 10).IO, kIoUnavailable);
  EXPECT_EQ(Pin(c, 20).IO, kIoUnavailable);
  EXPECT_EQ(Pin(c, 12).IO, kIoUnused);
  EXPECT_EQ(Pin(c, 12).Number, 12);
  EXPECT_EQ(Pin(c, 12).Pol, 1);
  EXPECT_EQ(Pin(c, 12).Reg, -1);
  EXPECT_EQ(Pin(c, 12).Trst, -1);
}

TEST_F(HeaderTest, ModeAndUserId) {
  Compiled c =
      Compile(std::string("CHIP ampel GAL16V8 Registered_Mode USER_ID = K1\n") + kRegisteredPins);
  EXPECT_EQ(c.errors, "");
  EXPECT_EQ(c.run->design.Gal_Mode, kRegisteredMode);
  EXPECT_EQ(c.run->design.user_id, "K1");
  EXPECT_EQ(Pin(c, 1).IO, kIoUnavailable);   // CLK is fixed in registered mode
  EXPECT_EQ(Pin(c, 11).IO, kIoUnavailable);  // and so is NOE
}

TEST_F(HeaderTest, LongUserIdKeepsFifteenCharacters) {
  Compiled c = Compile(std::string("CHIP x GAL16V8 USER_ID=ABCDEFGHIJKLMNOPQRST ") + kComplexPins);
  EXPECT_EQ(c.errors, "");
  EXPECT_EQ(c.run->design.user_id, "ABCDEFGHIJKLMNO");
}

struct HeaderFault {
  const char* name;
  std::string source;
  const char* errors;
  bool aborted;
};

class HeaderFaults : public HeaderTest, public testing::WithParamInterface<HeaderFault> {};

TEST_P(HeaderFaults, ReportsExactlyAndAbortsAsSevere) {
  const HeaderFault& f = GetParam();
  Compiled c = Compile(f.source);
  EXPECT_EQ(c.errors, f.errors);
  EXPECT_EQ(c.run->CompileAborted(), f.aborted ? 1 : 0);
  EXPECT_EQ(c.listing.has_value(), !f.aborted);
  EXPECT_EQ(c.intermediate.has_value(), !f.aborted);
}

INSTANTIATE_TEST_SUITE_P(
    Header, HeaderFaults,
    testing::Values(
        HeaderFault{"NoChip", "chip ampel GAL16V8\n", "E07 CHIP-Statement nicht gefunden\n", true},
        HeaderFault{"KeywordAsName", std::string("CHIP GAL16V8 GAL16V8\n") + kComplexPins,
                    "Zeile 1: E05 Programmname fehlt oder ist nicht korrekt\n", true},
        HeaderFault{"DeviceCase", std::string("CHIP ampel gal16v8\n") + kComplexPins,
                    "Zeile 2: E06 GAL-Typ Definition fehlt oder ist nicht korrekt\n", true},
        HeaderFault{"ModeNotAllowed", "CHIP ampel GAL22V10 SIMPLE_MODE\n",
                    "Zeile 2: E10 Ungültiger Modus für GAL-Typ\n", true},
        HeaderFault{"UserIdWithoutEquals",
                    std::string("CHIP x GAL16V8 USER_ID K1 ; ") + kComplexPins,
                    "Zeile 1: E37 User ID Statement nicht korekt\n", false},
        HeaderFault{"FaultsAfterSevereAreNotWritten",
                    "CHIP 1x gal16v8 Simple_Mode 2 3 4 5 6 7 8 9\n",
                    "Zeile 1: E18 Bezeichner nicht korrekt\n"
                    "Zeile 1: E05 Programmname fehlt oder ist nicht korrekt\n",
                    true},
        HeaderFault{"FixedPinRenamed",
                    "CHIP x GAL16V8 REGISTERED_MODE\nCLOCK A B C D E F G H GND NOE Q0 Q1 Q2 Q3 "
                    "Q4 Q5 Q6 Q7 VCC\n",
                    "Zeile 2: E22 Angegebener Pinname CLOCK steht im Widerspruch zu "
                    "vordefiniertem Namen\n",
                    true},
        HeaderFault{"DuplicatePin",
                    "CHIP x GAL16V8\nA B C D E F G H I GND J Q0 Q1 Q2 Q3 Q4 Q5 A Q7 VCC\n",
                    "Zeile 2: E12 Der Pinname A ist bereits vergeben\n", true},
        HeaderFault{"PinListOneShort",
                    "CHIP x GAL16V8\nA B C D E F G H I GND J Q0 Q1 Q2 Q3 Q4 Q5 Q6 Q7\nY = A;\n",
                    "Zeile 3: E22 Angegebener Pinname Y steht im Widerspruch zu vordefiniertem "
                    "Namen\n",
                    true},
        HeaderFault{"DigitInPinList",
                    "CHIP x GAL16V8\nA B 1 D E F G H I GND J Q0 Q1 Q2 Q3 Q4 Q5 Q6 Q7 VCC\n",
                    "Zeile 2: E18 Bezeichner nicht korrekt\nZeile 2: E21 Fehlerhafte Pinliste\n",
                    true},
        HeaderFault{"EndOfInputInPinList", "CHIP x GAL20V8 A B",
                    "Zeile 1: E21 Fehlerhafte Pinliste\n", true}),
    [](const testing::TestParamInfo<HeaderFault>& info) { return info.param.name; });

TEST_F(HeaderTest, ChipInsideCommentStartsTheHeader) {
  Compiled c = Compile(std::string("// the CHIP x GAL16V8 line follows\n") + kComplexPins);
  EXPECT_EQ(c.run->design.Design_Name, "x");
  // "line" and "follows" become pins 1 and 2, so H lands on pin 10, which must be GND.
  EXPECT_EQ(c.errors,
            "Zeile 2: E22 Angegebener Pinname H steht im Widerspruch zu "
            "vordefiniertem Namen\n");
}

TEST_F(HeaderTest, UserIdFaultSkipsToFirstSeparator) {
  Compiled c = Compile(std::string("CHIP x GAL16V8 USER_ID K1 A B, ") + kComplexPins);
  EXPECT_EQ(c.errors, "Zeile 1: E37 User ID Statement nicht korekt\n");
  EXPECT_EQ(c.run->design.user_id, "");
  EXPECT_EQ(Pin(c, 1).name, "A");
  EXPECT_EQ(c.run->diagnostics.counts().errors, 1);
}

TEST_F(HeaderTest, UnconnectedAndKeywordNamedPins) {
  Compiled c = Compile("CHIP x GAL16V8\nNC NC NC CHIP E F G H I GND J Q0 Q1 Q2 Q3 Q4 Q5 Q6 Q7 VCC");
  EXPECT_EQ(c.errors, "");
  for (int pin = 1; pin <= 3; ++pin) {
    EXPECT_EQ(Pin(c, pin).name, "NC");
    EXPECT_EQ(Pin(c, pin).IO, kIoUnavailable);
  }
  EXPECT_EQ(Pin(c, 4).name, "CHIP");
  EXPECT_EQ(Pin(c, 4).IO, kIoUnused);
}

TEST_F(HeaderTest, DuplicateStillGetsItsRecord) {
  Compiled c = Compile("CHIP x GAL16V8\nA A C D E F G H I GND J Q0 Q1 Q2 Q3 Q4 Q5 Q6 Q7 VCC");
  EXPECT_EQ(c.run->pins.count(), 37);
  EXPECT_EQ(Pin(c, 2).name, "A");
  EXPECT_EQ(c.run->diagnostics.counts().severe, 1);
}

TEST_F(HeaderTest, NodesFollowThePins) {
  Compiled c = Compile(
      "CHIP x GAL22V10\nCLK I1 I2 I3 I4 I5 I6 I7 I8 I9 I10 GND I11 O1 O2 O3 O4 O5 O6 O7 O8 O9 O10 "
      "VCC\n");
  EXPECT_EQ(c.errors, "");
  EXPECT_EQ(c.run->design.Gal_Mode, kRegisteredMode);
  ASSERT_EQ(c.run->pins.count(), 17 + 26);
  EXPECT_EQ(Pin(c, 25).name, "AR");
  EXPECT_EQ(Pin(c, 25).Pin_or_Node, kNode);
  EXPECT_EQ(Pin(c, 25).Number, 25);
  EXPECT_EQ(Pin(c, 26).name, "SP");
  EXPECT_EQ(Pin(c, 26).Number, 26);
}

TEST(AddSymbol, FullTableReportsE03AndAddsNothing) {
  FakeHost host;
  CompileRun run({}, host);
  ASSERT_EQ(InitSymbolTable(run, true), 1);
  for (int i = run.pins.count(); i < kPinTableCapacity; ++i)
    ASSERT_EQ(AddSymbol(run, "S" + std::to_string(i), kPin, -1, i, 1, -1, -1), 1);
  EXPECT_EQ(AddSymbol(run, "extra", kPin, -1, 59, 1, -1, -1), 0);
  EXPECT_EQ(run.pins.count(), kPinTableCapacity);
  EXPECT_EQ(run.diagnostics.counts().severe, 1);
  EXPECT_EQ(run.pins.LookupSymbol("extra"), 0);
}

TEST(SymbolTable, KeywordsComeFirstAndWin) {
  FakeHost host;
  CompileRun run({}, host);
  InitSymbolTable(run, true);
  EXPECT_EQ(run.pins.LookupSymbol("CHIP"), 1);
  EXPECT_EQ(run.pins.LookupSymbol("REGISTERED_MODE"), 17);
  EXPECT_EQ(run.pins.LookupSymbol("|"), 10);
  AddSymbol(run, "NC", kPin, kIoUnavailable, 1, 1, -1, -1);
  AddSymbol(run, "A", kPin, -1, 2, 1, -1, -1);
  AddSymbol(run, "A", kPin, -1, 3, 1, -1, -1);
  EXPECT_TRUE(run.pins.IsKeyword("NC"));
  EXPECT_FALSE(run.pins.IsKeyword("A"));
  EXPECT_FALSE(run.pins.IsKeyword("Simple_Mode"));  // the mixed-case mode names are no keywords
  EXPECT_FALSE(run.pins.IsKeyword("chip"));
  EXPECT_EQ(run.pins.LookupSymbol("A"), 19);  // the earlier record wins
  ASSERT_EQ(InitSymbolTable(run, false), 1);
  EXPECT_EQ(run.pins.count(), 0);
  EXPECT_EQ(run.pins.first_design_record(), 1);
}

}  // namespace
}  // namespace kem
