#include "interchange/chip_function.h"

#include <algorithm>

#include "common/format.h"
#include "device/catalogue.h"
#include "device/jedec_writer.h"
#include "interchange/interchange_messages.h"

namespace kem {

namespace {

constexpr int kGal22V10FusesWithoutSignature = 5828;

ChipLayout LayoutOfGal(int gal_type) {
  switch (gal_type) {
    case kGal16V8:
      return ChipLayout::kSeries16;
    case kGal20V8:
      return ChipLayout::kSeries20;
    case kGal22V10:
      return ChipLayout::kGal22V10;
  }
  return ChipLayout::kIspGal22V10;
}

// The row as a term over pin levels; none when it can never be true.
std::optional<ChipTerm> TermOfRow(const DeviceSimulator& device, int row) {
  if (!device.RowCanBeTrue(row)) return std::nullopt;
  ChipTerm term{row, {}};
  for (const DeviceSimulator::RowLiteral& literal : device.RowLiterals(row)) {
    if (literal.pin == 0) return std::nullopt;  // a column no pin drives reads as false
    bool inverted = literal.inverted;
    // The GAL22V10 family reads a register back from its inverted output, before the polarity
    // cell: as a pin level that is the complement exactly for an active-high output.
    const DeviceSimulator::Macrocell* cell = device.MacrocellOfPin(literal.pin);
    if (!IsV8(device.gal_type()) && cell != nullptr && cell->drives && cell->registered &&
        cell->active_high)
      inverted = !inverted;
    term.literals.push_back({literal.pin, inverted});
  }
  return term;
}

ChipSum SumOfRows(const DeviceSimulator& device, const std::vector<int>& rows) {
  ChipSum sum;
  for (int row : rows) {
    if (std::optional<ChipTerm> term = TermOfRow(device, row)) sum.push_back(std::move(*term));
  }
  return sum;
}

ChipSum EnableOf(const DeviceSimulator& device, const DeviceSimulator::Macrocell& cell) {
  switch (cell.enable) {
    case DeviceSimulator::Enable::kAlways:
      return {ChipTerm{}};
    case DeviceSimulator::Enable::kRow:
      return SumOfRows(device, {cell.oe_row});
    case DeviceSimulator::Enable::kOePin:
      break;
  }
  // The output-enable pin is active low.
  return {ChipTerm{-1, {{device.gal_type() == kGal16V8 ? 11 : 13, true}}}};
}

bool AlwaysTrue(const ChipSum& sum) {
  for (const ChipTerm& term : sum) {
    if (term.literals.empty()) return true;
  }
  return false;
}

ChipPinKind KindOf(const DeviceSimulator::Macrocell& cell, const ChipSum& enable) {
  if (!cell.drives) return ChipPinKind::kNotDriven;
  // A register keeps its state and feedback while its pin is never driven.
  if (cell.registered) return ChipPinKind::kRegistered;
  if (enable.empty()) return ChipPinKind::kNotDriven;
  return AlwaysTrue(enable) ? ChipPinKind::kCombinational : ChipPinKind::kBus;
}

bool SumReads(const ChipSum& sum, int pin) {
  for (const ChipTerm& term : sum) {
    for (const ChipLiteral& literal : term.literals) {
      if (literal.pin == pin) return true;
    }
  }
  return false;
}

}  // namespace

bool ReadsPin(const ChipFunction& chip, int pin) {
  for (const ChipOutput& output : chip.outputs) {
    if (SumReads(output.terms, pin) || SumReads(output.enable, pin)) return true;
  }
  return SumReads(chip.reset, pin) || SumReads(chip.preset, pin);
}

bool HasRegister(const ChipFunction& chip) {
  return std::any_of(chip.outputs.begin(), chip.outputs.end(), [](const ChipOutput& output) {
    return output.kind == ChipPinKind::kRegistered;
  });
}

const ChipOutput* ChipFunction::OutputOfPin(int pin) const {
  for (const ChipOutput& output : outputs) {
    if (output.pin == pin) return &output;
  }
  return nullptr;
}

ChipFunction ChipFunctionOf(const DeviceSimulator& device) {
  ChipFunction chip;
  chip.gal_type = device.gal_type();
  chip.device = std::string(DeviceName(chip.gal_type));
  chip.layout = LayoutOfGal(chip.gal_type);
  chip.mode = device.mode();
  chip.pin_count = device.pin_count();
  for (const DeviceSimulator::Macrocell& cell : device.macrocells()) {
    ChipOutput output;
    output.pin = cell.pin;
    output.active_high = cell.active_high;
    output.enable = cell.drives ? EnableOf(device, cell) : ChipSum{};
    output.kind = KindOf(cell, output.enable);
    if (output.kind != ChipPinKind::kNotDriven) output.terms = SumOfRows(device, cell.term_rows);
    if (output.kind == ChipPinKind::kNotDriven) output.enable.clear();
    chip.outputs.push_back(std::move(output));
  }
  if (!IsV8(chip.gal_type)) {
    chip.has_reset_preset = true;
    chip.reset = SumOfRows(device, {0});
    chip.preset = SumOfRows(device, {131});
  }
  // A register that never drives its pin and that no term reads does nothing anyone can see.
  for (ChipOutput& output : chip.outputs) {
    if (output.kind == ChipPinKind::kRegistered && output.enable.empty() &&
        !ReadsPin(chip, output.pin)) {
      output.kind = ChipPinKind::kNotDriven;
      output.terms.clear();
    }
  }
  chip.pin_names.assign(chip.pin_count + 1, {});
  chip.warnings = device.warnings();
  return chip;
}

std::optional<ChipFunction> GalChipOfJedec(const JedecFile& read, std::string& error) {
  // Some programmers write the GAL22V10 without its signature row.
  JedecFile file = read;
  if (file.fuse_count == kGal22V10FusesWithoutSignature) {
    file.fuse_count = static_cast<int>(DeviceJedecLayout(kGal22V10).cells.size());
    file.fuses.resize(static_cast<std::size_t>(file.fuse_count), 0);
  }
  const int gal_type = JedecDeviceType(file);
  if (gal_type < 0) {
    error = file.pins < 0
                ? FormatText(interchange_messages::kNoGalLayout, {std::to_string(file.fuse_count)})
                : FormatText(interchange_messages::kNoGalLayoutWithPins,
                             {std::to_string(file.fuse_count), std::to_string(file.pins)});
    return std::nullopt;
  }
  std::optional<DeviceSimulator> device = DeviceSimulator::FromFuses(gal_type, file.fuses, error);
  if (!device) return std::nullopt;
  ChipFunction chip = ChipFunctionOf(*device);
  std::vector<std::string> names = PinNamesFromNotes(file);
  names.resize(chip.pin_count + 1);
  chip.pin_names = std::move(names);
  return chip;
}

bool MapOntoLayout(ChipFunction& chip, ChipLayout to) {
  if (chip.layout == to) return true;
  const bool from_22v10 = chip.layout == ChipLayout::kGal22V10;
  const bool twins = (from_22v10 && to == ChipLayout::kIspGal22V10) ||
                     (chip.layout == ChipLayout::kIspGal22V10 && to == ChipLayout::kGal22V10);
  if (!twins) return false;
  const int from_type = from_22v10 ? kGal22V10 : kIspGal22V10;
  const int to_type = from_22v10 ? kIspGal22V10 : kGal22V10;
  // Both read the same signal in the same column of the array.
  std::vector<int> pin_of(PinCount(from_type) + 1, 0);
  for (int n = 1; n <= PinCount(from_type); ++n) {
    const int column = InputColumn(from_type, kRegisteredMode, n, 0, 0);
    for (int m = 1; column >= 0 && m <= PinCount(to_type); ++m) {
      if (InputColumn(to_type, kRegisteredMode, m, 0, 0) == column) pin_of[n] = m;
    }
  }
  auto renumber = [&pin_of](ChipSum& sum) {
    for (ChipTerm& term : sum) {
      for (ChipLiteral& literal : term.literals) literal.pin = pin_of[literal.pin];
    }
  };
  std::vector<std::string> names(PinCount(to_type) + 1);
  for (int n = 1; n < static_cast<int>(pin_of.size()); ++n) {
    if (pin_of[n] > 0 && n < static_cast<int>(chip.pin_names.size()))
      names[pin_of[n]] = chip.pin_names[n];
  }
  for (ChipOutput& output : chip.outputs) {
    output.pin = pin_of[output.pin];
    renumber(output.terms);
    renumber(output.enable);
  }
  renumber(chip.reset);
  renumber(chip.preset);
  chip.pin_names = std::move(names);
  chip.layout = to;
  chip.pin_count = PinCount(to_type);
  return true;
}

}  // namespace kem
