#include "interchange/verilog_model.h"

#include <string>

#include "common/format.h"
#include "device/simulation_messages.h"
#include "interchange/verilog_identifiers.h"
#include "interchange/verilog_messages.h"

namespace kem {

namespace {

// Time for each phase of a vector: far more than feedback through every macrocell takes.
constexpr std::string_view kPhase = "#100";

// A text inside a format string of $write.
std::string FormatString(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c == '%' ? std::string("%%") : std::string(1, c);
  }
  return out;
}

std::string Bit(char value) {
  switch (value) {
    case '0':
    case '1':
      return std::string("1'b") + value;
    case 'X':
      return "1'bx";
  }
  return "1'bz";
}

class TestbenchWriter {
 public:
  TestbenchWriter(const TestVectors& vectors, const DeviceSimulator& device,
                  const VerilogNames& names)
      : vectors_(vectors), device_(device), names_(names) {
    for (const std::string& port : names.ports) {
      if (!port.empty()) scope_.Take(port);
    }
    drives_.assign(names.ports.size(), {});
    for (std::size_t pin = 1; pin < names.ports.size(); ++pin) {
      if (Late(static_cast<int>(pin)))
        drives_[pin] = scope_.Take(VerilogDerived(names.ports[pin], "_drive"));
    }
    failed_ = scope_.Take("failed");
    mismatch_ = scope_.Take("mismatch");
    level_ = scope_.Take("level");
    instance_ = scope_.Take("dut");
    module_ = VerilogDerived(names.module, "_tb");
  }

  std::string Write(std::string_view origin) {
    out_ += "// " + module_ + ": the vectors of " + std::string(origin) + " applied to " +
            names_.module +
            " as kemc --simulate\n"
            "// applies them; prints PASS or FAIL with the line of each vector.\n"
            "`timescale 1ns / 1ns\n\nmodule " +
            module_ + ";\n";
    Declarations();
    out_ += "\n  initial begin\n";
    char clock_before = '0';
    for (const TestVectors::Vector& vector : vectors_.vectors) Vector(vector, clock_before);
    const std::string count = VectorCountText(static_cast<int>(vectors_.vectors.size()));
    out_ += "    if (" + failed_ + " == 0) $display(\"" +
            FormatString(FormatText(simulation_messages::kPassed, {count})) + "\");\n";
    out_ += "    else $display(\"" +
            FormatString(FormatText(simulation_messages::kFailed, {"\x01", count})) + "\", " +
            failed_ + ");\n";
    out_ += "    $finish;\n  end\nendmodule\n";
    // The count of failed vectors is the one argument of its format.
    const std::size_t placeholder = out_.find('\x01');
    out_.replace(placeholder, 1, "%0d");
    return out_;
  }

 private:
  // A pin of a macrocell that can drive it meets a level from outside together with the chip's
  // drive of the same round, as in the simulator; other inputs arrive at once.
  bool Late(int pin) const {
    const DeviceSimulator::Macrocell* cell = device_.MacrocellOfPin(pin);
    return names_.kinds[pin] != PortKind::kNone && names_.kinds[pin] != PortKind::kOutput &&
           cell != nullptr && cell->drives;
  }

  // The port of a column, or empty for a pin the model does not need.
  const std::string& Port(std::size_t column) const { return names_.ports[vectors_.pins[column]]; }

  bool Named(int pin) const {
    for (int named : vectors_.pins) {
      if (named == pin) return true;
    }
    return false;
  }

  void Declarations() {
    std::string connections;
    for (std::size_t pin = 1; pin < names_.ports.size(); ++pin) {
      const std::string& port = names_.ports[pin];
      if (port.empty()) continue;
      switch (names_.kinds[pin]) {
        case PortKind::kInput:
        case PortKind::kInout: {
          // Inputs no vector names are held at 0; the others take the first vector's levels.
          const bool held =
              names_.kinds[pin] == PortKind::kInput &&
              (!Named(static_cast<int>(pin)) || static_cast<int>(pin) == device_.clock_pin());
          const std::string start = names_.kinds[pin] == PortKind::kInout ? " = 1'bz"
                                    : held                                ? " = 1'b0"
                                                                          : "";
          if (drives_[pin].empty()) {
            out_ += "  reg  " + port + start + ";\n";
          } else {
            out_ += "  wire " + port + ";\n  reg  " + drives_[pin] + start + ";\n  assign #1 " +
                    port + " = " + drives_[pin] + ";\n";
          }
          break;
        }
        case PortKind::kOutput:
          out_ += "  wire " + port + ";\n";
          break;
        case PortKind::kNone:
          break;
      }
      connections += (connections.empty() ? "" : ", ") + std::string(".") + port + "(" + port + ")";
    }
    out_ += "  integer " + failed_ + " = 0;\n  reg " + mismatch_ + ";\n\n";
    out_ += "  " + names_.module + " " + instance_ + " (" + connections + ");\n\n";
    out_ += "  function [7:0] " + level_ + "(input v);\n    " + level_ +
            " = v === 1'b1 ? \"H\" : v === 1'b0 ? \"L\" : v === 1'bz ? \"Z\" : \"X\";\n"
            "  endfunction\n";
  }

  // The statement that gives a column its value, empty where the column drives nothing.
  std::string Apply(std::size_t column, char value) const {
    const int pin = vectors_.pins[column];
    const std::string& port = Port(column);
    if (port.empty()) return {};
    // X on a pin the chip can drive leaves it to the chip.
    if (names_.kinds[pin] == PortKind::kOutput) return {};
    const std::string& target = drives_[pin].empty() ? port : drives_[pin];
    return target + " = " +
           (value == 'X' && names_.kinds[pin] == PortKind::kInout ? Bit('Z') : Bit(value)) + "; ";
  }

  void Vector(const TestVectors::Vector& vector, char& clock_before) {
    const int clock = device_.clock_pin();
    const std::string& clock_port = names_.ports[clock];
    const bool pulse = vector.values.find('C') != std::string::npos;
    char after = '0';
    std::string others;
    for (std::size_t i = 0; i < vector.values.size(); ++i) {
      if (vectors_.pins[i] == clock) {
        if (!pulse) after = vector.values[i];
      } else {
        others += Apply(i, vector.values[i]);
      }
    }
    // As the simulator clocks: a pulse, a rise from the vector before, or one that may be.
    const bool edge =
        pulse || (clock_before == '0' && after == '1') || (clock_before != '1' && after != '0');
    const std::string set_clock = clock_port.empty() ? "" : clock_port + " = 1'b";
    out_ +=
        "    // " +
        FormatText(simulation_messages::kLinePrefix, {std::to_string(vector.line), vector.values}) +
        "\n";
    if (!edge) {
      if (!set_clock.empty()) others += clock_port + " = " + Bit(after) + "; ";
      if (!others.empty()) out_ += "    " + others + "\n";
      out_ += "    " + std::string(kPhase) + ";\n";
    } else {
      if (pulse && !set_clock.empty()) others += set_clock + "0; ";
      if (!others.empty()) out_ += "    " + others + "\n";
      const std::string rise = pulse ? std::string("1'b1") : Bit(after);
      out_ += "    " + std::string(kPhase) +
              (set_clock.empty() ? "" : " " + clock_port + " = " + rise) + ";\n";
      if (pulse)
        out_ +=
            "    " + std::string(kPhase) + (set_clock.empty() ? "" : " " + set_clock + "0") + ";\n";
      out_ += "    " + std::string(kPhase) + ";\n";
    }
    clock_before = pulse ? '0' : after;
    Check(vector);
  }

  void Check(const TestVectors::Vector& vector) {
    std::vector<std::string> conditions;
    std::vector<std::string> reports;
    std::string cells;
    std::string cell_arguments;
    for (std::size_t i = 0; i < vector.values.size(); ++i) {
      const char value = vector.values[i];
      const int pin = vectors_.pins[i];
      const std::string& port = Port(i);
      const std::string& name = vectors_.names[i];
      const bool driven = value == '0' || value == '1' || value == 'C';
      if (driven || port.empty()) {
        cells += " " + std::string(1, value);
      } else {
        cells += " \x01";
        cell_arguments += ", " + level_ + "(" + port + ")";
      }
      const std::string read = level_ + "(" + port + ")";
      if (value == 'H' || value == 'L' || value == 'Z') {
        const std::string expected(1, value);
        conditions.push_back(read + " != \"" + expected + "\"");
        reports.push_back(
            "    if (" + conditions.back() + ") $write(\"  " +
            FormatString(FormatText(simulation_messages::kMismatch, {name, expected, "\x01"})) +
            "\", " + read + ");\n");
      }
      const std::string& enable = names_.enables[pin];
      if ((value == '0' || value == '1') && names_.kinds[pin] == PortKind::kInout &&
          !enable.empty()) {
        conditions.push_back(instance_ + "." + enable + " !== 1'b0");
        reports.push_back("    if (" + conditions.back() + ") $write(\"  " +
                          FormatString(FormatText(simulation_messages::kConflict,
                                                  {name, std::string(1, value), "\x01"})) +
                          "\", " + level_ + "(" + instance_ + "." + names_.sums[pin] + "));\n");
      }
    }
    std::string any;
    for (const std::string& condition : conditions) any += (any.empty() ? "" : " || ") + condition;
    out_ += "    " + mismatch_ + " = " + (any.empty() ? "1'b0" : any) + ";\n";
    out_ += "    if (" + mismatch_ + ") " + failed_ + " = " + failed_ + " + 1;\n";
    const std::string line = std::to_string(vector.line);
    out_ += "    if (" + mismatch_ + ") $write(\"" +
            FormatString(FormatText(verilog_messages::kFail, {line})) + "\");\n    else $write(\"" +
            FormatString(FormatText(verilog_messages::kPass, {line})) + "\");\n";
    out_ += "    $write(\"" + FormatString(cells) + "\"" + cell_arguments + ");\n";
    for (const std::string& report : reports) out_ += report;
    out_ += "    $display;\n";
    // The placeholders of the levels read become the format's own.
    for (std::size_t at = out_.find('\x01'); at != std::string::npos; at = out_.find('\x01', at))
      out_.replace(at, 1, "%s");
  }

  const TestVectors& vectors_;
  const DeviceSimulator& device_;
  const VerilogNames& names_;
  VerilogScope scope_;
  std::vector<std::string> drives_;
  std::string failed_;
  std::string mismatch_;
  std::string level_;
  std::string instance_;
  std::string module_;
  std::string out_;
};

}  // namespace

std::string VerilogTestbench(const TestVectors& vectors, const DeviceSimulator& device,
                             const VerilogNames& names, std::string_view origin) {
  return TestbenchWriter(vectors, device, names).Write(origin);
}

}  // namespace kem
