// The JEDEC file: the fuse numbering of each device, the checksums, and the exact text of small
// designs, worked out by hand from the devices' fuse lists.
#include "device/jedec_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>

#include "device/catalogue.h"
#include "device/fitter.h"
#include "tests/support/error_file.h"
#include "tests/support/intermediate_builder.h"

namespace kem {
namespace {

using testing_support::IntermediateBuilder;

struct LayoutCase {
  int gal_type;
  int fuse_count;
  int field_count;
  std::vector<std::pair<int, int>> fuse_cells;  // JEDEC fuse, fuse-map cell
};

class Layout : public testing::TestWithParam<LayoutCase> {};

TEST_P(Layout, FusesComeFromTheirCells) {
  const JedecLayout layout = DeviceJedecLayout(GetParam().gal_type);
  EXPECT_EQ(static_cast<int>(layout.cells.size()), GetParam().fuse_count);
  EXPECT_EQ(static_cast<int>(layout.field_starts.size()), GetParam().field_count);
  for (const auto& [fuse, cell] : GetParam().fuse_cells)
    EXPECT_EQ(layout.cells.at(fuse), cell) << "fuse " << fuse;
  // No cell is listed twice, and none is a row-used flag.
  std::vector<int> cells = layout.cells;
  std::sort(cells.begin(), cells.end());
  EXPECT_EQ(std::adjacent_find(cells.begin(), cells.end()), cells.end());
  EXPECT_GE(cells.front(), kArrayCells);
}

INSTANTIATE_TEST_SUITE_P(
    Devices, Layout,
    testing::Values(
        LayoutCase{kGal16V8,
                   2194,
                   64 + 6,
                   {{0, 132},
                    {31, 163},
                    {32 * 63 + 31, 132 + 44 * 63 + 31},
                    {2048, 5940},
                    {2055, 5954},
                    {2056, 6092},
                    {2119, 6155},
                    {2120, 5941},
                    {2127, 5955},
                    {2128, 5960},
                    {2191, 6023},
                    {2192, 6156},
                    {2193, 6157}}},
        LayoutCase{kGal20V8,
                   2706,
                   64 + 6,
                   {{0, 132 + 44 * 8},
                    {40 * 63 + 39, 132 + 44 * 71 + 39},
                    {2560, 5940},
                    {2568 + 8 * 2 + 3, 6092 + 19},
                    {2632 + 7, 5955},
                    {2640, 5968},
                    {2703, 6031},
                    {2704, 6156},
                    {2705, 6157}}},
        LayoutCase{kGal22V10,
                   5892,
                   132 + 2,
                   {{0, 132},
                    {44 * 131 + 43, 5939},
                    {5808, 5940},
                    {5809, 5941},
                    {5826, 5958},
                    {5827, 5959},
                    {5828, 6092},
                    {5891, 6155}}},
        LayoutCase{kIspGal22V10, 5892, 132 + 2, {{5808 + 2 * 9 + 1, 5959}, {5828 + 63, 6155}}}));

TEST(Layout, MatchesTheCatalogue) {
  for (int type = 0; type < kDeviceCount; ++type) {
    const DeviceRecord& device = Devices()[type];
    const int user_id = type >= kGal22V10 ? 8 * device.Ues_Bytes : 0;  // after the fuse list
    EXPECT_EQ(static_cast<int>(DeviceJedecLayout(type).cells.size()), device.Fuse_Count + user_id);
  }
  EXPECT_TRUE(DeviceJedecLayout(4).cells.empty());
  EXPECT_TRUE(DeviceJedecLayout(-1).cells.empty());
}

TEST(FuseChecksum, EightBitWordsLowestFuseFirst) {
  EXPECT_EQ(FuseChecksum(""), 0u);
  EXPECT_EQ(FuseChecksum("1"), 1u);
  EXPECT_EQ(FuseChecksum("00000001"), 0x80u);
  EXPECT_EQ(FuseChecksum("000000001"), 0x01u);  // a ninth fuse starts the next word
  EXPECT_EQ(FuseChecksum("0000000110"), 0x81u);
  EXPECT_EQ(FuseChecksum(std::string(8 * 300, '1')), (300u * 255u) % 65536u);
}

// "L<fuse> 000...*" lines for `count` empty rows of `width` fuses from `first_row`.
std::string EmptyRows(int first_row, int count, int width) {
  std::string text;
  char number[8];
  for (int r = first_row; r < first_row + count; ++r) {
    std::snprintf(number, sizeof number, "%05d", r * width);
    text += "L" + std::string(number) + " " + std::string(width, '0') + "*\r\n";
  }
  return text;
}

// One note per pin, P<n> unless named, then the nodes.
std::string PinNotes(int pins, const std::map<int, std::string>& names, bool nodes) {
  std::string text;
  auto name = [&](int n) { return names.count(n) ? names.at(n) : "P" + std::to_string(n); };
  for (int n = 1; n <= pins; ++n) text += "N PIN " + std::to_string(n) + " " + name(n) + "*\r\n";
  if (nodes) {
    text += "N NODE " + std::to_string(pins + 1) + " AR*\r\n";
    text += "N NODE " + std::to_string(pins + 2) + " SP*\r\n";
  }
  return text;
}

struct ExactCase {
  const char* name;
  IntermediateBuilder (*design)();
  std::string text;
};

class ExactText : public testing::TestWithParam<ExactCase> {};

TEST_P(ExactText, ByteForByte) {
  Fitter fitter;
  std::istringstream in(GetParam().design().Text());
  ASSERT_EQ(fitter.Fit(in), 1);
  EXPECT_EQ(JedecText(fitter.fuse_map(), fitter.design(), fitter.pins()), GetParam().text);
}

// Y = A & /B on pin 19: row 1 connects column 0 (pin 2) and column 5 (pin 3 negated).
IntermediateBuilder Gal16V8Simple() {
  IntermediateBuilder b(kGal16V8, kSimpleMode);
  return std::move(b.Input(2, "A").Input(3, "B").Output(19, "Y").Equations("Y = A &  /B ; 1"));
}

const std::string kGal16V8Text =
    "\x02\r\n"
    "CHIP test GAL16V8 Simple_Mode*\r\n" +
    PinNotes(20, {{2, "A"}, {3, "B"}, {10, "GND"}, {19, "Y"}, {20, "VCC"}}, false) +
    "QP20*\r\n"
    "QF2194*\r\n"
    "F0*\r\n"
    "G0*\r\n"
    "L00000 00000000000000000000000000000000*\r\n"
    "L00032 01111011111111111111111111111111*\r\n" +
    EmptyRows(2, 62, 32) +
    "L02048 10000000*\r\n"
    "L02056 0000000000000000000000000000000000000000000000000000000000000000*\r\n"
    "L02120 01111111*\r\n"
    "L02128 1111111111111111111111111111111111111111111111111111111111111111*\r\n"
    "L02192 1*\r\n"
    "L02193 0*\r\n"
    "C0CD3*\r\n"
    "\x03"
    "56AA\r\n";

// Pin 22 in complex mode: output enable C in row 0 (map row 8), terms A and /B in rows 1 and 2.
IntermediateBuilder Gal20V8Complex() {
  IntermediateBuilder b(kGal20V8, kComplexMode, "K");
  return std::move(b.Input(2, "A")
                       .Input(3, "B")
                       .Input(4, "C")
                       .Output(22, "Y", 0, 1, 1)
                       .Equations("Y.TRST = C ; 1 Y = A + /B ; 2"));
}

const std::string kGal20V8Text =
    "\x02\r\n"
    "CHIP test GAL20V8 Complex_Mode*\r\n" +
    PinNotes(24, {{2, "A"}, {3, "B"}, {4, "C"}, {12, "GND"}, {22, "Y"}, {24, "VCC"}}, false) +
    "QP24*\r\n"
    "QF2706*\r\n"
    "F0*\r\n"
    "G0*\r\n"
    "L00000 1111111101111111111111111111111111111111*\r\n"
    "L00040 0111111111111111111111111111111111111111*\r\n"
    "L00080 1111101111111111111111111111111111111111*\r\n" +
    EmptyRows(3, 61, 40) +
    "L02560 10000000*\r\n"
    "L02568 0100101100000000000000000000000000000000000000000000000000000000*\r\n"
    "L02632 11111111*\r\n"
    "L02640 1111111111111111111111111111111111111111111111111111111111111111*\r\n"
    "L02704 1*\r\n"
    "L02705 1*\r\n"
    "C189C*\r\n"
    "\x03"
    "C1CC\r\n";

// Q := A & /Q on pin 23, read back from the register (column 2 for /Q), AR = B in row 0.
IntermediateBuilder Gal22V10() {
  IntermediateBuilder b(kGal22V10, kRegisteredMode);
  return std::move(b.Input(2, "A")
                       .Input(3, "B")
                       .Output(23, "Q", 1, 1, -1, kIoOutputReadBack)
                       .Output(25, "", 0)
                       .Equations("AR = B ; 1 Q := A & /Q ; 1"));
}

const std::string kGal22V10Text =
    "\x02\r\n"
    "CHIP test GAL22V10 Registered_Mode*\r\n" +
    PinNotes(24, {{2, "A"}, {3, "B"}, {12, "GND"}, {23, "Q"}, {24, "VCC"}}, true) +
    "QP24*\r\n"
    "QF5892*\r\n"
    "F0*\r\n"
    "G0*\r\n"
    "L00000 11111111011111111111111111111111111111111111*\r\n"
    "L00044 11111111111111111111111111111111111111111111*\r\n"
    "L00088 11010111111111111111111111111111111111111111*\r\n" +
    EmptyRows(3, 129, 44) +
    "L05808 10010101010101010101*\r\n"
    "L05828 0000000000000000000000000000000000000000000000000000000000000000*\r\n"
    "C1147*\r\n"
    "\x03"
    "8B5C\r\n";

// Y = /A on pin 27 in simple mode: combinational, always enabled (row 1), column 1 in row 2.
IntermediateBuilder IspGal22V10() {
  IntermediateBuilder b(kIspGal22V10, kSimpleMode);
  return std::move(b.Input(2, "A").Output(27, "Y").Equations("Y = /A ; 1"));
}

const std::string kIspGal22V10Text =
    "\x02\r\n"
    "CHIP test ispGAL22V10 Simple_Mode*\r\n" +
    PinNotes(28,
             {{1, "SCLK"},
              {2, "A"},
              {8, "MODE"},
              {14, "GND"},
              {15, "SDI"},
              {22, "SDO"},
              {27, "Y"},
              {28, "VCC"}},
             true) +
    "QP28*\r\n"
    "QF5892*\r\n"
    "F0*\r\n"
    "G0*\r\n" +
    EmptyRows(0, 1, 44) +
    "L00044 11111111111111111111111111111111111111111111*\r\n"
    "L00088 10111111111111111111111111111111111111111111*\r\n" +
    EmptyRows(3, 129, 44) +
    "L05808 11010101010101010101*\r\n"
    "L05828 0000000000000000000000000000000000000000000000000000000000000000*\r\n"
    "C0C52*\r\n"
    "\x03"
    "98AB\r\n";

INSTANTIATE_TEST_SUITE_P(Devices, ExactText,
                         testing::Values(ExactCase{"Gal16V8", Gal16V8Simple, kGal16V8Text},
                                         ExactCase{"Gal20V8", Gal20V8Complex, kGal20V8Text},
                                         ExactCase{"Gal22V10", Gal22V10, kGal22V10Text},
                                         ExactCase{"IspGal22V10", IspGal22V10, kIspGal22V10Text}),
                         [](const auto& info) { return std::string(info.param.name); });

// A name from an edited intermediate file cannot end a field or the transmission early.
TEST(JedecText, NamesCannotBreakTheFields) {
  Fitter fitter;
  std::istringstream in(IntermediateBuilder(kGal16V8, kSimpleMode).Input(2, "A*\x03").Text());
  ASSERT_EQ(fitter.Fit(in), 1);
  const std::string text = JedecText(fitter.fuse_map(), fitter.design(), fitter.pins());
  EXPECT_NE(text.find("N PIN 2 A__*\r\n"), std::string::npos);
  EXPECT_EQ(text.find('\x03'), text.size() - 7);
}

TEST(WriteJedec, WritesTheTextAndReportsAFailedWrite) {
  Fitter fitter;
  std::istringstream in(Gal16V8Simple().Text());
  ASSERT_EQ(fitter.Fit(in), 1);
  testing_support::CapturedErrorFile file;
  EXPECT_EQ(WriteJedec(file.get(), fitter.fuse_map(), fitter.design(), fitter.pins()), 1);
  EXPECT_EQ(file.Text(), kGal16V8Text);

  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  std::FILE* full = std::fopen("/dev/full", "wb");
  ASSERT_NE(full, nullptr);
  EXPECT_EQ(WriteJedec(full, fitter.fuse_map(), fitter.design(), fitter.pins()), 0);
  std::fclose(full);
}

}  // namespace
}  // namespace kem
