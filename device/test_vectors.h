// Test vectors for a fitted device: the vector file beside a design (NAME.vec) read against the
// device's pins, and run step by step on a DeviceSimulator.
//
//   // two-bit counter with synchronous reset
//   ORDER: CLK RESET Q1 Q0
//   C 1  L L
//   C 0  L H
//
// ORDER: names pins of the design, each once; then one vector a line, one character per name,
// in either letter case, blanks optional: 0/1 drive a pin, C pulses the clock pin as a tester
// does (the other inputs applied with the clock low, the rising edge, the clock low again, then
// the outputs read), H/L expect an output level, Z high impedance, X is not checked (an input
// given X has an unknown level, a pin the device can drive is left to it). Pins that only take
// input and are not named are held at 0. Comments as in designs. C is allowed in the clock pin's
// column only; a rise of the clock pin from one vector to the next clocks as well. Every fault of
// the file is reported with its line and nothing is simulated.
//
// A level the device does not determine is X; a vector that expects H, L or Z of it fails, and
// so does a vector whose feedback never comes to rest.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "device/device_simulator.h"

namespace kem {

struct VectorDiagnostic {
  int line = 0;
  std::string text;
};

struct TestVectors {
  struct Vector {
    int line = 0;
    std::string values;  // one of 0 1 C H L Z X per column
  };
  std::vector<std::string> names;  // the ORDER: columns
  std::vector<int> pins;           // the pin of each column
  std::vector<Vector> vectors;
};

// What one vector did.
struct VectorStep {
  struct Mismatch {
    int column = 0;       // -1: the vector as a whole, its feedback did not come to rest
    char expected = 'X';  // H, L or Z; 0 or 1 where the device drove a pin driven from outside
    PinLevel read = PinLevel::kLow;
    Unknown why;                 // where `read` is X
    std::vector<int> unsettled;  // column -1: the pins that oscillate
  };
  int line = 0;
  std::vector<PinLevel> pins;  // every pin's level after the vector, by pin number
  std::vector<Mismatch> mismatches;
};

struct SimulationRun {
  std::vector<VectorStep> steps;
  int FailedSteps() const;
};

// `pin_names[n]` is the design's name of pin n. Nothing, with every fault in `faults`, when the
// file cannot be run.
std::optional<TestVectors> ParseTestVectors(std::string_view text, const DeviceSimulator& device,
                                            const std::vector<std::string>& pin_names,
                                            std::vector<VectorDiagnostic>& faults);

// Runs every vector from power-up.
SimulationRun RunTestVectors(const TestVectors& vectors, DeviceSimulator& device);

// "GRUEN: erwartet H, gelesen L", or for column -1 the pins that did not come to rest.
std::string MismatchText(const TestVectors& vectors, const VectorStep::Mismatch& mismatch);

// "Zeile 7: ..." as the table and the IDE show a fault.
std::string LineText(const VectorDiagnostic& diagnostic);

// One row per vector: its line, the value of every column (what was driven, or the level read),
// mismatches marked with "!" and named after the row; a summary line at the end.
std::string SimulationTable(const TestVectors& vectors, const SimulationRun& run);

// "1 Vektor", "3 Vektoren".
std::string VectorCountText(int count);

// The characters of a JEDEC V field for each vector: one per pin in pin order, N for the supply
// pins, 0 for an input the file holds at 0, X for an output it does not check and for an input
// it leaves open.
std::vector<std::string> JedecVectorFields(const TestVectors& vectors,
                                           const DeviceSimulator& device);

char LevelChar(PinLevel level);

}  // namespace kem
