#include "device/device_simulator.h"

#include <array>
#include <cctype>
#include <string_view>

#include "common/format.h"
#include "device/catalogue.h"
#include "device/jedec_writer.h"
#include "device/simulation_messages.h"

namespace kem {

namespace {

// Feedback through combinational outputs may take a few rounds to come to rest; a loop that
// never does (a ring of inverters) is cut off after these.
constexpr int kSettleRounds = 64;

bool IsV8(int gal_type) {
  return gal_type == kGal16V8 || gal_type == kGal20V8;
}

// Whether the text names the device as a word of its own ("GAL22V10" is not named in
// "ispGAL22V10").
bool NamesDevice(std::string_view text, std::string_view name) {
  auto is_word_char = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
  for (std::size_t at = text.find(name); at != std::string_view::npos;
       at = text.find(name, at + 1)) {
    const std::size_t end = at + name.size();
    if ((at == 0 || !is_word_char(text[at - 1])) &&
        (end == text.size() || !is_word_char(text[end])))
      return true;
  }
  return false;
}

}  // namespace

int JedecDeviceType(const JedecFile& file) {
  int fitting = -1;
  for (int type = 0; type < kDeviceCount; ++type) {
    const int fuses = static_cast<int>(DeviceJedecLayout(type).cells.size());
    if (fuses != file.fuse_count || (file.pins >= 0 && file.pins != PinCount(type))) continue;
    if (NamesDevice(file.header, DeviceName(type))) return type;
    if (fitting < 0) fitting = type;
  }
  return fitting;
}

std::string JedecDeviceNoteFault(const JedecFile& file, int gal_type) {
  if (NamesDevice(file.header, DeviceName(gal_type))) return {};
  for (int type = 0; type < kDeviceCount; ++type) {
    if (NamesDevice(file.header, DeviceName(type)))
      return FormatText(simulation_messages::kDeviceContradiction,
                        {DeviceName(type), DeviceName(gal_type)});
  }
  return {};
}

std::optional<DeviceSimulator> DeviceSimulator::FromFuseMap(int gal_type, const FuseMap& map,
                                                            std::string& error) {
  std::vector<std::uint8_t> fuses;
  for (int cell : DeviceJedecLayout(gal_type).cells) fuses.push_back(map[cell] == '1' ? 1 : 0);
  return FromFuses(gal_type, std::move(fuses), error);
}

std::optional<DeviceSimulator> DeviceSimulator::FromFuses(int gal_type,
                                                          std::vector<std::uint8_t> fuses,
                                                          std::string& error) {
  if (gal_type < 0 || gal_type >= kDeviceCount) {
    error = simulation_messages::kUnknownDevice;
    return std::nullopt;
  }
  DeviceSimulator m;
  m.type_ = gal_type;
  const bool v8 = IsV8(gal_type);
  m.columns_ = gal_type == kGal16V8 ? 32 : gal_type == kGal20V8 ? 40 : 44;
  m.rows_ = v8 ? 64 : 132;
  const int array_end = m.rows_ * m.columns_;
  const std::size_t expected = DeviceJedecLayout(gal_type).cells.size();
  if (fuses.size() != expected) {
    error = FormatText(simulation_messages::kFuseCount,
                       {std::to_string(fuses.size()), std::to_string(expected)});
    return std::nullopt;
  }
  m.term_enabled_.assign(m.rows_, true);

  std::vector<int> complex_ac1_cells;
  if (v8) {
    const bool syn = fuses[array_end + 144] == 1;
    const bool ac0 = fuses[array_end + 145] == 1;
    if (!syn && !ac0) {
      error = simulation_messages::kNoMode;
      return std::nullopt;
    }
    m.mode_ = !syn ? kRegisteredMode : ac0 ? kComplexMode : kSimpleMode;
    for (int r = 0; r < m.rows_; ++r) m.term_enabled_[r] = fuses[array_end + 80 + r] == 1;
    for (int k = 0; k < 8; ++k) {
      Macrocell cell;
      cell.pin = (gal_type == kGal16V8 ? 19 : 22) - k;
      cell.active_high = fuses[array_end + k] == 1;
      const bool ac1 = fuses[array_end + 72 + k] == 1;
      const int first = 8 * k;
      // Complex mode has no register; AC1 0 there is what some tools write for a cell they
      // leave unused, which is checked below once the array can be read.
      if (m.mode_ == kComplexMode && !ac1) complex_ac1_cells.push_back(k);
      cell.drives = m.mode_ != kSimpleMode || !ac1;
      cell.registered = m.mode_ == kRegisteredMode && !ac1;
      // Outside simple mode the first row of a combinational output's block is its enable.
      const bool oe_row = m.mode_ != kSimpleMode && !cell.registered;
      cell.enable = oe_row ? Enable::kRow : cell.registered ? Enable::kOePin : Enable::kAlways;
      cell.oe_row = oe_row ? first : -1;
      for (int r = oe_row ? first + 1 : first; r < first + 8; ++r) cell.term_rows.push_back(r);
      m.cells_.push_back(cell);
    }
  } else {
    m.mode_ = kRegisteredMode;
    constexpr std::array<int, 10> kTerms{8, 10, 12, 14, 16, 16, 14, 12, 10, 8};
    constexpr std::array<int, 10> kPins22V10{23, 22, 21, 20, 19, 18, 17, 16, 15, 14};
    constexpr std::array<int, 10> kPinsIsp{27, 26, 25, 24, 23, 21, 20, 19, 18, 17};
    int row = 1;  // row 0 is the asynchronous reset, row 131 the synchronous preset
    for (int k = 0; k < 10; ++k) {
      Macrocell cell;
      cell.pin = gal_type == kGal22V10 ? kPins22V10[k] : kPinsIsp[k];
      cell.drives = true;
      cell.active_high = fuses[array_end + 2 * k] == 1;
      cell.registered = fuses[array_end + 2 * k + 1] == 0;
      cell.enable = Enable::kRow;
      cell.oe_row = row++;
      for (int t = 0; t < kTerms[k]; ++t) cell.term_rows.push_back(row++);
      m.cells_.push_back(cell);
    }
  }

  const int pins = PinCount(gal_type);
  m.cell_of_pin_.assign(pins + 1, -1);
  for (std::size_t k = 0; k < m.cells_.size(); ++k)
    m.cell_of_pin_[m.cells_[k].pin] = static_cast<int>(k);
  // Which signal each column carries, from the catalogue's column pairs of the mode.
  m.column_pin_.assign(m.columns_, 0);
  m.column_inverted_.assign(m.columns_, false);
  m.readable_.assign(pins + 1, false);
  for (int n = 1; n <= pins; ++n) {
    for (int negated = 0; negated <= 1; ++negated) {
      const int column = InputColumn(gal_type, m.mode_, n, negated, 0);
      if (column < 0 || column >= m.columns_) continue;
      m.column_pin_[column] = n;
      m.column_inverted_[column] = negated == 1;
      m.readable_[n] = true;
    }
  }
  fuses.resize(array_end);
  m.array_ = std::move(fuses);
  for (int k : complex_ac1_cells) {
    Macrocell& cell = m.cells_[k];
    if (m.RowCanBeTrue(cell.oe_row)) {
      error = FormatText(simulation_messages::kComplexAc1, {std::to_string(cell.pin)});
      return std::nullopt;
    }
    cell.drives = false;
    m.warnings_.push_back(FormatText(simulation_messages::kUnusedCell, {std::to_string(cell.pin)}));
  }
  m.driven_.assign(pins + 1, std::nullopt);
  m.state_.level.assign(pins + 1, false);
  m.enabled_.assign(m.cells_.size(), false);
  m.state_.q.assign(m.cells_.size(), false);
  m.PowerUp();
  return m;
}

int DeviceSimulator::pin_count() const {
  return PinCount(type_);
}

int DeviceSimulator::clock_pin() const {
  return ClockPin(type_);
}

int DeviceSimulator::oe_pin() const {
  return type_ == kGal16V8 ? 11 : 13;
}

const DeviceSimulator::Macrocell* DeviceSimulator::MacrocellOfPin(int pin) const {
  if (pin <= 0 || pin >= static_cast<int>(cell_of_pin_.size()) || cell_of_pin_[pin] < 0)
    return nullptr;
  return &cells_[cell_of_pin_[pin]];
}

bool DeviceSimulator::IsSupply(int pin) const {
  const std::string_view name = FixedName(type_, mode_, pin);
  return name == "GND" || name == "VCC";
}

bool DeviceSimulator::CanBeDriven(int pin) const {
  if (pin <= 0 || pin > pin_count()) return false;
  if (pin == clock_pin() || (IsV8(type_) && mode_ == kRegisteredMode && pin == oe_pin()))
    return true;
  // The column of a registered output carries the register, and an output that is always
  // enabled leaves the pin to nobody else.
  const Macrocell* cell = MacrocellOfPin(pin);
  if (cell != nullptr && cell->drives && (cell->registered || AlwaysEnabled(*cell))) return false;
  return readable_[pin];
}

bool DeviceSimulator::AlwaysEnabled(const Macrocell& cell) const {
  if (cell.enable == Enable::kAlways) return true;
  if (cell.enable == Enable::kOePin || !term_enabled_[cell.oe_row]) return false;
  for (int c = 0; c < columns_; ++c) {
    if (array_[cell.oe_row * columns_ + c] == 0) return false;
  }
  return true;
}

bool DeviceSimulator::CanDrive(int pin) const {
  const Macrocell* cell = MacrocellOfPin(pin);
  if (cell == nullptr || !cell->drives) return false;
  return cell->enable != Enable::kRow || RowCanBeTrue(cell->oe_row);
}

bool DeviceSimulator::RowCanBeTrue(int row) const {
  if (!term_enabled_[row]) return false;
  // A row that connects both columns of one signal is always false.
  std::vector<int> seen(pin_count() + 1, 0);
  for (int c = 0; c < columns_; ++c) {
    if (array_[row * columns_ + c] != 0 || column_pin_[c] == 0) continue;
    seen[column_pin_[c]] |= column_inverted_[c] ? 2 : 1;
    if (seen[column_pin_[c]] == 3) return false;
  }
  return true;
}

void DeviceSimulator::PowerUp() {
  state_.q.assign(cells_.size(), false);
  driven_.assign(pin_count() + 1, std::nullopt);
  Settle();
}

int DeviceSimulator::ColumnValue(int column, const State& state) const {
  const int pin = column_pin_[column];
  if (pin == 0) return -1;
  bool value = state.level[pin];
  const Macrocell* cell = MacrocellOfPin(pin);
  if (cell != nullptr && cell->registered) {
    // The GAL22V10 family feeds a register back from its inverted output, before the polarity
    // cell; the GAL16V8 and GAL20V8 show the register as the pin does, enabled or not.
    const bool q = state.q[cell - cells_.data()];
    value = IsV8(type_) ? PinDomain(*cell, q) : !q;
  }
  return value != column_inverted_[column] ? 1 : 0;
}

bool DeviceSimulator::Product(int row, const State& state, bool* unwired) const {
  if (!term_enabled_[row]) return false;
  bool reads_unwired = false;
  for (int c = 0; c < columns_; ++c) {
    if (array_[row * columns_ + c] != 0) continue;
    const int value = ColumnValue(c, state);
    if (value == 0) return false;
    reads_unwired = reads_unwired || value < 0;
  }
  if (reads_unwired && unwired != nullptr) *unwired = true;
  return !reads_unwired;
}

bool DeviceSimulator::Sum(const Macrocell& cell, const State& state) const {
  for (int row : cell.term_rows) {
    if (Product(row, state)) return true;
  }
  return false;
}

bool DeviceSimulator::Enabled(const Macrocell& cell, const State& state) const {
  switch (cell.enable) {
    case Enable::kAlways:
      return true;
    case Enable::kRow:
      return Product(cell.oe_row, state);
    case Enable::kOePin:
      return !state.level[oe_pin()];
  }
  return false;
}

void DeviceSimulator::ApplyReset() {
  if (IsV8(type_) || !Product(0, state_)) return;
  for (std::size_t k = 0; k < cells_.size(); ++k) {
    if (cells_[k].registered) state_.q[k] = false;
  }
}

void DeviceSimulator::LoadRegisters() {
  std::vector<bool> next = state_.q;
  const bool preset = !IsV8(type_) && Product(rows_ - 1, state_);
  for (std::size_t k = 0; k < cells_.size(); ++k) {
    if (cells_[k].drives && cells_[k].registered) next[k] = preset || Sum(cells_[k], state_);
  }
  state_.q = std::move(next);
  ApplyReset();
}

bool DeviceSimulator::Settle() {
  const int pins = pin_count();
  for (int round = 0; round < kSettleRounds; ++round) {
    ApplyReset();
    std::vector<bool> level(pins + 1, false);
    std::vector<bool> enabled(cells_.size(), false);
    for (int pin = 1; pin <= pins; ++pin) level[pin] = driven_[pin].value_or(false);
    for (std::size_t k = 0; k < cells_.size(); ++k) {
      const Macrocell& cell = cells_[k];
      if (!cell.drives || !Enabled(cell, state_)) continue;
      enabled[k] = true;
      level[cell.pin] =
          PinDomain(cell, cell.registered ? static_cast<bool>(state_.q[k]) : Sum(cell, state_));
    }
    if (level == state_.level && enabled == enabled_) return true;
    state_.level = std::move(level);
    enabled_ = std::move(enabled);
  }
  return false;
}

DeviceSimulator::Snapshot DeviceSimulator::Evaluate(const std::vector<bool>& levels) const {
  State state;
  state.level.assign(pin_count() + 1, false);
  for (int pin = 1; pin <= pin_count() && pin < static_cast<int>(levels.size()); ++pin)
    state.level[pin] = levels[pin];
  state.q.assign(cells_.size(), false);
  for (std::size_t k = 0; k < cells_.size(); ++k)
    state.q[k] = PinDomain(cells_[k], state.level[cells_[k].pin]);

  Snapshot snapshot;
  bool unwired = false;
  auto product = [&](int row) { return Product(row, state, &unwired); };
  snapshot.pins.assign(pin_count() + 1, std::nullopt);
  for (const Macrocell& cell : cells_) {
    if (!cell.drives) continue;
    bool sum = false;
    for (int row : cell.term_rows) sum = product(row) || sum;
    Drive drive;
    drive.level = PinDomain(cell, sum);
    drive.enabled = cell.enable == Enable::kRow ? product(cell.oe_row) : Enabled(cell, state);
    snapshot.pins[cell.pin] = drive;
  }
  if (!IsV8(type_)) {
    snapshot.reset = product(0);
    snapshot.preset = product(rows_ - 1);
  }
  snapshot.valid = !unwired;
  return snapshot;
}

DeviceSimulator::Levels DeviceSimulator::Step(const std::vector<std::optional<bool>>& driven,
                                              bool clock) {
  const int pins = pin_count();
  driven_.assign(pins + 1, std::nullopt);
  for (int pin = 1; pin <= pins && pin < static_cast<int>(driven.size()); ++pin)
    driven_[pin] = driven[pin];
  if (clock) {
    driven_[clock_pin()] = false;
    Settle();
    LoadRegisters();
    driven_[clock_pin()] = true;
  }
  Settle();

  Levels result;
  result.pins.assign(pins + 1, PinLevel::kLow);
  result.device_drives.assign(pins + 1, false);
  for (int pin = 1; pin <= pins; ++pin) {
    const Macrocell* cell = MacrocellOfPin(pin);
    const bool device = cell != nullptr && enabled_[cell - cells_.data()];
    result.device_drives[pin] = device;
    if (device || driven_[pin]) {
      result.pins[pin] = state_.level[pin] ? PinLevel::kHigh : PinLevel::kLow;
    } else if (CanDrive(pin)) {
      result.pins[pin] = PinLevel::kZ;
    } else if (FixedName(type_, mode_, pin) == "VCC") {
      result.pins[pin] = PinLevel::kHigh;
    }
  }
  return result;
}

}  // namespace kem
