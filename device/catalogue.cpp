#include "device/catalogue.h"

#include "device/catalogue_data.h"

namespace kem {
namespace {

struct ModeRecord {
  int code;
  std::string_view mixed_case;
  std::string_view upper_case;
};

constexpr std::array<ModeRecord, 3> kModes{{
    {kSimpleMode, "Simple_Mode", "SIMPLE_MODE"},
    {kComplexMode, "Complex_Mode", "COMPLEX_MODE"},
    {kRegisteredMode, "Registered_Mode", "REGISTERED_MODE"},
}};

// Device numbers and pin numbers may come from files the fitter reads back, so every lookup
// refuses what lies outside the table instead of reading past it.
const DeviceRecord* Device(int gal_type) {
  if (gal_type < 0 || gal_type >= kDeviceCount) return nullptr;
  return &kDeviceRecords[gal_type];
}

// The entry of pin or node n, or null when the device has no such pin or node.
const PinEntry* Entry(int gal_type, int n) {
  const DeviceRecord* device = Device(gal_type);
  if (device == nullptr || n < 1 || n > device->Pin_Count + device->Node_Count) return nullptr;
  return &device->pins[n - 1];
}

// The per-mode value of entry n, or `none` for an unknown device or pin.
int PerModeValue(int gal_type, int mode, int n, PerMode PinEntry::*field, int none) {
  const PinEntry* entry = Entry(gal_type, n);
  return entry == nullptr ? none : (entry->*field)[ModeIndex(mode)];
}

}  // namespace

const std::array<DeviceRecord, kDeviceCount>& Devices() {
  return kDeviceRecords;
}

int FindDevice(std::string_view name) {
  for (const DeviceRecord& device : kDeviceRecords) {
    if (device.name == name) return device.type;
  }
  return -1;
}

int FindMode(std::string_view name) {
  for (const ModeRecord& mode : kModes) {
    if (mode.mixed_case == name || mode.upper_case == name) return mode.code;
  }
  return -1;
}

bool IsV8(int gal_type) {
  return gal_type == kGal16V8 || gal_type == kGal20V8;
}

std::string_view DeviceName(int gal_type) {
  const DeviceRecord* device = Device(gal_type);
  return device == nullptr ? std::string_view{} : device->name;
}

std::string_view ModeName(int mode) {
  for (const ModeRecord& record : kModes) {
    if (record.code == mode) return record.mixed_case;
  }
  return {};
}

int ModeIndex(int mode) {
  for (int i = 0; i < static_cast<int>(kModes.size()); ++i) {
    if (kModes[i].code == mode) return i;
  }
  return 0;
}

int ModeAllowed(int mode, int gal_type) {
  const DeviceRecord* device = Device(gal_type);
  return device != nullptr && (mode & device->Mode_Mask) == mode ? 1 : 0;
}

int DefaultMode(int gal_type) {
  const DeviceRecord* device = Device(gal_type);
  return device == nullptr ? 0 : device->Default_Mode;
}

int PinCount(int gal_type) {
  const DeviceRecord* device = Device(gal_type);
  return device == nullptr ? 0 : device->Pin_Count;
}

int NodeCount(int gal_type) {
  const DeviceRecord* device = Device(gal_type);
  return device == nullptr ? 0 : device->Node_Count;
}

int ClockPin(int gal_type) {
  const DeviceRecord* device = Device(gal_type);
  return device == nullptr ? -1 : device->Clk_Index + 1;
}

int UesBytes(int gal_type) {
  const DeviceRecord* device = Device(gal_type);
  return device == nullptr ? 0 : device->Ues_Bytes;
}

std::string_view FixedName(int gal_type, int mode, int n) {
  const PinEntry* entry = Entry(gal_type, n);
  if (entry == nullptr || (mode & entry->Fixed_Modes) != mode) return {};
  return entry->Fixed_Name;
}

int PinClass(int gal_type, int mode, int n) {
  return PerModeValue(gal_type, mode, n, &PinEntry::Pin_Class, 0);
}

int HasFeedback(int gal_type, int mode, int n) {
  return PerModeValue(gal_type, mode, n, &PinEntry::Feedback, 0);
}

int OeAllowed(int gal_type, int mode, int n) {
  return OeTermLimit(gal_type, mode, n) > 0 ? 1 : 0;
}

int TermLimit(int gal_type, int mode, int n) {
  return PerModeValue(gal_type, mode, n, &PinEntry::Term_Limit, 0);
}

int RegTermLimit(int gal_type, int mode, int n) {
  return PerModeValue(gal_type, mode, n, &PinEntry::Reg_Term_Limit, 0);
}

int OeTermLimit(int gal_type, int mode, int n) {
  return PerModeValue(gal_type, mode, n, &PinEntry::Oe_Term_Limit, 0);
}

int EquationTermLimit(int gal_type, int mode, int n, int reg) {
  return reg == 1 ? RegTermLimit(gal_type, mode, n) : TermLimit(gal_type, mode, n);
}

int TermRow(int gal_type, int n, int k) {
  const PinEntry* entry = Entry(gal_type, n);
  if (entry == nullptr || k < 0 || k >= kTermRowSlots) return -1;
  return entry->Term_Rows[k];
}

int InputColumn(int gal_type, int mode, int n, int negated, int registered) {
  const PinEntry* entry = Entry(gal_type, n);
  if (entry == nullptr) return -1;
  const ColumnPair& pair = entry->Input_Columns[ModeIndex(mode)];
  // On the GAL22V10 family a register is read back inverted, so its true signal lies on the
  // complement column.
  const bool exchange = kDeviceRecords[gal_type].Reg_Feedback_True == 0 && registered == 1;
  return (negated != 0) != exchange ? pair.complement_column : pair.true_column;
}

int OlmcIndex(int gal_type, int n, int which) {
  const PinEntry* entry = Entry(gal_type, n);
  if (entry == nullptr || which < 0 || which > 1) return -1;
  return entry->Olmc_Index[which];
}

int OeRow(int gal_type, int mode, int n) {
  return PerModeValue(gal_type, mode, n, &PinEntry::Oe_Row, -1);
}

}  // namespace kem
