// A GAL device as the fuses that will be burned configure it: the AND-OR array, the polarity of
// each output, the output enables, the registers on the clock pin's rising edge with the feedback
// the device takes from them, and on the GAL22V10 family the asynchronous reset (AR) and the
// synchronous preset (SP) terms. A simulation that passes therefore proves the fuse map itself,
// not only the equations it came from.
//
// Levels are three-valued: a level nobody can know (a pin nobody drives, an input given as X, a
// latch not set since power-up, feedback that never comes to rest) is X, and so is everything
// that depends on it, so a vector can never pass on a level the chip does not determine.
//
// The fuse list is in JEDEC fuse numbering. Which pin's signal each AND-array column carries comes
// from the catalogue; the blocks of rows of the macrocells, the architecture cells and the
// register feedback are this model's own reading of the devices.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/fuse_map.h"
#include "device/jedec_reader.h"

namespace kem {

enum class PinLevel : std::uint8_t { kLow, kHigh, kZ, kX };

enum class Logic : std::uint8_t { k0, k1, kX };

// Where an undetermined level comes from: the pin whose level is unknown in the first place.
struct Unknown {
  enum class Source : std::uint8_t { kNone, kFloating, kInputX, kPowerUp, kConflict, kUnsettled };
  Source source = Source::kNone;
  int pin = 0;
};

// The device of a JEDEC file: the one whose fuse count (QF) and pin count (QP) it has; where two
// fit, the one its first field names.
int JedecDeviceType(const JedecFile& file);
// Empty unless the first field names another device than `gal_type`, the one QF and QP give.
std::string JedecDeviceNoteFault(const JedecFile& file, int gal_type);

class DeviceSimulator {
 public:
  enum class Enable { kAlways, kRow, kOePin };

  struct Macrocell {
    int pin = 0;
    bool drives = false;  // false: the pin serves as an input
    bool registered = false;
    bool active_high = false;
    std::vector<int> term_rows;  // JEDEC rows
    Enable enable = Enable::kAlways;
    int oe_row = -1;
  };

  // What the device drives for given pin levels, without time: combinational outputs their level
  // now, registers the level their pin shows after the next clock edge.
  struct Drive {
    bool enabled = false;
    bool level = false;
  };
  struct Snapshot {
    bool valid = true;  // false: a term that would be true reads a column no pin drives
    std::vector<std::optional<Drive>> pins;  // by pin number; none where the device drives nothing
    bool reset = false;                      // GAL22V10 family: the asynchronous reset term
    bool preset = false;                     // GAL22V10 family: the synchronous preset term
  };

  // Pin levels after a step, by pin number (index 0 unused).
  struct Levels {
    std::vector<PinLevel> pins;
    std::vector<bool> device_drives;  // the device drives the pin now, or may
    std::vector<Unknown> why;         // where pins[n] is X
    std::vector<int> unsettled;       // pins whose feedback did not come to rest, ascending
  };

  // Nothing, with the reason in `error`, when the fuses describe no configuration of the device.
  static std::optional<DeviceSimulator> FromFuses(int gal_type, std::vector<std::uint8_t> fuses,
                                                  std::string& error);
  // The map straight from the fitter, taken through the device's JEDEC numbering.
  static std::optional<DeviceSimulator> FromFuseMap(int gal_type, const FuseMap& map,
                                                    std::string& error);

  int gal_type() const { return type_; }
  int mode() const { return mode_; }
  int pin_count() const;
  int clock_pin() const;
  // The GAL16V8's and GAL20V8's output-enable pin of registered mode.
  int oe_pin() const;
  const std::vector<Macrocell>& macrocells() const { return cells_; }
  const Macrocell* MacrocellOfPin(int pin) const;
  // What the fuses configure oddly but harmlessly, one line each (a cell left unused).
  const std::vector<std::string>& warnings() const { return warnings_; }

  // The columns a JEDEC row connects, in column order: the pin whose signal each carries (0 for a
  // column no pin drives) and whether it carries the complement. A registered pin's column carries
  // its register as the array reads it back: on the GAL16V8 and GAL20V8 the level its pin shows,
  // on the GAL22V10 family the register's inverted output, before the polarity cell. Empty for a
  // row that connects nothing, which is true whenever its term is enabled.
  struct RowLiteral {
    int pin = 0;
    bool inverted = false;
  };
  std::vector<RowLiteral> RowLiterals(int row) const;
  // The row's term is enabled and it does not connect both columns of one signal.
  bool RowCanBeTrue(int row) const;

  // GND and VCC.
  bool IsSupply(int pin) const;
  // The pin can take a level from outside: the array reads it and no output holds it, or it is
  // the clock or the output-enable pin.
  bool CanBeDriven(int pin) const;
  // The device can drive the pin: its macrocell is an output whose enable is not always off.
  bool CanDrive(int pin) const;

  // As at power-up: the registers reset (a GAL16V8 or GAL20V8 registered pin then shows H, the
  // polarity being ahead of the register there), every other level unknown, the clock pin low.
  void PowerUp();
  // Applies the levels driven from outside (`driven[pin]`, none where nothing drives the pin).
  // With `pulse` the clock pin gets a pulse: low while the levels settle, the rising edge, low
  // again before the pins are read. Without it the registers load wherever the clock pin rises
  // from the step before. Returns every pin's level afterwards.
  Levels Step(const std::vector<std::optional<Logic>>& driven, bool pulse);

  // `levels[pin]` are the levels the array sees, for a registered output the level its pin shows
  // now (the register is taken to hold it).
  Snapshot Evaluate(const std::vector<bool>& levels) const;

 private:
  struct Signal {
    Logic value = Logic::kX;
    Unknown why;  // where value is X
  };
  struct State {
    std::vector<Signal> level;   // by pin: the level the array sees
    std::vector<Signal> q;       // by macrocell: the register as its output shows it now
    std::vector<Signal> enable;  // by macrocell
    std::vector<Signal> out;     // by macrocell: the level it drives while enabled
  };

  static Signal Known(bool level) { return {level ? Logic::k1 : Logic::k0, {}}; }
  static Signal Not(Signal s);
  static Signal Or(const Signal& a, const Signal& b);
  // The register `q` under the asynchronous reset: 0 where it is true, unknown where it may be.
  static Signal Reset(const Signal& reset, const Signal& q);
  static Signal PinDomain(const Macrocell& cell, const Signal& q) {
    return cell.active_high ? q : Not(q);
  }
  static bool SameLevels(const State& a, const State& b);

  Signal Product(int row, const State& state, bool* unwired = nullptr) const;
  Signal Sum(const Macrocell& cell, const State& state, bool* unwired = nullptr) const;
  Signal Enabled(const Macrocell& cell, const State& state) const;
  bool AlwaysEnabled(const Macrocell& cell) const;
  // None for a column no pin drives.
  std::optional<Signal> ColumnValue(int column, const State& state) const;
  Signal External(int pin) const;
  // One round of the array on the levels of `state`, with the levels driven from outside.
  State Round(const State& state) const;
  // Rounds until a state repeats; the pins that change in the cycle it closes, none at rest.
  // `state` becomes the last state, those pins X.
  std::vector<int> RunToRepeat(State& state) const;
  // Comes to rest from `state_`; the pins that never do are added to `unsettled`.
  void Settle(std::vector<int>& unsettled);
  // Rounds from `state`, never taking back an X, until nothing changes.
  State Converge(State state) const;
  // A level the device holds unknown since power-up that can rest at no level oscillates.
  std::vector<int> Oscillating() const;
  void LoadRegisters(Logic edge);
  Levels Read(std::vector<int> unsettled) const;

  int type_ = 0;
  int mode_ = 0;
  int columns_ = 0;
  int rows_ = 0;
  std::vector<std::uint8_t> array_;  // fuses of the AND array: 0 connects the column
  std::vector<bool> term_enabled_;
  std::vector<Macrocell> cells_;
  std::vector<int> cell_of_pin_;       // index into cells_, -1 none
  std::vector<int> column_pin_;        // the pin whose signal a column carries, 0 none
  std::vector<bool> column_inverted_;  // the column carries the complement
  std::vector<bool> readable_;         // by pin: a column carries it
  std::vector<std::optional<Logic>> driven_;
  State state_;
  std::vector<Signal> held_;  // by macrocell: what the register stores
  Logic clock_before_ = Logic::k0;
  std::vector<std::string> warnings_;
};

}  // namespace kem
