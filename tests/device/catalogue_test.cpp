#include "device/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace kem {
namespace {

constexpr std::array<int, 3> kModeCodes{kSimpleMode, kComplexMode, kRegisteredMode};

bool IsV8(const DeviceRecord& device) {
  return device.type == kGal16V8 || device.type == kGal20V8;
}

bool IsOutput(const PinEntry& entry) {
  return entry.Term_Rows[0] != -1;
}

int Entries(const DeviceRecord& device) {
  return device.Pin_Count + device.Node_Count;
}

std::string Where(const DeviceRecord& device, int n, int m = -1) {
  std::string text = std::string(device.name) + " pin " + std::to_string(n);
  if (m >= 0) text += " mode index " + std::to_string(m);
  return text;
}

std::vector<int> UsedRows(const PinEntry& entry) {
  std::vector<int> rows;
  for (int row : entry.Term_Rows) {
    if (row != -1) rows.push_back(row);
  }
  return rows;
}

class CatalogueDeviceTest : public ::testing::TestWithParam<int> {
 protected:
  const DeviceRecord& device() const { return Devices()[GetParam()]; }
};

INSTANTIATE_TEST_SUITE_P(AllDevices, CatalogueDeviceTest,
                         ::testing::Values(kGal16V8, kGal20V8, kGal22V10, kIspGal22V10),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(Devices()[info.param].name);
                         });

TEST_P(CatalogueDeviceTest, TermRowsFillTheirSlotsAndMatchTheLargestLimit) {
  for (int n = 1; n <= Entries(device()); ++n) {
    const PinEntry& entry = device().pins[n - 1];
    if (!IsOutput(entry)) continue;
    SCOPED_TRACE(Where(device(), n));
    const std::vector<int> rows = UsedRows(entry);
    // Used slots come first; an empty slot in the middle would drop a product term.
    for (int k = 0; k < kTermRowSlots; ++k) {
      EXPECT_EQ(entry.Term_Rows[k] != -1, k < static_cast<int>(rows.size())) << "slot " << k;
    }
    EXPECT_EQ(std::set<int>(rows.begin(), rows.end()).size(), rows.size()) << "repeated row";
    int largest = 0;
    for (int m = 0; m < 3; ++m) {
      largest = std::max({largest, entry.Term_Limit[m], entry.Reg_Term_Limit[m]});
    }
    EXPECT_EQ(static_cast<int>(rows.size()), largest);
    for (int row : rows) {
      EXPECT_GE(row, device().First_Row);
      EXPECT_LT(row, device().End_Row);
    }
  }
}

TEST_P(CatalogueDeviceTest, OutputEnableRowsExistExactlyWhereATristateTermIsAllowed) {
  for (int n = 1; n <= Entries(device()); ++n) {
    const PinEntry& entry = device().pins[n - 1];
    for (int m = 0; m < 3; ++m) {
      SCOPED_TRACE(Where(device(), n, m));
      const int oe_row = entry.Oe_Row[m];
      EXPECT_EQ(oe_row != -1, entry.Oe_Term_Limit[m] > 0);
      if (oe_row == -1) continue;
      EXPECT_EQ(entry.Oe_Term_Limit[m], 1);
      EXPECT_GE(oe_row, device().First_Row);
      EXPECT_LT(oe_row, device().End_Row);
      const std::vector<int> rows = UsedRows(entry);
      const bool shared = std::find(rows.begin(), rows.end(), oe_row) != rows.end();
      if (IsV8(device())) {
        // The block's first row serves as enable in complex mode and as the eighth term elsewhere.
        EXPECT_EQ(m, 1);
        EXPECT_EQ(oe_row, entry.Term_Rows[7]);
      } else {
        EXPECT_FALSE(shared);
      }
    }
  }
}

TEST_P(CatalogueDeviceTest, EveryRowBelongsToExactlyOneOutputOrNode) {
  std::map<int, int> owner;  // row -> pin
  for (int n = 1; n <= Entries(device()); ++n) {
    const PinEntry& entry = device().pins[n - 1];
    std::set<int> rows;
    for (int row : UsedRows(entry)) rows.insert(row);
    for (int row : entry.Oe_Row) {
      if (row != -1) rows.insert(row);
    }
    for (int row : rows) {
      const auto [it, inserted] = owner.emplace(row, n);
      EXPECT_TRUE(inserted) << device().name << " row " << row << " used by pins " << it->second
                            << " and " << n;
    }
  }
  // Together the outputs cover the device's part of the array with no gap.
  EXPECT_EQ(static_cast<int>(owner.size()), device().End_Row - device().First_Row);
  if (!owner.empty()) {
    EXPECT_EQ(owner.begin()->first, device().First_Row);
    EXPECT_EQ(owner.rbegin()->first, device().End_Row - 1);
  }
}

TEST_P(CatalogueDeviceTest, InputColumnPairsAreWellFormedAndDistinctPerMode) {
  for (int m = 0; m < 3; ++m) {
    std::map<int, int> owner;  // true column -> pin
    for (int n = 1; n <= Entries(device()); ++n) {
      SCOPED_TRACE(Where(device(), n, m));
      const ColumnPair pair = device().pins[n - 1].Input_Columns[m];
      if (pair.true_column == -1) {
        EXPECT_EQ(pair.complement_column, -1);
        continue;
      }
      EXPECT_EQ(pair.true_column % 2, 0);
      EXPECT_EQ(pair.complement_column, pair.true_column + 1);
      EXPECT_GE(pair.true_column, 0);
      EXPECT_LT(pair.complement_column, device().Columns);
      const auto [it, inserted] = owner.emplace(pair.true_column, n);
      EXPECT_TRUE(inserted) << "column " << pair.true_column << " also on pin " << it->second;
    }
  }
}

TEST_P(CatalogueDeviceTest, MacrocellIndicesAreAPermutation) {
  const int cells = IsV8(device()) ? 8 : 10;
  std::vector<int> uses(cells, 0);
  for (int n = 1; n <= Entries(device()); ++n) {
    const PinEntry& entry = device().pins[n - 1];
    SCOPED_TRACE(Where(device(), n));
    EXPECT_EQ(entry.Olmc_Index[0], entry.Olmc_Index[1]);
    const int index = entry.Olmc_Index[0];
    // Nodes have rows but no macrocell.
    const bool has_macrocell = IsOutput(entry) && n <= device().Pin_Count;
    if (!has_macrocell) {
      EXPECT_EQ(index, -1);
      continue;
    }
    ASSERT_GE(index, 0);
    ASSERT_LT(index, cells);
    ++uses[index];
  }
  for (int i = 0; i < cells; ++i) EXPECT_EQ(uses[i], 1) << device().name << " macrocell " << i;
}

TEST_P(CatalogueDeviceTest, ClassesAgreeWithFeedbackColumnsAndNames) {
  for (int n = 1; n <= Entries(device()); ++n) {
    const PinEntry& entry = device().pins[n - 1];
    EXPECT_EQ(entry.Fixed_Name.empty(), entry.Fixed_Modes == 0) << Where(device(), n);
    for (int m = 0; m < 3; ++m) {
      SCOPED_TRACE(Where(device(), n, m));
      const int pin_class = entry.Pin_Class[m];
      const bool readable = entry.Input_Columns[m].true_column != -1;
      EXPECT_TRUE(pin_class >= kPinFixed && pin_class <= kPinOutputOrInput);
      switch (pin_class) {
        case kPinFixed:
          EXPECT_FALSE(FixedName(device().type, kModeCodes[m], n).empty());
          EXPECT_FALSE(readable);
          EXPECT_FALSE(IsOutput(entry));
          break;
        case kPinInput:
          EXPECT_TRUE(readable);
          EXPECT_FALSE(IsOutput(entry));
          EXPECT_EQ(entry.Feedback[m], 0);
          break;
        default:
          // An output can be read back exactly where it has a column pair, and the class says
          // whether it can: 4 is the class of an output that cannot.
          EXPECT_TRUE(IsOutput(entry));
          EXPECT_EQ(entry.Feedback[m] == 1, readable);
          EXPECT_EQ(pin_class == kPinOutput, entry.Feedback[m] == 0);
          EXPECT_GT(entry.Term_Limit[m], 0);
          if (pin_class == kPinOutputOrInput) {
            EXPECT_EQ(m, 0);
          }
          break;
      }
      if (!IsOutput(entry)) {
        EXPECT_EQ(entry.Term_Limit[m], 0);
        EXPECT_EQ(entry.Reg_Term_Limit[m], 0);
        EXPECT_EQ(entry.Oe_Term_Limit[m], 0);
        EXPECT_EQ(entry.Olmc_Index[0], -1);
      }
    }
  }
}

TEST_P(CatalogueDeviceTest, LimitsFollowTheArchitecture) {
  for (int n = 1; n <= Entries(device()); ++n) {
    const PinEntry& entry = device().pins[n - 1];
    if (!IsOutput(entry) || n > device().Pin_Count) continue;
    SCOPED_TRACE(Where(device(), n));
    if (IsV8(device())) {
      EXPECT_EQ(entry.Term_Limit, (PerMode{8, 7, 7}));
      EXPECT_EQ(entry.Reg_Term_Limit, (PerMode{0, 0, 8}));
      EXPECT_EQ(entry.Oe_Term_Limit, (PerMode{0, 1, 0}));
    } else {
      EXPECT_EQ(entry.Reg_Term_Limit, entry.Term_Limit);
      EXPECT_EQ(entry.Oe_Term_Limit, (PerMode{1, 1, 1}));
    }
  }
}

TEST_P(CatalogueDeviceTest, EntriesPastThePinsAndNodesAreZero) {
  for (int n = Entries(device()) + 1; n <= kPinEntries; ++n) {
    const PinEntry& e = device().pins[n - 1];
    SCOPED_TRACE(Where(device(), n));
    EXPECT_EQ(e.Pin_Class, (PerMode{}));
    EXPECT_EQ(e.Feedback, (PerMode{}));
    EXPECT_TRUE(e.Fixed_Name.empty());
    EXPECT_EQ(e.Term_Limit, (PerMode{}));
    EXPECT_EQ(e.Oe_Row, (PerMode{}));
    EXPECT_EQ(e.Input_Columns[2].true_column, 0);
    EXPECT_EQ(e.Term_Rows[0], 0);
    EXPECT_EQ(e.Olmc_Index[1], 0);
  }
}

TEST_P(CatalogueDeviceTest, FeedbackColumnsAndRowBlocksFollowTheMacrocell) {
  // In registered mode every macrocell feeds back on its own column pair, four columns apart.
  const int base = device().type == kGal20V8 ? 6 : 2;
  for (int n = 1; n <= device().Pin_Count; ++n) {
    const PinEntry& entry = device().pins[n - 1];
    const int cell = entry.Olmc_Index[0];
    if (cell == -1) continue;
    SCOPED_TRACE(Where(device(), n));
    EXPECT_EQ(entry.Input_Columns[2].true_column, base + 4 * cell);
    if (IsV8(device())) {
      EXPECT_EQ(entry.Term_Rows[7], device().First_Row + 8 * cell);
    } else {
      EXPECT_EQ(entry.Oe_Row[0], entry.Term_Rows[0] - 1);
    }
  }
}

TEST(CatalogueTest, GAL22V10PackagesShareOneArrayInEveryMode) {
  // The same die in two packages: the k-th output of each matches, and no value depends on the
  // mode.
  std::vector<const PinEntry*> outputs[2];
  for (int i = 0; i < 2; ++i) {
    const DeviceRecord& device = Devices()[i == 0 ? kGal22V10 : kIspGal22V10];
    for (int n = 1; n <= Entries(device); ++n) {
      const PinEntry& e = device.pins[n - 1];
      if (IsOutput(e)) outputs[i].push_back(&e);
      for (int m = 1; m < 3; ++m) {
        SCOPED_TRACE(Where(device, n, m));
        EXPECT_EQ(e.Pin_Class[m], e.Pin_Class[0]);
        EXPECT_EQ(e.Feedback[m], e.Feedback[0]);
        EXPECT_EQ(e.Term_Limit[m], e.Term_Limit[0]);
        EXPECT_EQ(e.Reg_Term_Limit[m], e.Reg_Term_Limit[0]);
        EXPECT_EQ(e.Oe_Term_Limit[m], e.Oe_Term_Limit[0]);
        EXPECT_EQ(e.Input_Columns[m].true_column, e.Input_Columns[0].true_column);
        EXPECT_EQ(e.Oe_Row[m], e.Oe_Row[0]);
      }
    }
  }
  ASSERT_EQ(outputs[0].size(), 12u);
  ASSERT_EQ(outputs[1].size(), 12u);
  for (std::size_t k = 0; k < 12; ++k) {
    const PinEntry& a = *outputs[0][k];
    const PinEntry& b = *outputs[1][k];
    SCOPED_TRACE("output " + std::to_string(k));
    EXPECT_EQ(a.Term_Rows, b.Term_Rows);
    EXPECT_EQ(a.Oe_Row, b.Oe_Row);
    EXPECT_EQ(a.Term_Limit, b.Term_Limit);
    EXPECT_EQ(a.Olmc_Index, b.Olmc_Index);
    EXPECT_EQ(a.Input_Columns[0].true_column, b.Input_Columns[0].true_column);
    EXPECT_EQ(a.Fixed_Name, b.Fixed_Name);
  }
}

TEST(CatalogueTest, HeaderValues) {
  struct Expected {
    std::string_view name;
    int pins, nodes, clock, default_mode, columns, first_row, end_row, fuses, reg_true;
  };
  const Expected expected[] = {
      {"GAL16V8", 20, 0, 1, kComplexMode, 32, 0, 64, 2194, 1},
      {"GAL20V8", 24, 0, 1, kComplexMode, 40, 8, 72, 2706, 1},
      {"GAL22V10", 24, 2, 1, kRegisteredMode, 44, 0, 132, 5828, 0},
      {"ispGAL22V10", 28, 2, 2, kRegisteredMode, 44, 0, 132, 5828, 0},
  };
  for (int t = 0; t < kDeviceCount; ++t) {
    const Expected& e = expected[t];
    const DeviceRecord& d = Devices()[t];
    SCOPED_TRACE(std::string(e.name));
    EXPECT_EQ(d.type, t);
    EXPECT_EQ(DeviceName(t), e.name);
    EXPECT_EQ(PinCount(t), e.pins);
    EXPECT_EQ(NodeCount(t), e.nodes);
    EXPECT_EQ(ClockPin(t), e.clock);
    EXPECT_EQ(DefaultMode(t), e.default_mode);
    EXPECT_EQ(UesBytes(t), 8);
    EXPECT_EQ(d.Columns, e.columns);
    EXPECT_EQ(d.First_Row, e.first_row);
    EXPECT_EQ(d.End_Row, e.end_row);
    EXPECT_EQ(d.Fuse_Count, e.fuses);
    EXPECT_EQ(d.Reg_Feedback_True, e.reg_true);
    EXPECT_EQ(ModeAllowed(e.default_mode, t), 1);
  }
}

TEST(CatalogueTest, NamesAreMatchedByteForByte) {
  for (int t = 0; t < kDeviceCount; ++t) EXPECT_EQ(FindDevice(DeviceName(t)), t);
  for (std::string_view wrong : {"GAL22v10", "gal16v8", "ISPGAL22V10", "GAL22V10 ", ""}) {
    EXPECT_EQ(FindDevice(wrong), -1) << wrong;
  }
  EXPECT_EQ(FindMode("Simple_Mode"), kSimpleMode);
  EXPECT_EQ(FindMode("SIMPLE_MODE"), kSimpleMode);
  EXPECT_EQ(FindMode("Complex_Mode"), kComplexMode);
  EXPECT_EQ(FindMode("COMPLEX_MODE"), kComplexMode);
  EXPECT_EQ(FindMode("Registered_Mode"), kRegisteredMode);
  EXPECT_EQ(FindMode("REGISTERED_MODE"), kRegisteredMode);
  for (std::string_view wrong : {"Complex", "Simple_mode", "complex_mode", ""}) {
    EXPECT_EQ(FindMode(wrong), -1) << wrong;
  }
  EXPECT_EQ(ModeName(kRegisteredMode), "Registered_Mode");
  EXPECT_TRUE(ModeName(3).empty());
}

TEST(CatalogueTest, ModeCodesNeedEveryBitAllowed) {
  EXPECT_EQ(ModeIndex(kComplexMode), 1);
  EXPECT_EQ(ModeIndex(kRegisteredMode), 2);
  for (int code : {0, 3, 6, 8, -1}) EXPECT_EQ(ModeIndex(code), 0) << code;
  EXPECT_EQ(ModeAllowed(kSimpleMode, kGal22V10), 0);
  EXPECT_EQ(ModeAllowed(kRegisteredMode, kGal22V10), 1);
  EXPECT_EQ(ModeAllowed(kSimpleMode, kIspGal22V10), 1);
  EXPECT_EQ(ModeAllowed(kSimpleMode | kRegisteredMode, kGal22V10), 0);
  EXPECT_EQ(ModeAllowed(kSimpleMode | kRegisteredMode, kGal16V8), 1);
  EXPECT_EQ(FixedName(kGal16V8, kRegisteredMode, 1), "CLK");
  EXPECT_TRUE(FixedName(kGal16V8, kComplexMode, 1).empty());
  EXPECT_TRUE(FixedName(kGal16V8, kComplexMode | kRegisteredMode, 11).empty());
  EXPECT_EQ(FixedName(kGal16V8, kComplexMode, 10), "GND");
  EXPECT_EQ(FixedName(kGal22V10, kRegisteredMode, 25), "AR");
  EXPECT_EQ(FixedName(kIspGal22V10, kSimpleMode, 22), "SDO");
}

TEST(CatalogueTest, InputColumnExchangesOnlyForRegisteredSignalsOnTheGAL22V10Family) {
  EXPECT_EQ(InputColumn(kGal22V10, kRegisteredMode, 14, 0, 1), 39);
  EXPECT_EQ(InputColumn(kGal22V10, kRegisteredMode, 14, 1, 1), 38);
  EXPECT_EQ(InputColumn(kGal22V10, kRegisteredMode, 14, 0, 0), 38);
  EXPECT_EQ(InputColumn(kGal22V10, kRegisteredMode, 14, 1, -1), 39);
  EXPECT_EQ(InputColumn(kIspGal22V10, kSimpleMode, 27, 0, 1), 3);
  for (int registered : {-1, 0, 1}) {
    EXPECT_EQ(InputColumn(kGal16V8, kRegisteredMode, 12, 0, registered), 30);
    EXPECT_EQ(InputColumn(kGal20V8, kRegisteredMode, 22, 1, registered), 7);
  }
  // The pair is the mode's own.
  EXPECT_EQ(InputColumn(kGal16V8, kSimpleMode, 12, 0, 0), 26);
  EXPECT_EQ(InputColumn(kGal16V8, kComplexMode, 12, 0, 0), -1);
  EXPECT_EQ(InputColumn(kGal20V8, kRegisteredMode, 14, 1, 0), 39);
}

// Spot values from each device's table, the two mended entries of each V8 device among them.
TEST(CatalogueTest, SpotValues) {
  EXPECT_EQ(HasFeedback(kGal16V8, kSimpleMode, 15), 0);
  EXPECT_EQ(HasFeedback(kGal16V8, kSimpleMode, 16), 0);
  EXPECT_EQ(HasFeedback(kGal16V8, kComplexMode, 16), 1);
  EXPECT_EQ(TermLimit(kGal16V8, kRegisteredMode, 17), 7);
  EXPECT_EQ(RegTermLimit(kGal16V8, kRegisteredMode, 17), 8);
  EXPECT_EQ(PinClass(kGal16V8, kComplexMode, 12), kPinOutput);
  EXPECT_EQ(TermRow(kGal16V8, 12, 7), 56);
  EXPECT_EQ(OeRow(kGal16V8, kComplexMode, 12), 56);
  EXPECT_EQ(OeRow(kGal16V8, kRegisteredMode, 12), -1);
  EXPECT_EQ(OeAllowed(kGal16V8, kComplexMode, 13), 1);
  EXPECT_EQ(OeAllowed(kGal16V8, kSimpleMode, 13), 0);
  EXPECT_EQ(OlmcIndex(kGal16V8, 16, 1), 3);

  EXPECT_EQ(HasFeedback(kGal20V8, kSimpleMode, 18), 0);
  EXPECT_EQ(HasFeedback(kGal20V8, kSimpleMode, 19), 0);
  EXPECT_EQ(TermLimit(kGal20V8, kRegisteredMode, 20), 7);
  EXPECT_EQ(TermRow(kGal20V8, 15, 0), 65);
  EXPECT_EQ(TermRow(kGal20V8, 22, 7), 8);
  EXPECT_EQ(InputColumn(kGal20V8, kSimpleMode, 11, 1, 0), 37);

  const int gal22v10_limits[] = {8, 10, 12, 14, 16, 16, 14, 12, 10, 8};
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(TermLimit(kGal22V10, kRegisteredMode, 14 + i), gal22v10_limits[i]) << 14 + i;
  }
  EXPECT_EQ(TermRow(kGal22V10, 18, 15), 82);
  EXPECT_EQ(TermRow(kGal22V10, 26, 0), 131);
  EXPECT_EQ(TermRow(kGal22V10, 26, 1), -1);
  EXPECT_EQ(RegTermLimit(kGal22V10, kRegisteredMode, 25), 0);
  EXPECT_EQ(OeAllowed(kGal22V10, kRegisteredMode, 25), 0);

  EXPECT_EQ(PinClass(kIspGal22V10, kComplexMode, 8), kPinFixed);
  EXPECT_EQ(InputColumn(kIspGal22V10, kSimpleMode, 16, 0, 0), 42);
  EXPECT_EQ(TermRow(kIspGal22V10, 23, 0), 50);
  EXPECT_EQ(OlmcIndex(kIspGal22V10, 21, 0), 5);
  EXPECT_EQ(TermRow(kIspGal22V10, 29, 0), 0);
}

TEST(CatalogueTest, OutOfRangeArgumentsReadNothing) {
  for (int t : {-1, kDeviceCount}) {
    EXPECT_TRUE(DeviceName(t).empty());
    EXPECT_EQ(ModeAllowed(kRegisteredMode, t), 0);
    EXPECT_EQ(PinClass(t, kSimpleMode, 2), 0);
    EXPECT_EQ(InputColumn(t, kSimpleMode, 2, 0, 0), -1);
  }
  // Pins 21..30 exist in the table of the GAL16V8 but not on the chip.
  for (int n : {0, 21, 30, 31}) {
    EXPECT_TRUE(FixedName(kGal16V8, kRegisteredMode, n).empty()) << n;
    EXPECT_EQ(TermLimit(kGal16V8, kComplexMode, n), 0) << n;
    EXPECT_EQ(TermRow(kGal16V8, n, 0), -1) << n;
    EXPECT_EQ(InputColumn(kGal16V8, kSimpleMode, n, 0, 0), -1) << n;
    EXPECT_EQ(OlmcIndex(kGal16V8, n, 0), -1) << n;
    EXPECT_EQ(OeRow(kGal16V8, kComplexMode, n), -1) << n;
  }
  EXPECT_EQ(TermRow(kGal22V10, 18, 16), -1);
  EXPECT_EQ(OlmcIndex(kGal22V10, 14, 2), -1);
}

}  // namespace
}  // namespace kem
