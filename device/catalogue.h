// The device catalogue: constant data for every supported GAL device (pins, modes, fixed names,
// product-term limits and where each signal and term lies in the fuse array), read through pure
// lookups. Nothing here changes at run time.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace kem {

// Device types; the value is the index of the device record and is what `Gal_Type` stores.
inline constexpr int kGal16V8 = 0;
inline constexpr int kGal20V8 = 1;
inline constexpr int kGal22V10 = 2;
inline constexpr int kIspGal22V10 = 3;
inline constexpr int kDeviceCount = 4;

// Mode codes (`Gal_Mode`): one bit each.
inline constexpr int kSimpleMode = 1;
inline constexpr int kComplexMode = 2;
inline constexpr int kRegisteredMode = 4;

// Pin classes (`Pin_Class`).
inline constexpr int kPinFixed = 1;
inline constexpr int kPinInput = 2;
inline constexpr int kPinInputOutput = 3;
inline constexpr int kPinOutput = 4;
inline constexpr int kPinOutputOrInput = 5;

inline constexpr int kPinEntries = 30;  // pin entries per device record, numbered 1..30
inline constexpr int kTermRowSlots = 16;

// A per-mode value: index 0 simple, 1 complex, 2 registered.
using PerMode = std::array<int, 3>;

struct ColumnPair {
  int true_column = -1;
  int complement_column = -1;
};

// One pin or node of a device. An absent entry is all zero (and never consulted).
struct PinEntry {
  PerMode Pin_Class{};
  PerMode Feedback{};
  std::string_view Fixed_Name{};  // empty: none
  int Fixed_Modes = 0;
  PerMode Term_Limit{};
  PerMode Reg_Term_Limit{};
  PerMode Oe_Term_Limit{};
  std::array<ColumnPair, 3> Input_Columns{};
  std::array<int, kTermRowSlots> Term_Rows{};
  PerMode Oe_Row{};
  std::array<int, 2> Olmc_Index{};
};

struct DeviceRecord {
  int type = 0;
  std::string_view name;
  int Mode_Mask = 0;
  int Default_Mode = 0;
  int Pin_Count = 0;
  int Node_Count = 0;
  int Clk_Index = 0;
  std::uint16_t Ues_Bytes = 0;
  int Columns = 0;
  int First_Row = 0;
  int End_Row = 0;
  int Fuse_Count = 0;
  int Reg_Feedback_True = 0;
  std::array<PinEntry, kPinEntries> pins{};  // pins[n - 1] describes pin or node n
};

// The whole catalogue, in `Gal_Type` order.
const std::array<DeviceRecord, kDeviceCount>& Devices();

// Name lookups: byte-exact. -1 when nothing matches.
int FindDevice(std::string_view name);
int FindMode(std::string_view name);
std::string_view DeviceName(int gal_type);

// Whether the device is of the V8 families (GAL16V8, GAL20V8), whose cells have modes.
bool IsV8(int gal_type);
std::string_view ModeName(int mode);  // mixed-case name; empty for a code not in the mode table
int ModeIndex(int mode);              // 0, 1 or 2; a code not in the mode table gives 0
int ModeAllowed(int mode, int gal_type);
int DefaultMode(int gal_type);
int PinCount(int gal_type);
int NodeCount(int gal_type);
int ClockPin(int gal_type);
int UesBytes(int gal_type);

// Per-pin lookups; n is the pin or node number, 1-based.
std::string_view FixedName(int gal_type, int mode, int n);  // empty: none
int PinClass(int gal_type, int mode, int n);
int HasFeedback(int gal_type, int mode, int n);
int OeAllowed(int gal_type, int mode, int n);
int TermLimit(int gal_type, int mode, int n);
int RegTermLimit(int gal_type, int mode, int n);
int OeTermLimit(int gal_type, int mode, int n);
// The terms an ordinary equation of the output may have: a registered one gets the register's.
int EquationTermLimit(int gal_type, int mode, int n, int reg);
int TermRow(int gal_type, int n, int k);
int InputColumn(int gal_type, int mode, int n, int negated, int registered);
int OlmcIndex(int gal_type, int n, int which);  // which: 0 polarity cell, 1 mode cell
int OeRow(int gal_type, int mode, int n);

}  // namespace kem
