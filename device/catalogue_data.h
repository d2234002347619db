// The values of the device catalogue, one record per device in `Gal_Type` order. Each pin line
// mirrors one row of the devices' pin tables; a row number or column here is a fuse on the chip.
#pragma once

#include <array>
#include <string_view>

#include "device/catalogue.h"

namespace kem {
namespace catalogue_detail {

inline constexpr int kAllModes = kSimpleMode | kComplexMode | kRegisteredMode;
inline constexpr ColumnPair kNoColumns{-1, -1};
inline constexpr PerMode kNone{-1, -1, -1};
inline constexpr PerMode kZero{0, 0, 0};

constexpr PerMode All(int v) {
  return {v, v, v};
}

constexpr std::array<ColumnPair, 3> Cols(ColumnPair simple, ColumnPair complex,
                                         ColumnPair registered) {
  return {simple, complex, registered};
}

constexpr std::array<int, kTermRowSlots> NoRows() {
  std::array<int, kTermRowSlots> rows{};
  rows.fill(-1);
  return rows;
}

// Rows first..last in slots 0.., then `tail` (if any) in the next slot; the rest -1.
constexpr std::array<int, kTermRowSlots> Rows(int first, int last, int tail = -1) {
  std::array<int, kTermRowSlots> rows = NoRows();
  int k = 0;
  for (int row = first; row <= last; ++row) rows[k++] = row;
  if (tail >= 0) rows[k] = tail;
  return rows;
}

// A pin or node with every field given per mode.
constexpr PinEntry Pin(PerMode pin_class, PerMode feedback, std::string_view fixed_name,
                       int fixed_modes, PerMode terms, PerMode reg_terms, PerMode oe_terms,
                       std::array<ColumnPair, 3> columns, std::array<int, kTermRowSlots> rows,
                       PerMode oe_row, int olmc) {
  return PinEntry{pin_class, feedback, fixed_name, fixed_modes, terms,       reg_terms,
                  oe_terms,  columns,  rows,       oe_row,      {olmc, olmc}};
}

// A pin or node whose fields are the same in every mode.
constexpr PinEntry Uniform(int pin_class, int feedback, std::string_view fixed_name,
                           int fixed_modes, int terms, int reg_terms, int oe_terms,
                           ColumnPair columns, std::array<int, kTermRowSlots> rows, int oe_row,
                           int olmc) {
  return Pin(All(pin_class), All(feedback), fixed_name, fixed_modes, All(terms), All(reg_terms),
             All(oe_terms), Cols(columns, columns, columns), rows, All(oe_row), olmc);
}

// A dedicated input read on the same column pair in every mode.
constexpr PinEntry Input(ColumnPair columns) {
  return Uniform(kPinInput, 0, {}, 0, 0, 0, 0, columns, NoRows(), -1, -1);
}

// A dedicated input whose column pair depends on the mode.
constexpr PinEntry Input(ColumnPair simple, ColumnPair complex, ColumnPair registered) {
  return Pin(All(kPinInput), kZero, {}, 0, kZero, kZero, kZero, Cols(simple, complex, registered),
             NoRows(), kNone, -1);
}

// A supply or programming pin: fixed in every mode, never read or assigned.
constexpr PinEntry Fixed(std::string_view name) {
  return Uniform(kPinFixed, 0, name, kAllModes, 0, 0, 0, kNoColumns, NoRows(), -1, -1);
}

// GAL22V10-family output macrocell: its terms, column pair, rows, output-enable row and cell pair.
constexpr PinEntry Output(int terms, ColumnPair columns, std::array<int, kTermRowSlots> rows,
                          int oe_row, int olmc) {
  return Uniform(kPinInputOutput, 1, {}, 0, terms, terms, 1, columns, rows, oe_row, olmc);
}

// GAL22V10-family node (AR, SP): one combinational term in a single row.
constexpr PinEntry Node(std::string_view name, int row) {
  return Uniform(kPinOutput, 0, name, kAllModes, 1, 0, 0, kNoColumns, Rows(row, row), -1, -1);
}

inline constexpr PerMode kV8Reg{0, 0, 8};
inline constexpr PerMode kV8Oe{0, 1, 0};

}  // namespace catalogue_detail

inline constexpr std::array<DeviceRecord, kDeviceCount> kDeviceRecords = [] {
  using namespace catalogue_detail;
  std::array<DeviceRecord, kDeviceCount> devices{{
      {
          .type = kGal16V8,
          .name = "GAL16V8",
          .Mode_Mask = 7,
          .Default_Mode = kComplexMode,
          .Pin_Count = 20,
          .Node_Count = 0,
          .Clk_Index = 0,
          .Ues_Bytes = 8,
          .Columns = 32,
          .First_Row = 0,
          .End_Row = 64,
          .Fuse_Count = 2194,
          .Reg_Feedback_True = 1,
          .pins = {{
              /* 1 */ Pin({2, 2, 1}, kZero, "CLK", kRegisteredMode, kZero, kZero, kZero,
                          Cols({2, 3}, {2, 3}, kNoColumns), NoRows(), kNone, -1),
              /* 2 */ Input({0, 1}),
              /* 3 */ Input({4, 5}),
              /* 4 */ Input({8, 9}),
              /* 5 */ Input({12, 13}),
              /* 6 */ Input({16, 17}),
              /* 7 */ Input({20, 21}),
              /* 8 */ Input({24, 25}),
              /* 9 */ Input({28, 29}),
              /* 10 */ Fixed("GND"),
              /* 11 */
              Pin({2, 2, 1}, kZero, "NOE", kRegisteredMode, kZero, kZero, kZero,
                  Cols({30, 31}, {30, 31}, kNoColumns), NoRows(), kNone, -1),
              // Outputs: Term_Limit 8/7/7, since in registered mode the first row of a
              // combinational output's block drives its output enable.
              /* 12 */
              Pin({5, 4, 3}, {1, 0, 1}, {}, 0, {8, 7, 7}, kV8Reg, kV8Oe,
                  Cols({26, 27}, kNoColumns, {30, 31}), Rows(57, 63, 56), {-1, 56, -1}, 7),
              /* 13 */
              Pin({5, 3, 3}, All(1), {}, 0, {8, 7, 7}, kV8Reg, kV8Oe,
                  Cols({22, 23}, {26, 27}, {26, 27}), Rows(49, 55, 48), {-1, 48, -1}, 6),
              /* 14 */
              Pin({5, 3, 3}, All(1), {}, 0, {8, 7, 7}, kV8Reg, kV8Oe,
                  Cols({18, 19}, {22, 23}, {22, 23}), Rows(41, 47, 40), {-1, 40, -1}, 5),
              // Pins 15 and 16 have no path back into the array in simple mode: Feedback 0/1/1.
              /* 15 */
              Pin({4, 3, 3}, {0, 1, 1}, {}, 0, {8, 7, 7}, kV8Reg, kV8Oe,
                  Cols(kNoColumns, {18, 19}, {18, 19}), Rows(33, 39, 32), {-1, 32, -1}, 4),
              /* 16 */
              Pin({4, 3, 3}, {0, 1, 1}, {}, 0, {8, 7, 7}, kV8Reg, kV8Oe,
                  Cols(kNoColumns, {14, 15}, {14, 15}), Rows(25, 31, 24), {-1, 24, -1}, 3),
              /* 17 */
              Pin({5, 3, 3}, All(1), {}, 0, {8, 7, 7}, kV8Reg, kV8Oe,
                  Cols({14, 15}, {10, 11}, {10, 11}), Rows(17, 23, 16), {-1, 16, -1}, 2),
              /* 18 */
              Pin({5, 3, 3}, All(1), {}, 0, {8, 7, 7}, kV8Reg, kV8Oe,
                  Cols({10, 11}, {6, 7}, {6, 7}), Rows(9, 15, 8), {-1, 8, -1}, 1),
              /* 19 */
              Pin({5, 4, 3}, {1, 0, 1}, {}, 0, {8, 7, 7}, kV8Reg, kV8Oe,
                  Cols({6, 7}, kNoColumns, {2, 3}), Rows(1, 7, 0), {-1, 0, -1}, 0),
              /* 20 */ Fixed("VCC"),
          }},
      },
      {
          .type = kGal20V8,
          .name = "GAL20V8",
          .Mode_Mask = 7,
          .Default_Mode = kComplexMode,
          .Pin_Count = 24,
          .Node_Count = 0,
          .Clk_Index = 0,
          .Ues_Bytes = 8,
          .Columns = 40,
          .First_Row = 8,
          .End_Row = 72,
          .Fuse_Count = 2706,
          .Reg_Feedback_True = 1,
          .pins = {{
              /* 1 */ Pin({2, 2, 1}, kZero, "CLK", kRegisteredMode, kZero, kZero, kZero,
                          Cols({2, 3}, {2, 3}, kNoColumns), NoRows(), kNone, -1),
              /* 2 */ Input({0, 1}),
              /* 3 */ Input({4, 5}),
              /* 4 */ Input({8, 9}),
              /* 5 */ Input({12, 13}),
              /* 6 */ Input({16, 17}),
              /* 7 */ Input({20, 21}),
              /* 8 */ Input({24, 25}),
              /* 9 */ Input({28, 29}),
              /* 10 */ Input({32, 33}),
              /* 11 */ Input({36, 37}),
              /* 12 */ Fixed("GND"),
              /* 13 */
              Pin({2, 2, 1}, kZero, "NOE", kRegisteredMode, kZero, kZero, kZero,
                  Cols({38, 39}, {38, 39}, kNoColumns), NoRows(), kNone, -1),
              /* 14 */ Input({34, 35}, {34, 35}, {38, 39}),
              // Outputs: Term_Limit 8/7/7, since in registered mode the first row of a
              // combinational output's block drives its output enable.
              /* 15 */
              Pin({5, 4, 3}, {1, 0, 1}, {}, 0, {8, 7, 7}, kV8Reg, kV8Oe,
                  Cols({30, 31}, kNoColumns, {34, 35}), Rows(65, 71, 64), {-1, 64, -1}, 7),
              /* 16 */
              Pin({5, 3, 3}, All(1), {}, 0, {8, 7, 7}, kV8Reg, kV8Oe,
                  Cols({26, 27}, {30, 31}, {30, 31}), Rows(57, 63, 56), {-1, 56, -1}, 6),
              /* 17 */
              Pin({5, 3, 3}, All(1), {}, 0, {8, 7, 7}, kV8Reg, kV8Oe,
                  Cols({22, 23}, {26, 27}, {26, 27}), Rows(49, 55, 48), {-1, 48, -1}, 5),
              // Pins 18 and 19 have no path back into the array in simple mode: Feedback 0/1/1.
              /* 18 */
              Pin({4, 3, 3}, {0, 1, 1}, {}, 0, {8, 7, 7}, kV8Reg, kV8Oe,
                  Cols(kNoColumns, {22, 23}, {22, 23}), Rows(41, 47, 40), {-1, 40, -1}, 4),
              /* 19 */
              Pin({4, 3, 3}, {0, 1, 1}, {}, 0, {8, 7, 7}, kV8Reg, kV8Oe,
                  Cols(kNoColumns, {18, 19}, {18, 19}), Rows(33, 39, 32), {-1, 32, -1}, 3),
              /* 20 */
              Pin({5, 3, 3}, All(1), {}, 0, {8, 7, 7}, kV8Reg, kV8Oe,
                  Cols({18, 19}, {14, 15}, {14, 15}), Rows(25, 31, 24), {-1, 24, -1}, 2),
              /* 21 */
              Pin({5, 3, 3}, All(1), {}, 0, {8, 7, 7}, kV8Reg, kV8Oe,
                  Cols({14, 15}, {10, 11}, {10, 11}), Rows(17, 23, 16), {-1, 16, -1}, 1),
              /* 22 */
              Pin({5, 4, 3}, {1, 0, 1}, {}, 0, {8, 7, 7}, kV8Reg, kV8Oe,
                  Cols({10, 11}, kNoColumns, {6, 7}), Rows(9, 15, 8), {-1, 8, -1}, 0),
              /* 23 */ Input({6, 7}, {6, 7}, {2, 3}),
              /* 24 */ Fixed("VCC"),
          }},
      },
      {
          .type = kGal22V10,
          .name = "GAL22V10",
          .Mode_Mask = kRegisteredMode,
          .Default_Mode = kRegisteredMode,
          .Pin_Count = 24,
          .Node_Count = 2,
          .Clk_Index = 0,
          .Ues_Bytes = 8,
          .Columns = 44,
          .First_Row = 0,
          .End_Row = 132,
          .Fuse_Count = 5828,
          .Reg_Feedback_True = 0,
          .pins = {{
              /* 1 */ Input({0, 1}),
              /* 2 */ Input({4, 5}),
              /* 3 */ Input({8, 9}),
              /* 4 */ Input({12, 13}),
              /* 5 */ Input({16, 17}),
              /* 6 */ Input({20, 21}),
              /* 7 */ Input({24, 25}),
              /* 8 */ Input({28, 29}),
              /* 9 */ Input({32, 33}),
              /* 10 */ Input({36, 37}),
              /* 11 */ Input({40, 41}),
              /* 12 */ Fixed("GND"),
              /* 13 */ Input({42, 43}),
              /* 14 */ Output(8, {38, 39}, Rows(123, 130), 122, 9),
              /* 15 */ Output(10, {34, 35}, Rows(112, 121), 111, 8),
              /* 16 */ Output(12, {30, 31}, Rows(99, 110), 98, 7),
              /* 17 */ Output(14, {26, 27}, Rows(84, 97), 83, 6),
              /* 18 */ Output(16, {22, 23}, Rows(67, 82), 66, 5),
              /* 19 */ Output(16, {18, 19}, Rows(50, 65), 49, 4),
              /* 20 */ Output(14, {14, 15}, Rows(35, 48), 34, 3),
              /* 21 */ Output(12, {10, 11}, Rows(22, 33), 21, 2),
              /* 22 */ Output(10, {6, 7}, Rows(11, 20), 10, 1),
              /* 23 */ Output(8, {2, 3}, Rows(2, 9), 1, 0),
              /* 24 */ Fixed("VCC"),
              /* 25 */ Node("AR", 0),
              /* 26 */ Node("SP", 131),
          }},
      },
      {
          .type = kIspGal22V10,
          .name = "ispGAL22V10",
          .Mode_Mask = 7,
          .Default_Mode = kRegisteredMode,
          .Pin_Count = 28,
          .Node_Count = 2,
          .Clk_Index = 1,
          .Ues_Bytes = 8,
          .Columns = 44,
          .First_Row = 0,
          .End_Row = 132,
          .Fuse_Count = 5828,
          .Reg_Feedback_True = 0,
          .pins = {{
              /* 1 */ Fixed("SCLK"),
              /* 2 */ Input({0, 1}),
              /* 3 */ Input({4, 5}),
              /* 4 */ Input({8, 9}),
              /* 5 */ Input({12, 13}),
              /* 6 */ Input({16, 17}),
              /* 7 */ Input({20, 21}),
              /* 8 */ Fixed("MODE"),
              /* 9 */ Input({24, 25}),
              /* 10 */ Input({28, 29}),
              /* 11 */ Input({32, 33}),
              /* 12 */ Input({36, 37}),
              /* 13 */ Input({40, 41}),
              /* 14 */ Fixed("GND"),
              /* 15 */ Fixed("SDI"),
              /* 16 */ Input({42, 43}),
              /* 17 */ Output(8, {38, 39}, Rows(123, 130), 122, 9),
              /* 18 */ Output(10, {34, 35}, Rows(112, 121), 111, 8),
              /* 19 */ Output(12, {30, 31}, Rows(99, 110), 98, 7),
              /* 20 */ Output(14, {26, 27}, Rows(84, 97), 83, 6),
              /* 21 */ Output(16, {22, 23}, Rows(67, 82), 66, 5),
              /* 22 */ Fixed("SDO"),
              /* 23 */ Output(16, {18, 19}, Rows(50, 65), 49, 4),
              /* 24 */ Output(14, {14, 15}, Rows(35, 48), 34, 3),
              /* 25 */ Output(12, {10, 11}, Rows(22, 33), 21, 2),
              /* 26 */ Output(10, {6, 7}, Rows(11, 20), 10, 1),
              /* 27 */ Output(8, {2, 3}, Rows(2, 9), 1, 0),
              /* 28 */ Fixed("VCC"),
              /* 29 */ Node("AR", 0),
              /* 30 */ Node("SP", 131),
          }},
      },
  }};
  // Entries past the device's pins and nodes are all zero, column pairs included.
  for (DeviceRecord& device : devices) {
    for (int i = device.Pin_Count + device.Node_Count; i < kPinEntries; ++i) {
      device.pins[i] = PinEntry{};
      device.pins[i].Input_Columns.fill(ColumnPair{0, 0});
    }
  }
  return devices;
}();

}  // namespace kem
