// The function simulation of a fitted design as a table of pins and steps: the levels driven into
// the inputs at each step and whether it clocks, the levels the device computes from them, and
// what a loaded vector file expects. Every change runs the whole table again from power-up on the
// device the fuse map configures, so what is shown is what the programmed chip would do.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/device_simulator.h"
#include "device/fitter.h"
#include "device/test_vectors.h"

namespace kem {

class WaveformModel {
 public:
  // A bus pin is an output that can be switched off and then takes a level from outside.
  enum class RowKind { kInput, kClock, kOutput, kBus };
  struct Row {
    std::string name;
    int pin = 0;
    RowKind kind = RowKind::kInput;
  };

  // Nothing, with the reason in `error`, when the map describes no configuration of the device.
  static std::optional<WaveformModel> Create(const FittedDesign& design, std::string& error);

  const std::vector<Row>& rows() const { return rows_; }
  // The row of the pin named `name`, or -1.
  int RowOf(std::string_view name) const;
  int step_count() const { return static_cast<int>(steps_.size()); }
  bool clock_step(int step) const;

  // The level of the row's pin after the step.
  PinLevel Level(int row, int step) const;
  // What a loaded vector file expects of an output there: H, L, Z, or X for nothing.
  char Expected(int row, int step) const;
  bool Mismatch(int row, int step) const;
  int MismatchCount() const;

  // A step after the last one with the same inputs, clocked or not.
  void AddStep(bool clock);
  // Flips the level driven into an input at a step; on a bus pin drives 0, then 1, then nothing.
  // False for a cell that takes no level (an output, the clock in a clocked step).
  bool ToggleInput(int row, int step);
  // Back to one step with every input low and no expectations.
  void Reset();

  // Takes the steps and expectations of a vector file; with faults nothing changes.
  bool LoadVectors(std::string_view text, std::vector<VectorDiagnostic>& faults);
  // A vector file of the table: ORDER: with every row, then one line per step; an output not
  // expected by a loaded file is written with the level computed for it.
  std::string VectorText() const;

  // The same through files; false with the text for a message box.
  bool LoadFile(const std::string& path, std::string& message);
  bool SaveFile(const std::string& path, std::string& message) const;

 private:
  explicit WaveformModel(DeviceSimulator device, std::vector<std::string> pin_names);
  std::string FirstStep() const;
  void Recompute();

  DeviceSimulator device_;
  std::vector<std::string> pin_names_;  // by pin number
  std::vector<Row> rows_;
  // One vector per step, one character per row as a vector file has it.
  std::vector<std::string> steps_;
  SimulationRun run_;
};

}  // namespace kem
