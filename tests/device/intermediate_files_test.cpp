#include "device/intermediate_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "device/catalogue.h"
#include "tests/support/error_file.h"

namespace kem {
namespace {

using testing_support::CapturedErrorFile;

// A design record for every pin and node, named P<number>, the way the pin list makes them.
void FillPins(PinTable& pins, int first, int gal_type, int mode) {
  pins.Reset(first);
  for (int i = 1; i < first; ++i) pins.Add({"kw" + std::to_string(i), -1, 256, 0, -1, -1, -1});
  const int pin_count = PinCount(gal_type);
  for (int n = 1; n <= pin_count + NodeCount(gal_type); ++n) {
    const std::string_view fixed = FixedName(gal_type, mode, n);
    const bool node = n > pin_count;
    PinRecord r;
    r.name = fixed.empty() ? "P" + std::to_string(n) : std::string(fixed);
    r.Pin_or_Node = node ? kNode : kPin;
    r.IO = !fixed.empty() && !node ? kIoUnavailable : kIoUnused;
    r.Number = n;
    pins.Add(r);
  }
}

std::string Header(const DesignValues& design, const PinTable& pins) {
  CapturedErrorFile file;
  WriteListingHeader(file.get(), design, pins);
  return file.Text();
}

std::string SymbolTable(const DesignValues& design, const PinTable& pins) {
  CapturedErrorFile file;
  WriteSymbolTableBlock(file.get(), design, pins);
  return file.Text();
}

TEST(ListingHeader, BreaksAfterHalfThePins) {
  PinTable pins;
  FillPins(pins, 18, kGal16V8, kComplexMode);
  EXPECT_EQ(Header({"ampel", kGal16V8, kComplexMode, ""}, pins),
            "CHIP ampel GAL16V8 Complex_Mode\n\n"
            "P1 P2 P3 P4 P5 P6 P7 P8 P9 GND P11 \n"
            "P12 P13 P14 P15 P16 P17 P18 P19 VCC \n\n");
  FillPins(pins, 18, kGal22V10, kRegisteredMode);
  EXPECT_EQ(Header({"d", kGal22V10, kRegisteredMode, ""}, pins),
            "CHIP d GAL22V10 Registered_Mode\n\n"
            "P1 P2 P3 P4 P5 P6 P7 P8 P9 P10 P11 GND P13 \n"
            "P14 P15 P16 P17 P18 P19 P20 P21 P22 P23 VCC \n\n");
}

TEST(SymbolTableBlock, ExactText) {
  PinTable pins;
  FillPins(pins, 18, kGal16V8, kComplexMode);
  pins.record(19).IO = kIoInput;
  const std::string text = SymbolTable({"ampel", kGal16V8, kComplexMode, ""}, pins);
  const std::string start =
      "\n\n$__SYMTAB_INFO:\nDesign_Name: ampel\nGal_Type: 0\nGal_Mode: 2\nClk_Pin: 1\n"
      "User_ID: __LEER\n\nPin_Node: P1 ";
  EXPECT_EQ(text.substr(0, start.size()), start);
  EXPECT_NE(text.find("Pin_Node: P2 Pin_or_Node: 1 Number: 2 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: "
                      "0\n"),
            std::string::npos);
  EXPECT_NE(text.find("Pin_Node: GND Pin_or_Node: 1 Number: 10 Pol: 1 IO: 4 Reg: -1 Trst: -1 "
                      "Res: 1\n"),
            std::string::npos);
}

struct DeviceMode {
  int gal_type;
  int mode;
};

class SymbolTableRoundTrip : public testing::TestWithParam<DeviceMode> {};

TEST_P(SymbolTableRoundTrip, ReadsBackWhatWasWritten) {
  const auto [gal_type, mode] = GetParam();
  PinTable written;
  FillPins(written, 18, gal_type, mode);
  written.record(20).Pol = 0;
  written.record(20).Reg = 1;
  written.record(20).Trst = 1;
  const DesignValues design{"name_with_32_characters_long_abc", gal_type, mode, "__LEER"};
  std::istringstream in("Q = A;\n" + SymbolTable(design, written));

  DesignValues read;
  PinTable pins;
  ASSERT_EQ(ReadSymbolTable(in, read, pins), 1);
  EXPECT_EQ(read.Design_Name, design.Design_Name);
  EXPECT_EQ(read.Gal_Type, gal_type);
  EXPECT_EQ(read.Gal_Mode, mode);
  EXPECT_EQ(read.user_id, "");  // a user ID spelled like the "none" marker reads back as none
  ASSERT_EQ(pins.count(), PinCount(gal_type) + NodeCount(gal_type));
  EXPECT_EQ(pins.first_design_record(), 1);
  for (int i = 1; i <= pins.count(); ++i) {
    const PinRecord& a = written.record(17 + i);
    const PinRecord& b = pins.record(i);
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.Pin_or_Node, b.Pin_or_Node);
    EXPECT_EQ(a.Number, b.Number);
    EXPECT_EQ(a.Pol, b.Pol);
    EXPECT_EQ(a.IO, b.IO);
    EXPECT_EQ(a.Reg, b.Reg);
    EXPECT_EQ(a.Trst, b.Trst);
  }
}

INSTANTIATE_TEST_SUITE_P(AllDevices, SymbolTableRoundTrip,
                         testing::Values(DeviceMode{kGal16V8, kSimpleMode},
                                         DeviceMode{kGal16V8, kRegisteredMode},
                                         DeviceMode{kGal20V8, kComplexMode},
                                         DeviceMode{kGal22V10, kRegisteredMode},
                                         DeviceMode{kIspGal22V10, kSimpleMode}));

TEST(ReadSymbolTable, FailsOnTruncatedOrImpossibleInput) {
  PinTable written;
  FillPins(written, 18, kIspGal22V10, kComplexMode);
  const std::string block = SymbolTable({"x", kIspGal22V10, kComplexMode, "K1"}, written);
  for (std::size_t cut = 0; cut < block.size(); cut += 7) {
    std::istringstream in(block.substr(0, cut));
    DesignValues design;
    PinTable pins;
    // Every cut ends before the last expected value, except the one right after it.
    const bool complete = block.substr(0, cut).find(
                              "Number: 30 Pol: 1 IO: -1 Reg: -1 Trst: -1 "
                              "Res: 1") != std::string::npos;
    EXPECT_EQ(ReadSymbolTable(in, design, pins), complete ? 1 : 0) << cut;
  }
  for (const char* hostile :
       {"$__SYMTAB_INFO: Design_Name: x Gal_Type: 7 Gal_Mode: 2 Clk_Pin: 1 User_ID: a",
        "$__SYMTAB_INFO: Design_Name: x Gal_Type: -1 Gal_Mode: 2 Clk_Pin: 1 User_ID: a",
        "$__SYMTAB_INFO: Design_Name: x Gal_Type: 0 Gal_Mode: 3 Clk_Pin: 1 User_ID: a",
        "$__SYMTAB_INFO: Design_Name: x Gal_Type: zero Gal_Mode: 2 Clk_Pin: 1 User_ID: a"}) {
    std::istringstream in(hostile);
    DesignValues design;
    PinTable pins;
    EXPECT_EQ(ReadSymbolTable(in, design, pins), 0) << hostile;
  }
}

TEST(ReadSymbolTable, KeepsLongNamesWhole) {
  PinTable written;
  FillPins(written, 1, kGal16V8, kSimpleMode);
  written.record(2).name = std::string(60, 'n');
  std::istringstream in(SymbolTable({"x", kGal16V8, kSimpleMode, ""}, written));
  DesignValues design;
  PinTable pins;
  ASSERT_EQ(ReadSymbolTable(in, design, pins), 1);
  EXPECT_EQ(pins.record(2).name, std::string(60, 'n'));
}

}  // namespace
}  // namespace kem
