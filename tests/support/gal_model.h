// A GAL device as the fuses of its JEDEC file configure it, for checking a fitted design against
// its equations: which macrocells drive their pins, registered or combinational, with which
// polarity, and what each one drives for given pin levels.
//
// Only the column wiring is taken from the catalogue; the fuse numbering, the row blocks of the
// macrocells, the mode cells and the register feedback are this model's own reading of the
// devices.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "device/catalogue.h"

namespace kem::testing_support {

inline constexpr int kLevels = 31;  // pin levels by pin number 1..30
using Levels = std::array<bool, kLevels>;

class GalModel {
 public:
  enum class Enable { kAlways, kRow, kOePin };

  struct Macrocell {
    int pin = 0;
    bool drives = false;  // false: the pin is an input
    bool registered = false;
    bool active_high = false;
    std::vector<int> term_rows;
    Enable enable = Enable::kAlways;
    int oe_row = -1;
  };

  struct Drive {
    bool enabled = false;
    bool level = false;  // combinational: the level now; registered: the level after the clock
  };

  struct Result {
    bool valid = true;  // false: a connected column carries no known signal
    std::array<std::optional<Drive>, kLevels> pins{};
    bool reset = false;   // GAL22V10 family: asynchronous reset term
    bool preset = false;  // GAL22V10 family: synchronous preset term
  };

  // Nothing, with the reason in `error`, when the fuses describe no configuration of the device.
  static std::optional<GalModel> FromFuses(int gal_type, const std::vector<int>& fuses,
                                           std::string& error) {
    GalModel m;
    m.type_ = gal_type;
    const bool v8 = gal_type == kGal16V8 || gal_type == kGal20V8;
    m.columns_ = gal_type == kGal16V8 ? 32 : gal_type == kGal20V8 ? 40 : 44;
    const int rows = v8 ? 64 : 132;
    const int array_end = rows * m.columns_;
    const int expected = v8 ? array_end + 146 : array_end + 84;
    if (static_cast<int>(fuses.size()) != expected) {
      error =
          "fuse count " + std::to_string(fuses.size()) + ", expected " + std::to_string(expected);
      return std::nullopt;
    }
    m.array_.assign(fuses.begin(), fuses.begin() + array_end);
    m.term_enabled_.assign(rows, true);

    if (v8) {
      const int syn = fuses[array_end + 144];
      const int ac0 = fuses[array_end + 145];
      if (syn == 1 && ac0 == 0) {
        m.mode_ = kSimpleMode;
      } else if (syn == 1 && ac0 == 1) {
        m.mode_ = kComplexMode;
      } else if (syn == 0 && ac0 == 1) {
        m.mode_ = kRegisteredMode;
      } else {
        error = "SYN 0 and AC0 0";
        return std::nullopt;
      }
      for (int r = 0; r < rows; ++r) m.term_enabled_[r] = fuses[array_end + 80 + r] == 1;
      for (int k = 0; k < 8; ++k) {
        Macrocell cell;
        cell.pin = (gal_type == kGal16V8 ? 19 : 22) - k;
        cell.active_high = fuses[array_end + k] == 1;
        const bool ac1 = fuses[array_end + 72 + k] == 1;
        const int first = 8 * k;
        if (m.mode_ == kSimpleMode) {
          cell.drives = !ac1;
        } else if (m.mode_ == kComplexMode) {
          if (!ac1) {
            error = "AC1 0 in complex mode";
            return std::nullopt;
          }
          cell.drives = true;
        } else {
          cell.drives = true;
          cell.registered = !ac1;
        }
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
      int row = 1;  // row 0 is the asynchronous reset
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

    // Which signal each column carries, from the catalogue's column pairs of the mode.
    m.column_pin_.assign(m.columns_, 0);
    m.column_inverted_.assign(m.columns_, false);
    for (int n = 1; n <= PinCount(gal_type); ++n) {
      // The GAL22V10 family feeds a register back from its inverted output, before the polarity
      // cell; the GAL16V8 and GAL20V8 show the pin's level.
      const Macrocell* cell = m.MacrocellOfPin(n);
      const bool inverted_feedback = !v8 && cell && cell->registered && cell->active_high;
      for (int negated = 0; negated <= 1; ++negated) {
        const int column = InputColumn(gal_type, m.mode_, n, negated, 0);
        if (column < 0) continue;
        m.column_pin_[column] = n;
        m.column_inverted_[column] = (negated == 1) != inverted_feedback;
      }
    }
    m.connected_.resize(rows);
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < m.columns_; ++c) {
        if (m.array_[r * m.columns_ + c] == 0) m.connected_[r].push_back(c);
      }
    }
    return m;
  }

  int mode() const { return mode_; }
  const std::vector<Macrocell>& macrocells() const { return cells_; }
  const Macrocell* MacrocellOfPin(int pin) const {
    for (const Macrocell& cell : cells_) {
      if (cell.pin == pin) return &cell;
    }
    return nullptr;
  }

  // `levels` are the pin levels the equations see; for a registered output the level its pin
  // shows before the clock.
  Result Evaluate(const Levels& levels) const {
    Result result;
    std::vector<int> column_value(columns_, -1);
    for (int c = 0; c < columns_; ++c) {
      const int pin = column_pin_[c];
      if (pin == 0) continue;
      column_value[c] = (levels[pin] != column_inverted_[c]) ? 1 : 0;
    }

    auto product = [&](int row) {
      if (!term_enabled_[row]) return false;
      bool unknown = false;
      for (int c : connected_[row]) {
        if (column_value[c] == 0) return false;
        if (column_value[c] < 0) unknown = true;
      }
      if (unknown) result.valid = false;
      return true;
    };

    for (const Macrocell& cell : cells_) {
      if (!cell.drives) continue;
      bool sum = false;
      for (int row : cell.term_rows) sum = product(row) || sum;
      Drive drive;
      drive.level = cell.active_high ? sum : !sum;
      switch (cell.enable) {
        case Enable::kAlways:
          drive.enabled = true;
          break;
        case Enable::kRow:
          drive.enabled = product(cell.oe_row);
          break;
        case Enable::kOePin:
          drive.enabled = !levels[type_ == kGal16V8 ? 11 : 13];
          break;
      }
      result.pins[cell.pin] = drive;
    }
    if (type_ != kGal16V8 && type_ != kGal20V8) {
      result.reset = product(0);
      result.preset = product(131);
    }
    return result;
  }

 private:
  int type_ = 0;
  int mode_ = 0;
  int columns_ = 0;
  std::vector<int> array_;
  std::vector<bool> term_enabled_;
  std::vector<Macrocell> cells_;
  std::vector<int> column_pin_;              // the pin whose signal a column carries, 0 none
  std::vector<bool> column_inverted_;        // the column carries the pin's level inverted
  std::vector<std::vector<int>> connected_;  // the columns each row connects
};

}  // namespace kem::testing_support
