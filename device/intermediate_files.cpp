#include "device/intermediate_files.h"

#include <charconv>
#include <initializer_list>

#include "common/format.h"
#include "device/catalogue.h"

namespace kem {

bool NextToken(std::istream& in, std::string& token) {
  token.clear();
  return static_cast<bool>(in >> token);
}

namespace {

constexpr std::string_view kNoUserId = "__LEER";

std::string Number(int value) {
  return std::to_string(value);
}

bool ParseInt(const std::string& token, int& value) {
  const char* end = token.data() + token.size();
  auto [stop, error] = std::from_chars(token.data(), end, value);
  return error == std::errc() && stop == end;
}

bool SkipToken(std::istream& in) {
  std::string ignored;
  return NextToken(in, ignored);
}

bool ReadInt(std::istream& in, int& value) {
  std::string token;
  return NextToken(in, token) && ParseInt(token, value);
}

// The values a field may hold, one bit per value from -1 on.
constexpr unsigned Values(std::initializer_list<int> values) {
  unsigned bits = 0;
  for (int value : values) bits |= 1u << (value + 1);
  return bits;
}

bool OneOf(int value, unsigned values) {
  return value >= -1 && value < 31 && ((values >> (value + 1)) & 1u) != 0;
}

struct FieldRange {
  int PinRecord::*field;
  unsigned values;
};

constexpr FieldRange kFieldRanges[] = {
    {&PinRecord::Pin_or_Node, Values({kPin, kNode})},
    {&PinRecord::IO, Values({kIoUnused, kIoInput, kIoOutput, kIoOutputReadBack, kIoUnavailable})},
    {&PinRecord::Pol, Values({0, 1})},
    {&PinRecord::Reg, Values({-1, 0, 1})},
    {&PinRecord::Trst, Values({-1, 1})},
};

int ClassOf(const DesignValues& d, const PinRecord& r) {
  return PinClass(d.Gal_Type, d.Gal_Mode, r.Number);
}

// What the device gives the record's pin or node in the design's mode. A hand-edited file that
// breaks one of these would be fitted into a chip that computes something else, or that our own
// simulator calls damaged. (A literal without an input column fails where it is placed.)
using RecordRule = bool (*)(const DesignValues&, const PinRecord&);
constexpr RecordRule kRecordRules[] = {
    [](const DesignValues& d, const PinRecord& r) {
      return ClassOf(d, r) != kPinFixed || r.IO == kIoUnavailable;
    },
    // Only a macrocell's pin or a node can drive.
    [](const DesignValues& d, const PinRecord& r) {
      const int pin_class = ClassOf(d, r);
      return !IsOutput(r) || pin_class == kPinInputOutput || pin_class == kPinOutput ||
             pin_class == kPinOutputOrInput;
    },
    // Only an output pin's equation can be written for its complement; a node has no polarity.
    [](const DesignValues&, const PinRecord& r) {
      return r.Pol == 1 || (IsOutput(r) && r.Pin_or_Node == kPin);
    },
    [](const DesignValues&, const PinRecord& r) { return r.Reg == -1 || IsOutput(r); },
    // A register only where the macrocell has one in this mode (none on a GAL16V8 or GAL20V8
    // outside registered mode, none for AR and SP).
    [](const DesignValues& d, const PinRecord& r) {
      return r.Reg != 1 || RegTermLimit(d.Gal_Type, d.Gal_Mode, r.Number) > 0;
    },
    [](const DesignValues& d, const PinRecord& r) {
      return r.Trst != 1 || (IsOutput(r) && OeAllowed(d.Gal_Type, d.Gal_Mode, r.Number));
    },
};

// Whether every field of the record, read from line `line` of the table with `reserved` as its
// Res field, holds a value the compiler writes.
bool FieldsInRange(const DesignValues& design, const PinRecord& r, int line, int reserved) {
  if (r.Number != line + 1) return false;  // pins in order, then nodes
  for (const FieldRange& range : kFieldRanges) {
    if (!OneOf(r.*range.field, range.values)) return false;
  }
  if ((r.Pin_or_Node == kNode) != (r.Number > PinCount(design.Gal_Type))) return false;
  const bool fixed = !FixedName(design.Gal_Type, design.Gal_Mode, r.Number).empty();
  return reserved == (fixed ? 1 : 0);
}

}  // namespace

void WriteText(std::FILE* file, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), file);
}

void WriteListingHeader(std::FILE* listing, const DesignValues& design, const PinTable& pins) {
  WriteText(listing,
            FormatText("CHIP %s %s %s\n\n", {design.Design_Name, DeviceName(design.Gal_Type),
                                             ModeName(design.Gal_Mode)}));
  const int pin_count = PinCount(design.Gal_Type);
  for (int i = 0; i < pin_count && i < pins.design_record_count(); ++i) {
    WriteText(listing, FormatText("%s ", {pins.record(pins.first_design_record() + i).name}));
    if (i == pin_count / 2) WriteText(listing, "\n");
  }
  WriteText(listing, "\n\n");
}

void WriteSymbolTableBlock(std::FILE* intermediate, const DesignValues& design,
                           const PinTable& pins) {
  WriteText(intermediate, "\n\n");
  WriteText(intermediate, FormatText("%s\n", {kSymbolTableMarker}));
  WriteText(intermediate, FormatText("Design_Name: %s\n", {design.Design_Name}));
  WriteText(intermediate, FormatText("Gal_Type: %d\n", {Number(design.Gal_Type)}));
  WriteText(intermediate, FormatText("Gal_Mode: %d\n", {Number(design.Gal_Mode)}));
  WriteText(intermediate, FormatText("Clk_Pin: %d\n", {Number(ClockPin(design.Gal_Type))}));
  WriteText(intermediate,
            FormatText("User_ID: %s\n", {design.user_id.empty() ? kNoUserId : design.user_id}));
  WriteText(intermediate, "\n");
  for (int i = pins.first_design_record(); i <= pins.count(); ++i) {
    const PinRecord& r = pins.record(i);
    const bool reserved = !FixedName(design.Gal_Type, design.Gal_Mode, r.Number).empty();
    WriteText(intermediate,
              FormatText("Pin_Node: %s Pin_or_Node: %d Number: %d Pol: %d IO: %d Reg: %d Trst: "
                         "%d Res: %d\n",
                         {r.name, Number(r.Pin_or_Node), Number(r.Number), Number(r.Pol),
                          Number(r.IO), Number(r.Reg), Number(r.Trst), Number(reserved ? 1 : 0)}));
  }
}

int OutputFiles::OpenOutputs(const std::string& listing_name, const std::string& intermediate_name,
                             const DesignValues& design, const PinTable& pins,
                             std::string* failed_name) {
  Discard();
  if (listing_name.empty() || intermediate_name.empty()) return 0;
  if (!listing_.Create(listing_name)) {
    if (failed_name) *failed_name = listing_name;
    return 0;
  }
  WriteListingHeader(listing_.stream(), design, pins);
  if (!intermediate_.Create(intermediate_name)) {
    listing_.Finish();
    if (failed_name) *failed_name = intermediate_name;
    return 0;
  }
  return 1;
}

int OutputFiles::CloseOutputs(const DesignValues& design, const PinTable& pins,
                              std::string* failed_name) {
  if (intermediate_.is_open()) WriteSymbolTableBlock(intermediate_.stream(), design, pins);
  return FinishAsTheyStand(failed_name);
}

int OutputFiles::FinishAsTheyStand(std::string* failed_name) {
  int whole = 1;
  for (OutputFile* file : {&listing_, &intermediate_}) {
    if (!file->is_open() || file->Finish()) continue;
    if (whole && failed_name) *failed_name = file->path();
    whole = 0;
  }
  return whole;
}

bool OutputFiles::Publish(std::string* failed_name) {
  bool published = true;
  for (OutputFile* file : {&listing_, &intermediate_}) {
    if (!file->finished() || file->Publish()) continue;
    if (published && failed_name) *failed_name = file->path();
    published = false;
  }
  return published;
}

void OutputFiles::Discard() {
  listing_.Discard();
  intermediate_.Discard();
}

int ReadSymbolTable(std::istream& in, DesignValues& design, PinTable& pins) {
  std::string token;
  do {
    if (!NextToken(in, token)) return 0;
  } while (token != kSymbolTableMarker);

  pins.Reset(1);
  DesignValues read;
  int clock_pin = 0;
  if (!SkipToken(in) || !NextToken(in, read.Design_Name)) return 0;
  if (!SkipToken(in) || !ReadInt(in, read.Gal_Type)) return 0;
  if (!SkipToken(in) || !ReadInt(in, read.Gal_Mode)) return 0;
  if (!SkipToken(in) || !ReadInt(in, clock_pin)) return 0;
  if (!SkipToken(in) || !NextToken(in, read.user_id)) return 0;
  if (read.user_id == kNoUserId) read.user_id.clear();
  // Every later lookup indexes the catalogue with these values.
  if (read.Gal_Type < 0 || read.Gal_Type >= kDeviceCount || ModeName(read.Gal_Mode).empty() ||
      !ModeAllowed(read.Gal_Mode, read.Gal_Type) || clock_pin != ClockPin(read.Gal_Type))
    return 0;

  const int lines = PinCount(read.Gal_Type) + NodeCount(read.Gal_Type);
  for (int line = 0; line < lines; ++line) {
    PinRecord r;
    if (!SkipToken(in) || !NextToken(in, r.name)) return 0;
    if (!SkipToken(in) || !ReadInt(in, r.Pin_or_Node)) return 0;
    if (!SkipToken(in) || !ReadInt(in, r.Number)) return 0;
    if (!SkipToken(in) || !ReadInt(in, r.Pol)) return 0;
    if (!SkipToken(in) || !ReadInt(in, r.IO)) return 0;
    if (!SkipToken(in) || !ReadInt(in, r.Reg)) return 0;
    if (!SkipToken(in) || !ReadInt(in, r.Trst)) return 0;
    int reserved = 0;
    if (!SkipToken(in) || !ReadInt(in, reserved)) return 0;
    if (!FieldsInRange(read, r, line, reserved)) return 0;
    if (!pins.Add(std::move(r))) return 0;
  }
  design = std::move(read);
  return 1;
}

bool RecordsFitTheMode(const DesignValues& design, const PinTable& pins) {
  for (int i = pins.first_design_record(); i <= pins.count(); ++i) {
    for (RecordRule fits : kRecordRules) {
      if (!fits(design, pins.record(i))) return false;
    }
  }
  return true;
}

}  // namespace kem
