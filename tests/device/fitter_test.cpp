// The fitter: which cells each equation sets, the finishing steps, every input that fails a fit,
// fitted devices computing their equations, and the fit command around the files.
#include "device/fitter.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "common/internal_check.h"
#include "device/catalogue.h"
#include "device/fitter_messages.h"
#include "device/jedec_reader.h"
#include "device/jedec_writer.h"
#include "tests/support/fit_check.h"
#include "tests/support/intermediate_builder.h"
#include "tests/support/temp_dir.h"
#include "tests/support/unprivileged.h"

namespace kem {
namespace {

using testing_support::IntermediateBuilder;

// The cells of one row of the AND array.
std::string Row(const FuseMap& map, int row) {
  std::string cells;
  for (int c = 0; c < kMapColumns; ++c) cells += map[ArrayCell(row, c)];
  return cells;
}

// A row of '1' with '0' at the given columns: the product of those inputs.
std::string Product(std::initializer_list<int> columns) {
  std::string cells(kMapColumns, '1');
  for (int c : columns) cells[c] = '0';
  return cells;
}

const std::string kAllOne(kMapColumns, '1');
const std::string kAllZero(kMapColumns, '0');

class FitterTest : public testing::Test {
 protected:
  int Fit(const IntermediateBuilder& builder) {
    std::istringstream in(builder.Text());
    return fitter.Fit(in);
  }
  const FuseMap& map() const { return fitter.fuse_map(); }

  Fitter fitter;
};

TEST(FuseMap, LayoutAndInitialValues) {
  EXPECT_EQ(ArrayCell(0, 0), 132);
  EXPECT_EQ(ArrayCell(131, 43), 5939);
  EXPECT_EQ(PolarityCell(0), 5940);
  EXPECT_EQ(ModeCell(9), 5959);
  EXPECT_EQ(TermEnableCell(131), 6091);
  EXPECT_EQ(UserIdCell(7, 7), 6155);
  EXPECT_EQ(kSynCell, 6156);
  EXPECT_EQ(kFuseMapCells, 6158);

  FuseMap map;
  for (int i = 0; i < kFuseMapCells; ++i) map[i] = 'x';
  map.InitFuseMap();
  for (int i = 0; i < kFuseMapCells; ++i) {
    char expected = '0';
    if (i < kArrayCells) expected = 0;
    if (i >= kArchitectureCells && i < kTermEnableCells && i % 2 == 1) expected = '1';
    if (i >= kTermEnableCells && i < kUserIdCellsStart) expected = '1';
    ASSERT_EQ(map[i], expected) << "cell " << i;
  }
}

// Pin 19 of a GAL16V8: terms in rows 1.., output-enable row 0 in complex mode.
TEST_F(FitterTest, ComplexModeOutputIsAlwaysEnabled) {
  ASSERT_EQ(Fit(IntermediateBuilder(kGal16V8, kComplexMode)
                    .Input(2, "A")
                    .Input(3, "B")
                    .Output(19, "Y")
                    .Equations("Y = A & B +\n\t\t /A\n\t\t\t\t; 2 \n")),
            1);
  for (int row : {0, 1, 2}) EXPECT_TRUE(map().row_used(row)) << row;
  EXPECT_FALSE(map().row_used(3));
  EXPECT_EQ(Row(map(), 0), kAllOne);
  EXPECT_EQ(Row(map(), 1), Product({0, 4}));
  EXPECT_EQ(Row(map(), 2), Product({1}));
  EXPECT_EQ(Row(map(), 3), kAllZero);
  EXPECT_EQ(map()[kSynCell], '1');
  EXPECT_EQ(map()[kAc0Cell], '1');
  EXPECT_EQ(map()[ModeCell(0)], '1');
  EXPECT_EQ(map()[PolarityCell(0)], '1');
}

TEST_F(FitterTest, SimpleModeOutputHasNoEnableRow) {
  ASSERT_EQ(Fit(IntermediateBuilder(kGal16V8, kSimpleMode)
                    .Input(2, "A")
                    .Output(19, "Y")
                    .Equations("Y = A ; 1")),
            1);
  EXPECT_FALSE(map().row_used(0));
  EXPECT_EQ(Row(map(), 0), kAllZero);
  EXPECT_EQ(Row(map(), 1), Product({0}));
  EXPECT_EQ(map()[kSynCell], '1');
  EXPECT_EQ(map()[kAc0Cell], '0');
  EXPECT_EQ(map()[ModeCell(0)], '0');
}

// Pin 12 registered (macrocell 7, rows 56..63), pin 13 combinational (macrocell 6, rows 48..55).
struct RegisteredModeCase {
  const char* name;
  const char* equations;
  bool row56_used;
  std::string row56;
  std::string row48;
};

class RegisteredMode : public FitterTest, public testing::WithParamInterface<RegisteredModeCase> {};

TEST_P(RegisteredMode, CombinationalOutputsGetTheirFirstRowAsEnable) {
  ASSERT_EQ(Fit(IntermediateBuilder(kGal16V8, kRegisteredMode)
                    .Input(2, "A")
                    .Input(3, "B")
                    .Input(4, "C")
                    .Input(5, "D")
                    .Input(6, "E")
                    .Input(7, "F")
                    .Input(8, "G")
                    .Input(9, "H")
                    .Output(12, "Q", 1)
                    .Output(13, "Y", 0)
                    .Equations(GetParam().equations)),
            1);
  EXPECT_EQ(map()[ModeCell(7)], '0');
  EXPECT_EQ(map()[ModeCell(6)], '1');
  EXPECT_EQ(map()[kSynCell], '0');
  EXPECT_EQ(map()[kAc0Cell], '1');
  EXPECT_EQ(map().row_used(56), GetParam().row56_used);
  EXPECT_EQ(Row(map(), 56), GetParam().row56);
  EXPECT_TRUE(map().row_used(48));
  EXPECT_EQ(Row(map(), 48), GetParam().row48);
}

// Registered-mode columns: A..H on 0, 4, 8, ... 28.
INSTANTIATE_TEST_SUITE_P(
    Gal16V8, RegisteredMode,
    testing::Values(RegisteredModeCase{"FewTerms", "Q := A ; 1 Y = A + B ; 2", false, kAllZero,
                                       kAllOne},
                    RegisteredModeCase{"EighthRegisteredTerm",
                                       "Q := A + B + C + D + E + F + G + H ; 8 Y = A ; 1", true,
                                       Product({28}), kAllOne},
                    RegisteredModeCase{"SeventhCombinationalTerm",
                                       "Q := A ; 1 Y = A + B + C + D + E + F + /H ; 7", false,
                                       kAllZero, kAllOne}),
    [](const auto& info) { return std::string(info.param.name); });

struct PolarityCase {
  const char* equation;
  int pol;
  char cell;
  int fits;
};

class Polarity : public FitterTest, public testing::WithParamInterface<PolarityCase> {};

TEST_P(Polarity, ComesFromTheRecordNotFromTheSlash) {
  ASSERT_EQ(Fit(IntermediateBuilder(kGal20V8, kSimpleMode)
                    .Input(2, "A")
                    .Output(22, "Y", 0, GetParam().pol)
                    .Equations(GetParam().equation)),
            GetParam().fits);
  if (GetParam().fits == 1) {
    EXPECT_EQ(map()[PolarityCell(0)], GetParam().cell);
  }
}

INSTANTIATE_TEST_SUITE_P(Gal20V8, Polarity,
                         testing::Values(PolarityCase{"Y = A ; 1", 1, '1', 1},
                                         PolarityCase{"/Y = A ; 1", 0, '0', 1},
                                         PolarityCase{"Y = A ; 1", 0, '0', 0},
                                         PolarityCase{"/Y = A ; 1", 1, '1', 0}));

TEST_F(FitterTest, ConstantEquations) {
  ASSERT_EQ(Fit(IntermediateBuilder(kGal16V8, kComplexMode)
                    .Output(19, "Y", -1)
                    .Output(18, "Z", -1, 0)
                    .Equations("Y = GND\t\t; 1\n/Z = VCC\t\t; 1\n")),
            1);
  EXPECT_TRUE(map().row_used(1));
  EXPECT_EQ(Row(map(), 1), kAllZero);
  EXPECT_TRUE(map().row_used(9));
  EXPECT_EQ(Row(map(), 9), kAllOne);
}

struct FeedbackCase {
  int reg;
  int pol;
  const char* literal;
  int column;
};

class Gal22V10Feedback : public FitterTest, public testing::WithParamInterface<FeedbackCase> {};

// A register is read back from its inverted output, before the polarity cell.
TEST_P(Gal22V10Feedback, RegisteredSignalsUseTheExchangedColumnOnlyWithPolarityOne) {
  const FeedbackCase c = GetParam();
  ASSERT_EQ(Fit(IntermediateBuilder(kGal22V10, kRegisteredMode)
                    .Input(2, "A")
                    .Output(14, "Q", c.reg, c.pol, -1, kIoOutputReadBack)
                    .Output(15, "Y")
                    .Equations(std::string(c.pol == 0 ? "/Q" : "Q") + (c.reg == 1 ? " :=" : " =") +
                               " A ; 1 Y = " + c.literal + " ; 1")),
            1);
  EXPECT_EQ(map()[ModeCell(9)], c.reg == 1 ? '0' : '1');
  EXPECT_EQ(Row(map(), 112), Product({c.column}));
}

INSTANTIATE_TEST_SUITE_P(Pin14, Gal22V10Feedback,
                         testing::Values(FeedbackCase{1, 1, "Q", 39}, FeedbackCase{1, 1, "/Q", 38},
                                         FeedbackCase{1, 0, "Q", 38}, FeedbackCase{1, 0, "/Q", 39},
                                         FeedbackCase{0, 1, "Q", 38},
                                         FeedbackCase{0, 1, "/Q", 39}));

// The mode cell of the GAL22V10 family follows the register alone, in every mode.
TEST_F(FitterTest, IspGal22V10SimpleModeOutputsStayCombinational) {
  ASSERT_EQ(Fit(IntermediateBuilder(kIspGal22V10, kSimpleMode)
                    .Input(2, "A")
                    .Output(27, "Y")
                    .Output(26, "Q", 1)
                    .Equations("Y = A ; 1 Q := A ; 1")),
            1);
  EXPECT_EQ(map()[ModeCell(0)], '1');
  EXPECT_EQ(map()[ModeCell(1)], '0');
  EXPECT_EQ(map()[kSynCell], '0');
  EXPECT_EQ(map()[kAc0Cell], '0');
  EXPECT_EQ(Row(map(), 1), kAllOne);  // output enable of pin 27
}

struct UserIdCase {
  const char* user_id;
  std::string cells;
};

class UserId : public FitterTest, public testing::WithParamInterface<UserIdCase> {};

TEST_P(UserId, BytesFromTheMostSignificantBit) {
  ASSERT_EQ(Fit(IntermediateBuilder(kGal16V8, kSimpleMode, GetParam().user_id)), 1);
  std::string cells;
  for (int i = 0; i < 64; ++i) cells += map()[UserIdCell(i / 8, i % 8)];
  EXPECT_EQ(cells, GetParam().cells);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, UserId,
    testing::Values(UserIdCase{"", std::string(64, '0')},
                    UserIdCase{"AB", "0100000101000010" + std::string(48, '0')},
                    UserIdCase{"123456789ABCDEF",
                               "0011000100110010001100110011010000110101001101100011011100111000"},
                    UserIdCase{"\xc3\xbc", "1100001110111100" + std::string(48, '0')}));

// A GAL16V8 design and a GAL22V10 design with inputs A, B and outputs to spare, for inputs that
// must fail the fit.
IntermediateBuilder FailureDesign(int gal_type, int mode) {
  IntermediateBuilder b(gal_type, mode);
  b.Input(2, "A").Input(3, "B");
  if (gal_type == kGal16V8) {
    b.Output(19, "Y", 0, 1, mode == kComplexMode ? 1 : -1)
        .Output(15, "Z", 0, 1, -1, kIoOutputReadBack)
        .Output(12, "R");
  } else {
    b.Output(14, "Y").Output(18, "W");
  }
  return b;
}

struct FailureCase {
  const char* name;
  int gal_type;
  int mode;
  const char* equations;
};

class FitFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(FitFailure, FailsAndStillFinishesTheMap) {
  Fitter fitter;
  IntermediateBuilder b = FailureDesign(GetParam().gal_type, GetParam().mode);
  std::istringstream in(b.Equations(GetParam().equations).Text());
  EXPECT_EQ(fitter.Fit(in), 0);
  const bool syn = GetParam().gal_type == kGal16V8 && GetParam().mode != kRegisteredMode;
  EXPECT_EQ(fitter.fuse_map()[kSynCell], syn ? '1' : '0');
}

TEST(FitFailure, TheSameDesignsFitWithGoodEquations) {
  for (const auto& [type, mode, equations] :
       {std::tuple{kGal16V8, kSimpleMode, "Y = A ; 1 R = /B ; 1"},
        std::tuple{kGal16V8, kComplexMode, "Y.TRST = A ; 1 Y = B ; 1 R = Z ; 1"},
        std::tuple{kGal16V8, kRegisteredMode, "Y = A + B + A + B + A + B + A ; 7"},
        std::tuple{kGal22V10, kRegisteredMode, "Y = A + B + A + B + A + B + A + B ; 8"}}) {
    Fitter fitter;
    std::istringstream in(FailureDesign(type, mode).Equations(equations).Text());
    EXPECT_EQ(fitter.Fit(in), 1) << equations;
  }
}

std::string Terms(int count) {
  std::string text = "W = A";
  for (int i = 1; i < count; ++i) text += " + B";
  return text + " ; " + std::to_string(count);
}

const std::string kSeventeenTerms = Terms(17);

INSTANTIATE_TEST_SUITE_P(
    Inputs, FitFailure,
    testing::Values(
        FailureCase{"InputAsTarget", kGal16V8, kSimpleMode, "A = B ; 1"},
        FailureCase{"UnknownTarget", kGal16V8, kSimpleMode, "X = A ; 1"},
        FailureCase{"UnknownLiteral", kGal16V8, kSimpleMode, "Y = X ; 1"},
        FailureCase{"WrongOperator", kGal16V8, kSimpleMode, "Y == A ; 1"},
        FailureCase{"MissingOperator", kGal16V8, kSimpleMode, "Y A ; 1"},
        FailureCase{"NoProductTerm", kGal16V8, kSimpleMode, "Y = ; 0"},
        FailureCase{"OutputReadThatIsNotReadBack", kGal16V8, kSimpleMode, "R = Y ; 1"},
        FailureCase{"FixedPinAsLiteral", kGal16V8, kSimpleMode, "Y = A & VCC ; 1"},
        FailureCase{"ConstantFollowedByAnd", kGal16V8, kSimpleMode, "Y = GND & A ; 1"},
        FailureCase{"ConstantFollowedByLiteral", kGal16V8, kSimpleMode, "Y = VCC A ; 1"},
        FailureCase{"TwoOperatorsInARow", kGal16V8, kSimpleMode, "Y = A & + B ; 2"},
        FailureCase{"LiteralsWithoutOperator", kGal16V8, kSimpleMode, "Y = A B ; 1"},
        FailureCase{"NoColumnInThisMode", kGal16V8, kSimpleMode, "Y = Z ; 1"},
        FailureCase{"TrstWithoutEnableRow", kGal16V8, kSimpleMode, "Y.TRST = A ; 1"},
        FailureCase{"PlusInsideTrst", kGal16V8, kComplexMode, "Y.TRST = A + B ; 2"},
        FailureCase{"TrstOfAnInput", kGal16V8, kComplexMode, "A.TRST = B ; 1"},
        FailureCase{"SlashOnTrst", kGal16V8, kComplexMode, "/Y.TRST = B ; 1"},
        FailureCase{"BareTrstSuffix", kGal16V8, kComplexMode, ".TRST = B ; 1"},
        FailureCase{"NineTermsOnAGal16V8", kGal16V8, kSimpleMode,
                    "Y = A + B + A + B + A + B + A + B + A ; 9"},
        FailureCase{"NineTermsOnEightRows", kGal22V10, kRegisteredMode,
                    "Y = A + B + A + B + A + B + A + B + A ; 9"},
        FailureCase{"SeventeenTerms", kGal22V10, kRegisteredMode, kSeventeenTerms.c_str()},
        // The eighth term would become the output enable of a combinational output.
        FailureCase{"EighthCombinationalTermInRegisteredMode", kGal16V8, kRegisteredMode,
                    "Y = A + B + A + B + A + B + A + B ; 8"},
        // A second equation would be merged into the rows of the first.
        FailureCase{"SecondEquationForAnOutput", kGal16V8, kComplexMode, "Y = A ; 1 Y = B ; 1"},
        FailureCase{"SecondEquationAfterAConstant", kGal22V10, kRegisteredMode,
                    "Y = GND ; 1 Y = A ; 1"},
        FailureCase{"SecondEnableForAnOutput", kGal16V8, kComplexMode,
                    "Y.TRST = A ; 1 Y.TRST = B ; 1 Y = A ; 1"},
        FailureCase{"EquationCutOffBySymbolTable", kGal22V10, kRegisteredMode, "Y = A &"},
        FailureCase{"TermCountSwallowsSymbolTable", kGal22V10, kRegisteredMode, "Y = A ;"}),
    [](const auto& info) { return std::string(info.param.name); });

// Hand-edited files whose records contradict the device, the mode, themselves or their equations:
// each would give a chip that differs from the file, or one our own simulator calls damaged.
TEST(FitFailure, ContradictionsInAHandEditedFile) {
  const auto y = [](int mode, int reg, int pol, int trst, const char* equations) {
    IntermediateBuilder b(kGal16V8, mode);
    return b.Input(2, "A").Output(19, "Y", reg, pol, trst).Equations(equations).Text();
  };
  const auto ar = [](int reg, int pol, const char* equations) {
    IntermediateBuilder b(kGal22V10, kRegisteredMode);
    return b.Input(2, "A").Output(25, "", reg, pol).Equations(equations).Text();
  };
  const auto edited = [](std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
  };
  const std::string clean = y(kComplexMode, 0, 1, -1, "Y = A ; 1");
  for (const std::string& text :
       {y(kComplexMode, 0, 7, -1, "Y = A ; 1"),   // a polarity out of range
        y(kComplexMode, 1, 1, -1, "Y := A ; 1"),  // no register outside registered mode
        y(kRegisteredMode, 1, 1, -1, "Y = A ; 1"), y(kRegisteredMode, 0, 1, -1, "Y := A ; 1"),
        y(kComplexMode, 0, 1, 1, "Y = A ; 1"),  // an enable without its equation, and back
        y(kComplexMode, 0, 1, -1, "Y.TRST = A ; 1 Y = A ; 1"), ar(1, 1, "AR := A ; 1"),
        ar(0, 0, "/AR = A ; 1"),  // AR has no register, no polarity
        edited(ar(0, 1, "AR = A ; 1"), "Gal_Mode: 4", "Gal_Mode: 2"),
        edited(clean, "IO: 1 Reg: -1", "IO: 1 Reg: 0"),  // an input with an equation
        edited(clean, "IO: 4", "IO: -1"), edited(clean, "Res: 1", "Res: 0"),  // GND in use
        edited(clean, "Number: 3 ", "Number: 4 "),
        edited(clean, "Pin_or_Node: 1", "Pin_or_Node: 2"),
        edited(clean, "Clk_Pin: 1", "Clk_Pin: 2")}) {
    Fitter fitter;
    std::istringstream in(text);
    EXPECT_EQ(fitter.Fit(in), 0) << text;
  }
  std::istringstream in(clean);
  EXPECT_EQ(Fitter().Fit(in), 1);
}

// The end of the file is reported, never the last token again.
TEST_F(FitterTest, EndOfFileInsideTheEquationsFails) {
  ASSERT_EQ(Fit(FailureDesign(kGal16V8, kSimpleMode)), 1);
  for (const char* text : {"", "Y", "Y =", "Y = A", "Y = A &", "Y = A ;", "Y = GND", "Y = A ; 1"}) {
    std::istringstream in(text);
    EXPECT_EQ(fitter.BuildFuseMap(in), 0) << text;
  }
  std::istringstream complete("Y = A ; 1 $__SYMTAB_INFO:");
  EXPECT_EQ(fitter.BuildFuseMap(complete), 1);
}

TEST_F(FitterTest, EndOfFileInsideTheSymbolTableFails) {
  const std::string text = FailureDesign(kGal22V10, kRegisteredMode).Equations("Y = A ; 1").Text();
  for (std::size_t cut : {std::size_t{0}, text.find('$') + 4, text.size() / 2, text.size() - 10}) {
    std::istringstream in(text.substr(0, cut));
    EXPECT_EQ(fitter.Fit(in), 0) << cut;
  }
  std::istringstream in(text);
  EXPECT_EQ(fitter.Fit(in), 1);
}

// Nothing of a fit carries over into the next one.
TEST_F(FitterTest, EachFitStartsAfresh) {
  ASSERT_EQ(Fit(IntermediateBuilder(kGal16V8, kComplexMode, "K")
                    .Input(2, "A")
                    .Output(19, "Y")
                    .Equations("Y = A ; 1")),
            1);
  ASSERT_EQ(Fit(IntermediateBuilder(kGal16V8, kSimpleMode).Input(2, "A")), 1);
  EXPECT_FALSE(map().row_used(0));
  EXPECT_EQ(Row(map(), 1), kAllZero);
  EXPECT_EQ(map()[UserIdCell(0, 1)], '0');
  EXPECT_EQ(map()[ModeCell(0)], '1');
}

// Fitted devices compute their equations: the JEDEC file is read back, the device it configures
// is evaluated for every combination of its inputs and compared with the equations.
struct RoundTripCase {
  const char* name;
  IntermediateBuilder (*design)();
};

class RoundTrip : public testing::TestWithParam<RoundTripCase> {};

// Fits, writes and reads back a design; the fuse list of its JEDEC file.
std::vector<std::uint8_t> FittedFuses(const std::string& intermediate, int gal_type) {
  Fitter fitter;
  std::istringstream in(intermediate);
  EXPECT_EQ(fitter.Fit(in), 1);
  std::string error;
  auto jedec = ReadJedec(JedecText(fitter.fuse_map(), fitter.design(), fitter.pins()), error);
  EXPECT_TRUE(jedec) << error;
  if (!jedec) return {};
  EXPECT_EQ(jedec->fuse_checksum, static_cast<unsigned>(jedec->stated_fuse_checksum));
  EXPECT_EQ(jedec->transmission_checksum,
            static_cast<unsigned>(jedec->stated_transmission_checksum));
  EXPECT_EQ(jedec->pins, PinCount(gal_type));
  return jedec->fuses;
}

std::string CheckFuses(const std::vector<std::uint8_t>& fuses, const std::string& intermediate) {
  auto design = testing_support::ReadIntermediate(intermediate);
  if (!design) return "unreadable equations";
  std::string error;
  auto model = DeviceSimulator::FromFuses(design->design.Gal_Type, fuses, error);
  if (!model) return error;
  return testing_support::CheckDeviceAgainstEquations(*model, *design);
}

TEST_P(RoundTrip, DeviceComputesItsEquations) {
  const std::string text = GetParam().design().Text();
  const int gal_type = testing_support::ReadIntermediate(text)->design.Gal_Type;
  const auto fuses = FittedFuses(text, gal_type);
  EXPECT_EQ(CheckFuses(fuses, text), "");
}

IntermediateBuilder Gal16V8Complex() {
  IntermediateBuilder b(kGal16V8, kComplexMode, "KOMPLEX");
  return std::move(b.Input(1, "A")
                       .Input(2, "B")
                       .Input(11, "C")
                       .Output(19, "Y", 0, 1, 1)
                       .Output(13, "Z", 0, 0, -1, kIoOutputReadBack)
                       .Output(14, "X", 0, 1, 1)
                       .Output(12, "R")
                       .Equations("Y.TRST = C ; 1 Y = A + B ; 2 /Z = A & B ; 1 "
                                  "X.TRST = /Z ; 1 X = Z & C + A ; 2 R = /Z ; 1"));
}

IntermediateBuilder Gal16V8Registered() {
  IntermediateBuilder b(kGal16V8, kRegisteredMode);
  return std::move(b.Input(2, "A")
                       .Input(3, "B")
                       .Output(12, "Q0", 1, 1, -1, kIoOutputReadBack)
                       .Output(13, "Q1", 1, 0, -1, kIoOutputReadBack)
                       .Output(14, "Y", 0, 1, -1)
                       .Output(15, "T", 0, 0)
                       .Output(16, "K", -1, 0)
                       .Output(19, "Q2", 1, 1, -1, kIoOutputReadBack)
                       .Equations("Q0 := A & /Q1 ; 1 /Q1 := Q0 + B ; 2 Y = Q0 & Q1 + Q2 ; 2 "
                                  "/T = B ; 1 /K = GND ; 1 "
                                  "Q2 := Q2 & /A + /Q2 & A ; 2"));
}

IntermediateBuilder Gal20V8Simple() {
  IntermediateBuilder b(kGal20V8, kSimpleMode);
  return std::move(b.Input(1, "A")
                       .Input(13, "B")
                       .Input(14, "C")
                       .Input(23, "D")
                       .Output(22, "Y")
                       .Output(15, "Z", 0, 0, -1, kIoOutputReadBack)
                       .Output(21, "W")
                       .Equations("Y = A & B & C & D + /A ; 2 /Z = C + D ; 2 W = Z & /B ; 1"));
}

IntermediateBuilder Gal20V8Registered() {
  IntermediateBuilder b(kGal20V8, kRegisteredMode, "R");
  return std::move(b.Input(2, "A")
                       .Input(14, "B")
                       .Input(23, "C")
                       .Output(15, "Q0", 1, 1, -1, kIoOutputReadBack)
                       .Output(22, "Q1", 1, 0, -1, kIoOutputReadBack)
                       .Output(18, "Y")
                       .Equations("Q0 := A & Q1 + C ; 2 /Q1 := /Q0 & B ; 1 Y = Q1 + /C ; 2"));
}

IntermediateBuilder Gal22V10Registered() {
  IntermediateBuilder b(kGal22V10, kRegisteredMode, "K22");
  return std::move(b.Input(1, "A")
                       .Input(13, "B")
                       .Input(11, "C")
                       .Output(14, "Q0", 1, 1, 1, kIoOutputReadBack)
                       .Output(15, "Q1", 1, 0, -1, kIoOutputReadBack)
                       .Output(16, "Y", 0, 1, -1, kIoOutputReadBack)
                       .Output(23, "Z", 0, 0)
                       .Output(25, "", 0)
                       .Output(26, "", 0)
                       .Equations("AR = A & B ; 1 SP = /A & C ; 1 "
                                  "Q0 := A & /Q0 + /A & Q0 ; 2 Q0.TRST = C ; 1 "
                                  "/Q1 := Q0 & B ; 1 Y = /Q1 & C + Q0 ; 2 /Z = Y & /Q1 ; 1"));
}

IntermediateBuilder IspGal22V10Complex() {
  IntermediateBuilder b(kIspGal22V10, kComplexMode);
  return std::move(b.Input(3, "A")
                       .Input(13, "B")
                       .Output(21, "Q", 1, 1, -1, kIoOutputReadBack)
                       .Output(18, "R", 1, 0, -1, kIoOutputReadBack)
                       .Output(20, "Y")
                       .Output(29, "", 0)
                       .Equations("Q := A & /Q ; 1 /R := R + B ; 2 Y = Q & /R ; 1 AR = GND ; 1"));
}

INSTANTIATE_TEST_SUITE_P(Designs, RoundTrip,
                         testing::Values(RoundTripCase{"Gal16V8Complex", Gal16V8Complex},
                                         RoundTripCase{"Gal16V8Registered", Gal16V8Registered},
                                         RoundTripCase{"Gal20V8Simple", Gal20V8Simple},
                                         RoundTripCase{"Gal20V8Registered", Gal20V8Registered},
                                         RoundTripCase{"Gal22V10Registered", Gal22V10Registered},
                                         RoundTripCase{"IspGal22V10Complex", IspGal22V10Complex}),
                         [](const auto& info) { return std::string(info.param.name); });

// The comparison itself catches a wrong fuse of each kind.
TEST(RoundTrip, AWrongFuseIsCaught) {
  const std::string text = Gal16V8Registered().Text();
  const auto fuses = FittedFuses(text, kGal16V8);
  ASSERT_EQ(CheckFuses(fuses, text), "");
  // XOR and AC1 of pin 12, a literal of its first term (row 57, column 0), the output enable of
  // pin 14 (row 40), the term enable of row 57 and SYN.
  for (int fuse : {2048 + 7, 2120 + 7, 32 * 57 + 0, 32 * 40 + 5, 2128 + 57, 2192}) {
    auto wrong = fuses;
    wrong[fuse] ^= 1;
    EXPECT_NE(CheckFuses(wrong, text), "") << "fuse " << fuse;
  }
}

// Tokens swapped for others at random, in the equations and in the symbol table, give a failed
// or a successful fit, never a read outside the catalogue or the map.
TEST(HostileInput, EveryMutationEndsInAResult) {
  const std::string text = Gal22V10Registered().Text();
  std::vector<std::string> tokens;
  std::istringstream split(text);
  for (std::string token; split >> token;) tokens.push_back(token);
  const std::vector<std::string> pool = {"=",  ":=", "+",  "&",   ";",       "/",   "GND", "VCC",
                                         "Q0", "/A", "AR", "SP",  "Q0.TRST", "-1",  "0",   "2",
                                         "3",  "4",  "26", "999", "",        "\x01"};
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    std::vector<std::string> mutated = tokens;
    for (int change = 0; change < 3; ++change)
      mutated[random() % mutated.size()] = pool[random() % pool.size()];
    std::string joined;
    for (const std::string& token : mutated) joined += token + "\n";
    Fitter fitter;
    std::istringstream in(joined);
    const int result = fitter.Fit(in);
    EXPECT_TRUE(result == 0 || result == 1);
  }
}

class RecordingBoxes : public MessageBoxHost {
 public:
  BoxAnswer ShowMessageBox(std::string_view text, BoxKind, BoxIcon icon,
                           BoxButtons buttons) override {
    boxes.emplace_back(text);
    EXPECT_EQ(icon, BoxIcon::kNone);
    EXPECT_EQ(buttons, BoxButtons::kOk);
    return BoxAnswer::kOk;
  }
  std::vector<std::string> boxes;
};

class FitCommandTest : public testing::Test {
 protected:
  FitCommandTest() {  // every design here was compiled clean, as its error file shows
    log.EnsureLogWindow();
    dir.Write("ampel.ERR", "");
  }

  static std::string GoodIntermediate() {
    return IntermediateBuilder(kGal16V8, kSimpleMode)
        .Input(2, "A")
        .Output(19, "Y")
        .Equations("Y = A ; 1")
        .Text();
  }

  testing_support::TempDir dir;
  RecordingBoxes boxes;
  LogModel log;
};

using Lines = std::vector<std::string>;

TEST_F(FitCommandTest, WritesTheJedecFileAndLogsSuccess) {
  dir.Write("ampel.boo", GoodIntermediate());
  EXPECT_EQ(FitCommand(dir.File("ampel.kem"), boxes, log), FitOutcome::kSucceeded);
  EXPECT_EQ(log.lines(), Lines{"Fitterdurchgang erfolgreich beendet"});
  EXPECT_TRUE(boxes.boxes.empty());
  Fitter fitter;
  std::istringstream in(GoodIntermediate());
  ASSERT_EQ(fitter.Fit(in), 1);
  EXPECT_EQ(dir.Read("ampel.jed"), JedecText(fitter.fuse_map(), fitter.design(), fitter.pins()));
}

TEST_F(FitCommandTest, FailedFitLeavesAnEmptyJedecFile) {
  dir.Write("ampel.boo", IntermediateBuilder(kGal16V8, kSimpleMode).Equations("A = B ; 1").Text());
  dir.Write("ampel.jed", "an older fit");
  EXPECT_EQ(FitCommand(dir.File("ampel.kem"), boxes, log), FitOutcome::kFailed);
  EXPECT_EQ(log.lines(), Lines{"Es traten Fehler beim Fitten auf!"});
  EXPECT_EQ(dir.Read("ampel.jed"), "");
}

// A fault of the fitter found at its last step ends the fit as failed: its place is logged and
// the JEDEC file it wrote is emptied.
TEST_F(FitCommandTest, InternalErrorFailsTheFit) {
  struct : LogModel {
    void AppendLogLine(std::string_view text, bool transient) override {
      const bool fault = text == fitter_messages::kSucceeded && !tripped;
      tripped = tripped || fault;
      KEM_CHECK(!fault);
      LogModel::AppendLogLine(text, transient);
    }
    bool tripped = false;
  } faulty;
  faulty.EnsureLogWindow();
  dir.Write("ampel.boo", GoodIntermediate());
  EXPECT_EQ(FitCommand(dir.File("ampel.kem"), boxes, faulty), FitOutcome::kFailed);
  ASSERT_EQ(faulty.lines().size(), 2u);
  EXPECT_EQ(faulty.lines()[0].rfind("Interner Fitterfehler in device/fitter_test.cpp:", 0), 0u);
  EXPECT_EQ(faulty.lines()[1], "Es traten Fehler beim Fitten auf!");
  EXPECT_EQ(dir.Read("ampel.jed"), "");
}

TEST_F(FitCommandTest, MissingIntermediateFileIsRefusedWithABox) {
  dir.Write("ampel.jed", "kept");
  EXPECT_EQ(FitCommand(dir.File("ampel.kem"), boxes, log), FitOutcome::kNoIntermediateFile);
  EXPECT_EQ(boxes.boxes, Lines{"Zwischendatei " + dir.File("ampel.boo") + " existiert nicht"});
  EXPECT_TRUE(log.lines().empty());
  EXPECT_EQ(dir.Read("ampel.jed"), "kept");
}

TEST_F(FitCommandTest, JedecFileThatCannotBeCreatedFailsTheFit) {
  dir.Write("ampel.boo", GoodIntermediate());
  std::filesystem::create_directory(dir.path() / "ampel.jed");
  EXPECT_EQ(FitCommand(dir.File("ampel"), boxes, log), FitOutcome::kFailed);
  EXPECT_EQ(boxes.boxes, Lines{"Kann " + dir.File("ampel.jed") + " nicht speichern"});
  EXPECT_EQ(log.lines(), Lines{"Es traten Fehler beim Fitten auf!"});
  EXPECT_EQ(dir.Read("ampel.boo"), GoodIntermediate());
  EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "ampel.jed"));
}

TEST_F(FitCommandTest, UnreadableIntermediateFileFailsTheFit) {
  std::filesystem::create_directory(dir.path() / "ampel.boo");
  EXPECT_EQ(FitCommand(dir.File("ampel.kem"), boxes, log), FitOutcome::kNoIntermediateFile);
  EXPECT_EQ(boxes.boxes, Lines{"Zwischendatei " + dir.File("ampel.boo") + " existiert nicht"});
  EXPECT_TRUE(log.lines().empty());
  EXPECT_FALSE(dir.Exists("ampel.jed"));
}

// A fit that cannot write its JEDEC file, or cannot read its intermediate file, says so and
// changes no file: not the JEDEC file of an earlier fit, not the intermediate file. Permission
// bits only count for an unprivileged process, so each case makes its files there.
TEST_F(FitCommandTest, UnwritableOrUnreadableFilesChangeNothing) {
  namespace fs = std::filesystem;
  struct Case {
    std::string name;
    std::string file;  // the file (or, when empty, the folder) whose permissions are taken away
    fs::perms perms;
    std::string box;  // after the folder's name
    FitOutcome outcome;
    Lines log;
  };
  const Lines failed = {"Es traten Fehler beim Fitten auf!"};
  const std::vector<Case> cases = {
      {"folder without write permission", "", fs::perms::owner_read | fs::perms::owner_exec,
       "/ampel.jed nicht speichern", FitOutcome::kFailed, failed},
      {"write-protected JEDEC file", "ampel.jed", fs::perms::owner_read,
       "/ampel.jed nicht speichern", FitOutcome::kFailed, failed},
      {"unreadable intermediate file",
       "ampel.boo",
       fs::perms::none,
       "/ampel.boo existiert nicht",
       FitOutcome::kNoIntermediateFile,
       {}},
  };
  for (const Case& c : cases) {
    const auto body = [&c] {
      testing_support::Checks check;
      testing_support::TempDir dir;
      const fs::path folder = dir.path() / "fit";
      fs::create_directory(folder);
      dir.Write("fit/ampel.boo", GoodIntermediate());
      dir.Write("fit/ampel.ERR", "");
      if (!c.file.empty()) dir.Write("fit/ampel.jed", "an earlier fit");
      const auto before = dir.Snapshot();
      fs::permissions(c.file.empty() ? folder : folder / c.file, c.perms);

      LogModel log;
      log.EnsureLogWindow();
      struct : MessageBoxHost {
        BoxAnswer ShowMessageBox(std::string_view text, BoxKind, BoxIcon, BoxButtons) override {
          texts.emplace_back(text);
          return BoxAnswer::kOk;
        }
        Lines texts;
      } boxes;
      const FitOutcome outcome = FitCommand((folder / "ampel.kem").string(), boxes, log);
      fs::permissions(c.file.empty() ? folder : folder / c.file, fs::perms::owner_all);

      const std::string box_start = c.outcome == FitOutcome::kFailed ? "Kann " : "Zwischendatei ";
      check.Equal(boxes.texts, Lines{box_start + folder.string() + c.box}, "boxes");
      check.Equal(log.lines(), c.log, "log");
      check.True(outcome == c.outcome, "outcome");
      check.SameFiles(dir.Snapshot(), before, "files");
      return check.failures();
    };
    EXPECT_TRUE(testing_support::Passed(testing_support::RunUnprivileged(body))) << c.name;
  }
}

// A disk that fills up while the JEDEC file is written: the file is not left cut short but empty,
// as after any failed fit, and the user is told which file could not be written.
TEST_F(FitCommandTest, FullDiskLeavesAnEmptyJedecFileAndSaysSo) {
  dir.Write("ampel.boo", GoodIntermediate());
  dir.Write("ampel.jed", "an older fit");
  const std::string jedec = dir.File("ampel.jed");
  const auto body = [&] {
    testing_support::Checks check;
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
    const rlimit limit{1000, 1000};
    setrlimit(RLIMIT_FSIZE, &limit);
    check.True(FitCommand(dir.File("ampel.kem"), boxes, log) == FitOutcome::kFailed, "outcome");
    check.Equal(boxes.boxes, Lines{"Kann " + jedec + " nicht speichern"}, "boxes");
    check.Equal(log.lines(), Lines{"Es traten Fehler beim Fitten auf!"}, "log");
    check.Equal(dir.Read("ampel.jed"), std::string(), "JEDEC file");
    check.Equal(dir.Snapshot().size(), std::size_t{3}, "no temporary left");
    return check.failures();
  };
  EXPECT_TRUE(testing_support::Passed(testing_support::RunInChildProcess(body, false)));
}

// The JEDEC file of a design named like it (or linked to it) would take the design's place.
TEST_F(FitCommandTest, JedecFileThatIsTheSourceIsRefused) {
  dir.Write("ampel.boo", GoodIntermediate());
  dir.Write("ampel.kem", "the design");
  std::filesystem::create_symlink(dir.path() / "ampel.kem", dir.path() / "ampel.jed");
  EXPECT_EQ(FitCommand(dir.File("ampel.kem"), boxes, log), FitOutcome::kFailed);
  EXPECT_EQ(boxes.boxes, Lines{"Kann " + dir.File("ampel.jed") + " nicht speichern"});
  EXPECT_EQ(log.lines(), Lines{"Es traten Fehler beim Fitten auf!"});
  EXPECT_EQ(dir.Read("ampel.kem"), "the design");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "ampel.jed"));
}

// An intermediate file that is a FIFO is no file to fit: it is refused at once instead of
// waited for a writer.
TEST_F(FitCommandTest, IntermediateFileThatIsAFifoFailsTheFit) {
  ASSERT_EQ(mkfifo(dir.File("ampel.boo").c_str(), 0644), 0);
  const auto body = [&] {
    testing_support::Checks check;
    alarm(20);  // a fit that waits is ended, and reported as killed
    check.True(FitCommand(dir.File("ampel.kem"), boxes, log) == FitOutcome::kNoIntermediateFile,
               "outcome");
    check.Equal(log.lines(), Lines{}, "log");
    check.True(!dir.Exists("ampel.jed"), "no JEDEC file");
    return check.failures();
  };
  EXPECT_TRUE(testing_support::Passed(testing_support::RunInChildProcess(body, false)));
}

// The names come from the stem: a dot in a folder name is no extension dot.
TEST_F(FitCommandTest, NamesFollowTheStem) {
  std::filesystem::create_directory(dir.path() / "v1.2");
  dir.Write("v1.2/ampel.boo", GoodIntermediate());
  dir.Write("v1.2/ampel.ERR", "");
  EXPECT_EQ(FitCommand(dir.File("v1.2/ampel"), boxes, log), FitOutcome::kSucceeded);
  EXPECT_TRUE(dir.Exists("v1.2/ampel.jed"));
  EXPECT_FALSE(dir.Exists("v1.jed"));
}

}  // namespace
}  // namespace kem
