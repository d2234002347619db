#include "shell/waveform_model.h"

#include <algorithm>
#include <utility>

#include "common/file_io.h"
#include "common/file_messages.h"
#include "common/format.h"
#include "shell/waveform_messages.h"

namespace kem {

namespace {

bool IsDrivenValue(char value) {
  return value == '0' || value == '1';
}

}  // namespace

WaveformModel::WaveformModel(DeviceSimulator device, std::vector<std::string> pin_names)
    : device_(std::move(device)), pin_names_(std::move(pin_names)) {
  pin_names_.resize(device_.pin_count() + 1);
  for (int pin = 1; pin <= device_.pin_count(); ++pin) {
    const std::string& name = pin_names_[pin];
    // A name that several pins carry (NC) names none of them.
    if (name.empty() || std::count(pin_names_.begin(), pin_names_.end(), name) > 1) continue;
    if (device_.IsSupply(pin)) continue;
    if (!device_.CanBeDriven(pin) && !device_.CanDrive(pin)) continue;
    RowKind kind = RowKind::kInput;
    if (device_.CanDrive(pin)) {
      kind = device_.CanBeDriven(pin) ? RowKind::kBus : RowKind::kOutput;
    } else if (pin == device_.clock_pin()) {
      kind = RowKind::kClock;
    }
    rows_.push_back({name, pin, kind});
  }
  Reset();
}

std::optional<WaveformModel> WaveformModel::Create(const FittedDesign& design, std::string& error) {
  std::optional<DeviceSimulator> device =
      DeviceSimulator::FromFuseMap(design.gal_type, design.map, error);
  if (!device) return std::nullopt;
  return WaveformModel(std::move(*device), design.pin_names);
}

int WaveformModel::RowOf(std::string_view name) const {
  for (std::size_t row = 0; row < rows_.size(); ++row) {
    if (rows_[row].name == name) return static_cast<int>(row);
  }
  return -1;
}

bool WaveformModel::clock_step(int step) const {
  return steps_[step].find('C') != std::string::npos;
}

PinLevel WaveformModel::Level(int row, int step) const {
  return run_.steps[step].pins[rows_[row].pin];
}

char WaveformModel::Expected(int row, int step) const {
  const char value = steps_[step][row];
  const RowKind kind = rows_[row].kind;
  const bool output = kind == RowKind::kOutput || kind == RowKind::kBus;
  return output && !IsDrivenValue(value) ? value : 'X';
}

bool WaveformModel::Mismatch(int row, int step) const {
  const std::vector<VectorStep::Mismatch>& found = run_.steps[step].mismatches;
  return std::any_of(found.begin(), found.end(),
                     [row](const VectorStep::Mismatch& m) { return m.column == row; });
}

int WaveformModel::MismatchCount() const {
  int count = 0;
  for (const VectorStep& step : run_.steps) count += static_cast<int>(step.mismatches.size());
  return count;
}

std::string WaveformModel::FirstStep() const {
  std::string step;
  for (const Row& row : rows_)
    step += row.kind == RowKind::kOutput || row.kind == RowKind::kBus ? 'X' : '0';
  return step;
}

void WaveformModel::AddStep(bool clock) {
  std::string step = FirstStep();
  for (std::size_t row = 0; row < rows_.size(); ++row) {
    if (rows_[row].kind == RowKind::kInput) step[row] = steps_.back()[row];
    if (rows_[row].kind == RowKind::kClock) step[row] = clock ? 'C' : '0';
  }
  steps_.push_back(std::move(step));
  Recompute();
}

bool WaveformModel::ToggleInput(int row, int step) {
  if (row < 0 || row >= static_cast<int>(rows_.size()) || step < 0 || step >= step_count())
    return false;
  char& value = steps_[step][row];
  const RowKind kind = rows_[row].kind;
  if (kind == RowKind::kBus) {
    value = value == '0' ? '1' : value == '1' ? 'X' : '0';
  } else if (kind == RowKind::kOutput || !IsDrivenValue(value)) {
    return false;
  } else {
    value = value == '0' ? '1' : '0';
  }
  Recompute();
  return true;
}

void WaveformModel::Reset() {
  steps_.assign(1, FirstStep());
  Recompute();
}

bool WaveformModel::LoadVectors(std::string_view text, std::vector<VectorDiagnostic>& faults) {
  const std::optional<TestVectors> vectors = ParseTestVectors(text, device_, pin_names_, faults);
  if (!vectors) return false;
  std::vector<std::string> steps;
  for (const TestVectors::Vector& vector : vectors->vectors) {
    std::string step = FirstStep();
    for (std::size_t column = 0; column < vector.values.size(); ++column)
      step[RowOf(vectors->names[column])] = vector.values[column];
    steps.push_back(std::move(step));
  }
  // A file may hold an ORDER: line alone; the table keeps one step to click on.
  if (steps.empty()) steps.push_back(FirstStep());
  steps_ = std::move(steps);
  Recompute();
  return true;
}

std::string WaveformModel::VectorText() const {
  std::string text = "ORDER:";
  for (const Row& row : rows_) text += " " + row.name;
  text += '\n';
  for (int step = 0; step < step_count(); ++step) {
    std::string line;
    for (std::size_t row = 0; row < rows_.size(); ++row) {
      char value = steps_[step][row];
      if (value == 'X') value = LevelChar(Level(static_cast<int>(row), step));
      if (!line.empty()) line += ' ';
      line += value;
    }
    text += line + '\n';
  }
  return text;
}

bool WaveformModel::LoadFile(const std::string& path, std::string& message) {
  std::string text;
  if (!ReadWholeFile(path, text)) {
    message = FormatText(waveform_messages::kCannotRead, {path});
    return false;
  }
  std::vector<VectorDiagnostic> faults;
  if (LoadVectors(text, faults)) return true;
  message = FormatText(waveform_messages::kNotLoaded, {path});
  for (const VectorDiagnostic& fault : faults) message += "\n" + LineText(fault);
  return false;
}

bool WaveformModel::SaveFile(const std::string& path, std::string& message) const {
  if (ReplaceFileContents(path, VectorText()) == ReplaceResult::kReplaced) return true;
  message = FormatText(file_messages::kCannotSave, {path});
  return false;
}

void WaveformModel::Recompute() {
  TestVectors vectors;
  for (const Row& row : rows_) {
    vectors.names.push_back(row.name);
    vectors.pins.push_back(row.pin);
  }
  for (const std::string& step : steps_) vectors.vectors.push_back({0, step});
  run_ = RunTestVectors(vectors, device_);
}

}  // namespace kem
