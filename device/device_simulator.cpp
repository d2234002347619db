#include "device/device_simulator.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "common/format.h"
#include "device/catalogue.h"
#include "device/jedec_parts.h"
#include "device/jedec_writer.h"
#include "device/simulation_messages.h"

namespace kem {

namespace {

// Feedback through combinational outputs may take a few rounds to come to rest; a loop that
// never does (a ring of inverters) is cut off after these.
constexpr int kSettleRounds = 64;

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

using Source = Unknown::Source;

}  // namespace

int JedecDeviceType(const JedecFile& file) {
  int fitting = -1;
  for (int type = 0; type < kDeviceCount; ++type) {
    const int fuses = static_cast<int>(DeviceJedecLayout(type).cells.size());
    // A part of the family may add its power-down fuse after the family's last.
    const bool power_down = FamilyPowerDownFuse(type) == fuses && file.fuse_count == fuses + 1;
    if ((fuses != file.fuse_count && !power_down) ||
        (file.pins >= 0 && file.pins != PinCount(type)))
      continue;
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
  // A part's power-down fuse only lets a pin stop the chip to save current: no logic of its own.
  if (fuses.size() == expected + 1 && FamilyPowerDownFuse(gal_type) == static_cast<int>(expected))
    fuses.pop_back();
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

std::vector<DeviceSimulator::RowLiteral> DeviceSimulator::RowLiterals(int row) const {
  std::vector<RowLiteral> literals;
  for (int c = 0; c < columns_; ++c) {
    if (array_[row * columns_ + c] == 0) literals.push_back({column_pin_[c], column_inverted_[c]});
  }
  return literals;
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
  driven_.assign(pin_count() + 1, std::nullopt);
  state_.level.assign(pin_count() + 1, {});
  for (int pin = 1; pin <= pin_count(); ++pin) state_.level[pin].why = {Source::kPowerUp, pin};
  held_.assign(cells_.size(), Known(false));
  for (std::size_t k = 0; k < cells_.size(); ++k) {
    // The register's Q resets to 0; a GAL16V8 or GAL20V8 shows it through its inverting output
    // buffer after the polarity, so the pin is high either way.
    if (IsV8(type_) && cells_[k].registered) held_[k] = Known(cells_[k].active_high);
  }
  state_.q = held_;
  state_.enable.assign(cells_.size(), {});
  state_.out.assign(cells_.size(), {});
  clock_before_ = Logic::k0;
}

std::optional<DeviceSimulator::Signal> DeviceSimulator::ColumnValue(int column,
                                                                    const State& state) const {
  const int pin = column_pin_[column];
  if (pin == 0) return std::nullopt;
  Signal value = state.level[pin];
  const Macrocell* cell = MacrocellOfPin(pin);
  if (cell != nullptr && cell->registered) {
    // The GAL22V10 family feeds a register back from its inverted output, before the polarity
    // cell; the GAL16V8 and GAL20V8 show the register as the pin does, enabled or not.
    const Signal& q = state.q[cell - cells_.data()];
    value = IsV8(type_) ? PinDomain(*cell, q) : Not(q);
  }
  return column_inverted_[column] ? Not(value) : value;
}

DeviceSimulator::Signal DeviceSimulator::Product(int row, const State& state, bool* unwired) const {
  if (!term_enabled_[row]) return Known(false);
  bool reads_unwired = false;
  std::optional<Signal> unknown;
  for (int c = 0; c < columns_; ++c) {
    if (array_[row * columns_ + c] != 0) continue;
    const std::optional<Signal> value = ColumnValue(c, state);
    if (value && value->value == Logic::k0) return Known(false);
    reads_unwired = reads_unwired || !value;
    if (value && value->value == Logic::kX && !unknown) unknown = value;
  }
  if (reads_unwired) {
    if (unwired != nullptr) *unwired = true;
    return Known(false);
  }
  return unknown.value_or(Known(true));
}

DeviceSimulator::Signal DeviceSimulator::Sum(const Macrocell& cell, const State& state,
                                             bool* unwired) const {
  Signal sum = Known(false);
  for (int row : cell.term_rows) sum = Or(sum, Product(row, state, unwired));
  return sum;
}

DeviceSimulator::Signal DeviceSimulator::Enabled(const Macrocell& cell, const State& state) const {
  switch (cell.enable) {
    case Enable::kAlways:
      return Known(true);
    case Enable::kRow:
      return Product(cell.oe_row, state);
    case Enable::kOePin:
      return Not(state.level[oe_pin()]);
  }
  return Known(false);
}

DeviceSimulator::Signal DeviceSimulator::External(int pin) const {
  if (!driven_[pin]) return {Logic::kX, {Source::kFloating, pin}};
  if (*driven_[pin] == Logic::kX) return {Logic::kX, {Source::kInputX, pin}};
  return Known(*driven_[pin] == Logic::k1);
}

DeviceSimulator::Signal DeviceSimulator::Not(Signal s) {
  if (s.value != Logic::kX) s.value = s.value == Logic::k1 ? Logic::k0 : Logic::k1;
  return s;
}

DeviceSimulator::Signal DeviceSimulator::Or(const Signal& a, const Signal& b) {
  if (a.value == Logic::k1) return a;
  if (b.value == Logic::k1 || a.value == Logic::k0) return b;
  return a;
}

DeviceSimulator::Signal DeviceSimulator::Reset(const Signal& reset, const Signal& q) {
  if (reset.value == Logic::k1 || q.value == Logic::k0) return Known(false);
  if (reset.value == Logic::kX) return reset;
  return q;
}

DeviceSimulator::State DeviceSimulator::Round(const State& state) const {
  State next;
  next.q = held_;
  if (!IsV8(type_)) {
    // The asynchronous reset acts on the registers at once, whatever the clock does.
    const Signal reset = Product(0, state);
    for (std::size_t k = 0; k < cells_.size(); ++k) {
      if (cells_[k].registered) next.q[k] = Reset(reset, held_[k]);
    }
  }
  next.level.resize(state.level.size());
  for (int pin = 1; pin <= pin_count(); ++pin) next.level[pin] = External(pin);
  next.enable.assign(cells_.size(), Known(false));
  next.out.assign(cells_.size(), Known(false));
  for (std::size_t k = 0; k < cells_.size(); ++k) {
    const Macrocell& cell = cells_[k];
    if (!cell.drives) continue;
    const Signal enable = Enabled(cell, state);
    const Signal out = PinDomain(cell, cell.registered ? next.q[k] : Sum(cell, state));
    next.enable[k] = enable;
    next.out[k] = out;
    if (enable.value == Logic::k0) continue;
    Signal& pin = next.level[cell.pin];  // the level from outside, or a floating pin
    const bool outside = driven_[cell.pin].has_value();
    if (!outside && enable.value == Logic::k1) {
      pin = out;
    } else if (!outside || pin.value != out.value || out.value == Logic::kX) {
      // Driven by the device or floating, or driven by both sides to different levels.
      const Unknown why = out.value == Logic::kX      ? out.why
                          : enable.value == Logic::kX ? enable.why
                          : pin.value == Logic::kX    ? pin.why
                                                      : Unknown{Source::kConflict, cell.pin};
      pin = {Logic::kX, why};
    }
  }
  return next;
}

bool DeviceSimulator::SameLevels(const State& a, const State& b) {
  auto same = [](const std::vector<Signal>& x, const std::vector<Signal>& y) {
    return std::equal(x.begin(), x.end(), y.begin(), y.end(),
                      [](const Signal& p, const Signal& q) { return p.value == q.value; });
  };
  return same(a.level, b.level) && same(a.q, b.q);
}

DeviceSimulator::State DeviceSimulator::Converge(State state) const {
  // A level that changes becomes X and an X stays, so this ends within one round per signal.
  for (;;) {
    State next = Round(state);
    bool changed = false;
    auto widen = [&changed](std::vector<Signal>& now, const std::vector<Signal>& was, auto pin_of) {
      for (std::size_t i = 0; i < now.size(); ++i) {
        if (was[i].value == Logic::kX && now[i].value != Logic::kX) {
          now[i] = was[i];
        } else if (now[i].value != was[i].value && was[i].value != Logic::kX) {
          now[i] = {Logic::kX, {Source::kUnsettled, pin_of(i)}};
        }
        changed = changed || now[i].value != was[i].value;
      }
    };
    widen(next.level, state.level, [](std::size_t i) { return static_cast<int>(i); });
    widen(next.q, state.q, [this](std::size_t k) { return cells_[k].pin; });
    state = std::move(next);
    if (!changed) return state;
  }
}

std::vector<int> DeviceSimulator::RunToRepeat(State& state) const {
  // The last state again is rest; an earlier one closes a cycle, and its pins that change
  // oscillate. A cycle longer than the rounds kept is taken from the later half of them.
  std::vector<State> seen{state};
  for (;;) {
    State next = Round(seen.back());
    const auto again = std::find_if(seen.begin(), seen.end(),
                                    [&next](const State& s) { return SameLevels(s, next); });
    if (again == seen.end() - 1) {
      state = std::move(next);
      return {};
    }
    if (again == seen.end() && seen.size() < kSettleRounds) {
      seen.push_back(std::move(next));
      continue;
    }
    const auto first = again == seen.end() ? seen.begin() + kSettleRounds / 2 : again;
    std::vector<int> moving;
    for (int pin = 1; pin <= pin_count(); ++pin) {
      const bool moves = std::any_of(first, seen.end(), [&](const State& s) {
        return s.level[pin].value != next.level[pin].value;
      });
      if (!moves) continue;
      next.level[pin] = {Logic::kX, {Source::kUnsettled, pin}};
      moving.push_back(pin);
    }
    for (std::size_t k = 0; k < cells_.size(); ++k) {
      const bool moves = std::any_of(
          first, seen.end(), [&](const State& s) { return s.q[k].value != next.q[k].value; });
      if (moves) next.q[k] = {Logic::kX, {Source::kUnsettled, cells_[k].pin}};
    }
    state = std::move(next);
    return moving;
  }
}

void DeviceSimulator::Settle(std::vector<int>& unsettled) {
  State state = state_;
  // Levels from outside arrive at once; only what the device drives takes rounds.
  for (int pin = 1; pin <= pin_count(); ++pin) {
    const Macrocell* cell = MacrocellOfPin(pin);
    if (cell == nullptr || !cell->drives) state.level[pin] = External(pin);
  }
  std::vector<int> moving = RunToRepeat(state);
  if (!moving.empty()) state = Converge(std::move(state));
  state_ = std::move(state);
  if (moving.empty()) moving = Oscillating();
  if (!moving.empty()) {
    for (int pin : moving) state_.level[pin] = {Logic::kX, {Source::kUnsettled, pin}};
    // The unknown levels that follow them take the reason along.
    for (int round = 0; round < pin_count(); ++round) state_ = Converge(std::move(state_));
    unsettled.insert(unsettled.end(), moving.begin(), moving.end());
  }
  held_ = state_.q;
}

std::vector<int> DeviceSimulator::Oscillating() const {
  // Outputs of the array whose level is unknown since power-up: a latch rests at one of its
  // levels, a ring of inverters at none.
  std::vector<int> open;
  for (const Macrocell& cell : cells_) {
    const Signal& level = state_.level[cell.pin];
    if (cell.drives && !cell.registered && level.value == Logic::kX &&
        level.why.source == Source::kPowerUp)
      open.push_back(cell.pin);
  }
  if (open.empty()) return {};
  // Most often they come to rest from one level; else some levels of theirs have to be found
  // at which the array keeps them.
  State probe = state_;
  for (int pin : open) probe.level[pin] = Known(false);
  std::vector<int> moving = RunToRepeat(probe);
  if (moving.empty()) return {};
  for (unsigned bits = 1; bits < (1u << open.size()); ++bits) {
    State state = state_;
    for (std::size_t i = 0; i < open.size(); ++i)
      state.level[open[i]] = Known(((bits >> i) & 1u) != 0);
    const State next = Round(state);
    const bool rests = std::all_of(open.begin(), open.end(), [&](int pin) {
      return next.level[pin].value == Logic::kX || next.level[pin].value == state.level[pin].value;
    });
    if (rests) return {};
  }
  return moving;
}

void DeviceSimulator::LoadRegisters(Logic edge) {
  const bool v8 = IsV8(type_);
  const Signal preset = v8 ? Known(false) : Product(rows_ - 1, state_);
  const Signal reset = v8 ? Known(false) : Product(0, state_);
  for (std::size_t k = 0; k < cells_.size(); ++k) {
    const Macrocell& cell = cells_[k];
    if (!cell.drives || !cell.registered) continue;
    // The asynchronous reset wins over the edge.
    Signal next = Reset(reset, Or(preset, Sum(cell, state_)));
    if (edge == Logic::kX && next.value != held_[k].value) {
      next.why = next.value == Logic::kX ? next.why : Unknown{Source::kInputX, clock_pin()};
      next.value = Logic::kX;
    }
    held_[k] = next;
  }
}

DeviceSimulator::Levels DeviceSimulator::Read(std::vector<int> unsettled) const {
  const int pins = pin_count();
  Levels result;
  result.pins.assign(pins + 1, PinLevel::kLow);
  result.device_drives.assign(pins + 1, false);
  result.why.assign(pins + 1, {});
  auto shown = [](Logic value) {
    return value == Logic::k1   ? PinLevel::kHigh
           : value == Logic::k0 ? PinLevel::kLow
                                : PinLevel::kX;
  };
  for (int pin = 1; pin <= pins; ++pin) {
    const Macrocell* cell = MacrocellOfPin(pin);
    const std::size_t k = cell == nullptr ? 0 : static_cast<std::size_t>(cell - cells_.data());
    const Logic enable = cell != nullptr && cell->drives ? state_.enable[k].value : Logic::k0;
    result.device_drives[pin] = enable != Logic::k0;
    if (enable == Logic::k1) {
      // What the device drives, also against a level from outside (a conflict).
      result.pins[pin] = shown(state_.out[k].value);
      result.why[pin] = state_.out[k].why;
    } else if (enable == Logic::kX || driven_[pin]) {
      result.pins[pin] = shown(state_.level[pin].value);
      result.why[pin] = state_.level[pin].why;
    } else if (CanDrive(pin)) {
      result.pins[pin] = PinLevel::kZ;
    } else if (FixedName(type_, mode_, pin) == "VCC") {
      result.pins[pin] = PinLevel::kHigh;
    }
  }
  std::sort(unsettled.begin(), unsettled.end());
  unsettled.erase(std::unique(unsettled.begin(), unsettled.end()), unsettled.end());
  result.unsettled = std::move(unsettled);
  return result;
}

DeviceSimulator::Snapshot DeviceSimulator::Evaluate(const std::vector<bool>& levels) const {
  State state;
  state.level.assign(pin_count() + 1, Known(false));
  for (int pin = 1; pin <= pin_count() && pin < static_cast<int>(levels.size()); ++pin)
    state.level[pin] = Known(levels[pin]);
  state.q.assign(cells_.size(), Known(false));
  for (std::size_t k = 0; k < cells_.size(); ++k)
    state.q[k] = PinDomain(cells_[k], state.level[cells_[k].pin]);

  Snapshot snapshot;
  bool unwired = false;
  auto product = [&](int row) { return Product(row, state, &unwired).value == Logic::k1; };
  snapshot.pins.assign(pin_count() + 1, std::nullopt);
  for (const Macrocell& cell : cells_) {
    if (!cell.drives) continue;
    Drive drive;
    drive.level = PinDomain(cell, Sum(cell, state, &unwired)).value == Logic::k1;
    drive.enabled = cell.enable == Enable::kRow ? product(cell.oe_row)
                                                : Enabled(cell, state).value == Logic::k1;
    snapshot.pins[cell.pin] = drive;
  }
  if (!IsV8(type_)) {
    snapshot.reset = product(0);
    snapshot.preset = product(rows_ - 1);
  }
  snapshot.valid = !unwired;
  return snapshot;
}

DeviceSimulator::Levels DeviceSimulator::Step(const std::vector<std::optional<Logic>>& driven,
                                              bool pulse) {
  const int pins = pin_count();
  const int clock = clock_pin();
  driven_.assign(pins + 1, std::nullopt);
  for (int pin = 1; pin <= pins && pin < static_cast<int>(driven.size()); ++pin)
    driven_[pin] = driven[pin];
  const Logic before = clock_before_;
  const Logic after = pulse ? Logic::k0 : driven_[clock].value_or(Logic::kX);
  // The edge of a pulse, or a rise from the step before; one that may have happened is X.
  const Logic edge = pulse                                       ? Logic::k1
                     : before == Logic::k0 && after == Logic::k1 ? Logic::k1
                     : before != Logic::k1 && after != Logic::k0 ? Logic::kX
                                                                 : Logic::k0;
  std::vector<int> unsettled;
  if (edge != Logic::k0) {
    // The other levels arrive with the clock still where it was, then it rises.
    driven_[clock] = pulse ? Logic::k0 : before;
    Settle(unsettled);
    LoadRegisters(edge);
    driven_[clock] = pulse ? Logic::k1 : after;
    if (pulse) {
      Settle(unsettled);
      driven_[clock] = Logic::k0;
    }
  }
  Settle(unsettled);
  clock_before_ = after;
  return Read(std::move(unsettled));
}

}  // namespace kem
