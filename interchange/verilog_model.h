// A Verilog-2005 model of a fitted chip, written from its fuse map as the device simulator decodes
// it, so that a board simulation runs the chip and not the source it came from; and the testbench
// that runs a vector file on that model as kemc --simulate runs it on the simulator.
//
// Every signal through the AND-OR array takes one time unit (`assign #1`), so feedback settles
// round by round as the simulator's does and a register samples the levels of before its clock
// edge. The testbench gives each phase of a vector ample time to settle.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "device/device_simulator.h"
#include "device/test_vectors.h"

namespace kem {

enum class PortKind { kNone, kInput, kOutput, kInout };

// The names of the model, each a Verilog identifier that no other name of the module takes: the
// module's, its ports', and inside it the wires and registers of each macrocell.
struct VerilogNames {
  std::string module;
  std::vector<PortKind> kinds;         // by pin number
  std::vector<std::string> ports;      // by pin number; empty where the pin is no port
  std::vector<std::string> sums;       // by pin: the OR of the macrocell's terms
  std::vector<std::string> enables;    // by pin: its output enable, empty where always enabled
  std::vector<std::string> registers;  // by pin: the register, empty for a combinational output
  std::string reset;                   // the GAL22V10 family's AR and SP terms
  std::string preset;
  std::string lasting_reset;  // AR once it has lasted
};

// The ports are the pins the fuses use: outputs, bus pins, the inputs a row reads, the clock and
// output-enable pin of registers. `pin_names[n]` names pin n (empty, "NC" or a name that Verilog
// cannot take gives "P<n>"); `design` names the module.
VerilogNames VerilogNamesOf(const DeviceSimulator& device,
                            const std::vector<std::string>& pin_names, std::string_view design);

// The module; `origin` is said in its heading (the JEDEC file it was written from).
std::string VerilogModule(const DeviceSimulator& device, const VerilogNames& names,
                          std::string_view origin);

// The self-checking testbench of the vectors: one line per vector, "PASS Zeile N:" or
// "FAIL Zeile N:" and the value of each column (what was driven, or the level read), then the
// mismatches; a summary at the end.
std::string VerilogTestbench(const TestVectors& vectors, const DeviceSimulator& device,
                             const VerilogNames& names, std::string_view origin);

}  // namespace kem
