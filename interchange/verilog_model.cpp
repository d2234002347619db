#include "interchange/verilog_model.h"

#include <algorithm>
#include <string>

#include "device/catalogue.h"
#include "interchange/verilog_identifiers.h"

namespace kem {

namespace {

using Macrocell = DeviceSimulator::Macrocell;
using Enable = DeviceSimulator::Enable;

// Rows of the GAL22V10 family's asynchronous reset and synchronous preset.
constexpr int kResetRow = 0;
constexpr int kPresetRow = 131;

// How long AR must hold its level to act: far longer than the array takes to settle after a change
// of its inputs, far shorter than a phase of a testbench vector.
constexpr std::string_view kLasting = "20";

// A row the model writes: one that can be true and reads no column without a signal (which
// keeps it false on the chip).
bool RowWritten(const DeviceSimulator& device, int row) {
  if (!device.RowCanBeTrue(row)) return false;
  for (const DeviceSimulator::RowLiteral& literal : device.RowLiterals(row)) {
    if (literal.pin == 0) return false;
  }
  return true;
}

bool AlwaysEnabled(const DeviceSimulator& device, const Macrocell& cell) {
  if (cell.enable == Enable::kAlways) return true;
  return cell.enable == Enable::kRow && RowWritten(device, cell.oe_row) &&
         device.RowLiterals(cell.oe_row).empty();
}

std::vector<int> RowsOf(const Macrocell& cell) {
  std::vector<int> rows = cell.term_rows;
  if (cell.enable == Enable::kRow) rows.push_back(cell.oe_row);
  return rows;
}

bool IsRegister(const Macrocell* cell) {
  return cell != nullptr && cell->drives && cell->registered;
}

// The macrocells the model holds: those that can drive their pin, and the registers the others
// read back. `read[pin]`: a row of theirs reads the pin's signal.
std::vector<bool> ModelledCells(const DeviceSimulator& device, std::vector<bool>& read) {
  const int pins = device.pin_count();
  std::vector<bool> modelled(pins + 1, false);
  for (const Macrocell& cell : device.macrocells()) modelled[cell.pin] = device.CanDrive(cell.pin);
  for (bool changed = true; changed;) {
    changed = false;
    read.assign(pins + 1, false);
    std::vector<int> rows;
    bool registers = false;
    for (const Macrocell& cell : device.macrocells()) {
      if (!modelled[cell.pin]) continue;
      for (int row : RowsOf(cell)) rows.push_back(row);
      registers = registers || cell.registered;
    }
    if (registers && !IsV8(device.gal_type())) rows.insert(rows.end(), {kResetRow, kPresetRow});
    for (int row : rows) {
      if (!RowWritten(device, row)) continue;
      for (const DeviceSimulator::RowLiteral& literal : device.RowLiterals(row))
        read[literal.pin] = true;
    }
    for (int pin = 1; pin <= pins; ++pin) {
      if (read[pin] && !modelled[pin] && IsRegister(device.MacrocellOfPin(pin))) {
        modelled[pin] = true;
        changed = true;
      }
    }
  }
  return modelled;
}

bool UsableName(const std::string& name) {
  return !name.empty() && name != "NC" && name != "GND" && name != "VCC";
}

class ModuleWriter {
 public:
  ModuleWriter(const DeviceSimulator& device, const VerilogNames& names)
      : device_(device), names_(names) {}

  std::string Write(std::string_view origin) {
    const std::vector<const Macrocell*> cells = Cells();
    bool registers = false;
    for (const Macrocell* cell : cells) registers = registers || cell->registered;
    Heading(origin, registers);
    Ports();
    if (registers && !IsV8(device_.gal_type())) ResetAndPreset();
    for (const Macrocell* cell : cells) Cell(*cell);
    if (registers) Registers(cells);
    out_ += "endmodule\n";
    return out_;
  }

 private:
  void Heading(std::string_view origin, bool registers) {
    const std::string mode =
        IsV8(device_.gal_type()) ? " in " + std::string(ModeName(device_.mode())) : std::string();
    out_ += "// " + names_.module + ": the " + std::string(DeviceName(device_.gal_type())) + mode +
            " that " + std::string(origin) + " programs, written by kemc.\n";
    out_ +=
        "// Each signal through the AND-OR array takes one time unit, so feedback settles round\n"
        "// by round";
    out_ += registers ? " and a register loads the levels of before its clock edge.\n" : ".\n";
    if (registers) {
      out_ += IsV8(device_.gal_type())
                  ? "// At power-up every register shows H at its pin.\n"
                  : "// At power-up every register is clear: its pin shows L when the "
                    "output is active high,\n// H when it is active low.\n";
    }
    out_ += "`timescale 1ns / 1ns\n\nmodule " + names_.module + " (";
  }

  void Ports() {
    std::vector<std::string> lines;
    std::vector<int> pins;
    std::size_t width = 0;
    for (int pin = 1; pin <= device_.pin_count(); ++pin) {
      const PortKind kind = names_.kinds[pin];
      if (kind == PortKind::kNone) continue;
      const char* direction = kind == PortKind::kInput    ? "input "
                              : kind == PortKind::kOutput ? "output"
                                                          : "inout ";
      lines.push_back("  " + std::string(direction) + " wire " + names_.ports[pin]);
      pins.push_back(pin);
      width = std::max(width, lines.back().size() + 1);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
      std::string line = lines[i] + (i + 1 < lines.size() ? "," : "");
      line.append(width + 1 - line.size(), ' ');
      out_ += "\n" + line + "// pin " + std::to_string(pins[i]);
    }
    out_ += "\n);\n";
  }

  std::vector<const Macrocell*> Cells() const {
    std::vector<const Macrocell*> cells;
    for (int pin = 1; pin <= device_.pin_count(); ++pin) {
      const Macrocell* cell = device_.MacrocellOfPin(pin);
      const bool output =
          names_.kinds[pin] == PortKind::kOutput || names_.kinds[pin] == PortKind::kInout;
      if (cell != nullptr && cell->drives && (!names_.registers[pin].empty() || output))
        cells.push_back(cell);
    }
    return cells;
  }

  std::string Literal(const DeviceSimulator::RowLiteral& literal) const {
    const Macrocell* cell = device_.MacrocellOfPin(literal.pin);
    if (IsRegister(cell)) {
      const std::string& q = names_.registers[literal.pin];
      // The GAL22V10 family reads the register's inverted output back.
      const bool inverted = IsV8(device_.gal_type()) ? literal.inverted : !literal.inverted;
      return inverted ? "~" + q : q;
    }
    const std::string& pin = names_.ports[literal.pin];
    return literal.inverted ? "~" + pin : pin;
  }

  std::string Product(int row, bool grouped) const {
    const std::vector<DeviceSimulator::RowLiteral> literals = device_.RowLiterals(row);
    if (literals.empty()) return "1'b1";
    std::string text;
    for (const DeviceSimulator::RowLiteral& literal : literals)
      text += (text.empty() ? "" : " & ") + Literal(literal);
    return grouped && literals.size() > 1 ? "(" + text + ")" : text;
  }

  // The OR of the rows, one term a line under `indent`.
  std::string Sum(const std::vector<int>& rows, std::size_t indent) const {
    std::vector<int> written;
    for (int row : rows) {
      if (RowWritten(device_, row)) written.push_back(row);
    }
    if (written.empty()) return "1'b0";
    std::string text;
    for (int row : written) {
      if (!text.empty()) text += "\n" + std::string(indent, ' ') + "| ";
      text += Product(row, written.size() > 1);
    }
    return text;
  }

  // "  assign #1 NAME = SUM;" with the polarity applied where `inverted`.
  void Assign(const std::string& name, const std::vector<int>& rows, bool inverted) {
    const std::string left = "  assign #1 " + name + " = ";
    const std::size_t indent = left.size() - 2 + (inverted ? 2 : 0);
    const std::string sum = Sum(rows, indent);
    out_ += left + (inverted ? "~(" + sum + ")" : sum) + ";\n";
  }

  void ResetAndPreset() {
    out_ +=
        "\n  // AR clears the registers, SP sets them at the clock edge. AR acts once it has "
        "lasted\n"
        "  // " +
        std::string(kLasting) +
        " time units: a pulse while the array settles clears nothing, as in kemc's simulator.\n";
    out_ += "  wire " + names_.reset + ", " + names_.preset + ", " + names_.lasting_reset + ";\n";
    Assign(names_.reset, {kResetRow}, false);
    Assign(names_.preset, {kPresetRow}, false);
    out_ += "  assign #" + std::string(kLasting) + " " + names_.lasting_reset + " = " +
            names_.reset + ";\n";
  }

  std::string Description(const Macrocell& cell) const {
    std::string text = cell.registered ? "registered" : "combinational";
    text += cell.active_high ? ", active high" : ", active low";
    if (AlwaysEnabled(device_, cell)) return text + ", always driven";
    if (cell.enable == Enable::kOePin)
      return text + ", driven while pin " + std::to_string(device_.oe_pin()) + " is low";
    return text + ", driven while row " + std::to_string(cell.oe_row) + " is true";
  }

  void Cell(const Macrocell& cell) {
    const int pin = cell.pin;
    const std::string& port = names_.ports[pin];
    out_ += "\n  // " + (port.empty() ? names_.registers[pin] : port) + ", pin " +
            std::to_string(pin) + ": " + Description(cell) +
            (port.empty() ? ", read back only" : "") + "\n";
    const std::string& enable = names_.enables[pin];
    if (cell.registered) {
      // On the GAL16V8 and GAL20V8 the register holds the pin's level, polarity included.
      const bool v8 = IsV8(device_.gal_type());
      out_ += "  reg  " + names_.registers[pin] + " = 1'b" + (v8 ? "1" : "0") + ";\n";
      out_ += "  wire " + names_.sums[pin] + (enable.empty() ? "" : ", " + enable) + ";\n";
      Assign(names_.sums[pin], cell.term_rows, v8 && !cell.active_high);
      const std::string shown =
          v8 || cell.active_high ? names_.registers[pin] : "~" + names_.registers[pin];
      Drive(cell, shown);
      return;
    }
    if (enable.empty()) {
      Assign(port, cell.term_rows, !cell.active_high);
      return;
    }
    out_ += "  wire " + names_.sums[pin] + ", " + enable + ";\n";
    Assign(names_.sums[pin], cell.term_rows, !cell.active_high);
    Drive(cell, names_.sums[pin]);
  }

  void Drive(const Macrocell& cell, const std::string& level) {
    const int pin = cell.pin;
    const std::string& port = names_.ports[pin];
    if (port.empty()) return;
    const std::string& enable = names_.enables[pin];
    if (enable.empty()) {
      out_ += "  assign " + port + " = " + level + ";\n";
      return;
    }
    if (cell.enable == Enable::kOePin) {
      out_ += "  assign #1 " + enable + " = ~" + names_.ports[device_.oe_pin()] + ";\n";
    } else {
      Assign(enable, {cell.oe_row}, false);
    }
    // An enable that is X leaves the pin to whoever else drives the level it would drive.
    out_ += "  bufif1 (" + port + ", " + level + ", " + enable + ");\n";
  }

  void Registers(const std::vector<const Macrocell*>& cells) {
    const bool v8 = IsV8(device_.gal_type());
    const std::string& clock = names_.ports[device_.clock_pin()];
    out_ += "\n  always @(posedge " + clock + ") begin\n";
    for (const Macrocell* cell : cells) {
      if (!cell->registered) continue;
      const std::string& q = names_.registers[cell->pin];
      const std::string& d = names_.sums[cell->pin];
      out_ += "    " + q +
              " <= " + (v8 ? d : "(" + names_.preset + " | " + d + ") & ~" + names_.reset) + ";\n";
    }
    out_ += "  end\n";
    if (v8) return;
    out_ += "\n  always @(" + names_.lasting_reset + ")\n    if (" + names_.lasting_reset +
            " !== 1'b0) begin\n";
    for (const Macrocell* cell : cells) {
      if (!cell->registered) continue;
      const std::string& q = names_.registers[cell->pin];
      out_ += "      " + q + " <= " + q + " & ~" + names_.lasting_reset + ";\n";
    }
    out_ += "    end\n";
  }

  const DeviceSimulator& device_;
  const VerilogNames& names_;
  std::string out_;
};

}  // namespace

VerilogNames VerilogNamesOf(const DeviceSimulator& device,
                            const std::vector<std::string>& pin_names, std::string_view design) {
  const int pins = device.pin_count();
  VerilogNames names;
  names.kinds.assign(pins + 1, PortKind::kNone);
  names.ports.assign(pins + 1, {});
  names.sums.assign(pins + 1, {});
  names.enables.assign(pins + 1, {});
  names.registers.assign(pins + 1, {});

  std::vector<bool> read;
  const std::vector<bool> modelled = ModelledCells(device, read);
  bool registers = false;
  bool oe_pin_used = false;
  for (int pin = 1; pin <= pins; ++pin) {
    const Macrocell* cell = device.MacrocellOfPin(pin);
    if (modelled[pin] && device.CanDrive(pin)) {
      names.kinds[pin] = device.CanBeDriven(pin) ? PortKind::kInout : PortKind::kOutput;
    } else if (read[pin] && !IsRegister(cell)) {
      names.kinds[pin] = PortKind::kInput;
    }
    if (modelled[pin] && cell->registered) {
      registers = true;
      oe_pin_used = oe_pin_used || cell->enable == Enable::kOePin;
    }
  }
  if (registers) names.kinds[device.clock_pin()] = PortKind::kInput;
  if (oe_pin_used) names.kinds[device.oe_pin()] = PortKind::kInput;

  names.module = VerilogIdentifier(design);
  if (names.module.empty()) names.module = "gal";
  VerilogScope scope;
  std::vector<std::string> bases(pins + 1);
  for (int pin = 1; pin <= pins; ++pin) {
    const std::string given = pin < static_cast<int>(pin_names.size()) ? pin_names[pin] : "";
    std::string wanted = UsableName(given) ? VerilogIdentifier(given) : "";
    if (wanted.empty() || scope.Has(wanted)) wanted = "P" + std::to_string(pin);
    bases[pin] = wanted;
    if (names.kinds[pin] != PortKind::kNone) names.ports[pin] = scope.Take(wanted);
  }
  for (int pin = 1; pin <= pins; ++pin) {
    const Macrocell* cell = device.MacrocellOfPin(pin);
    if (!modelled[pin]) continue;
    const std::string& base = names.ports[pin].empty() ? bases[pin] : names.ports[pin];
    if (cell->registered) {
      names.registers[pin] = scope.Take(VerilogDerived(base, "_q"));
      names.sums[pin] = scope.Take(VerilogDerived(base, "_d"));
    } else if (!AlwaysEnabled(device, *cell)) {
      names.sums[pin] = scope.Take(VerilogDerived(base, "_sum"));
    }
    if (!AlwaysEnabled(device, *cell) && !names.ports[pin].empty())
      names.enables[pin] = scope.Take(VerilogDerived(base, "_oe"));
  }
  if (registers && !IsV8(device.gal_type())) {
    names.reset = scope.Take("AR");
    names.preset = scope.Take("SP");
    names.lasting_reset = scope.Take(VerilogDerived(names.reset, "_lasting"));
  }
  return names;
}

std::string VerilogModule(const DeviceSimulator& device, const VerilogNames& names,
                          std::string_view origin) {
  return ModuleWriter(device, names).Write(origin);
}

}  // namespace kem
