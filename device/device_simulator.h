// A GAL device as the fuses that will be burned configure it: the AND-OR array, the polarity of
// each output, the output enables, the registers on the clock pin's rising edge with the feedback
// the device takes from them, and on the GAL22V10 family the asynchronous reset (AR) and the
// synchronous preset (SP) terms. A simulation that passes therefore proves the fuse map itself,
// not only the equations it came from.
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

enum class PinLevel : std::uint8_t { kLow, kHigh, kZ };

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
    std::vector<bool> device_drives;  // the device drives the pin now
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
  const std::vector<Macrocell>& macrocells() const { return cells_; }
  const Macrocell* MacrocellOfPin(int pin) const;
  // What the fuses configure oddly but harmlessly, one line each (a cell left unused).
  const std::vector<std::string>& warnings() const { return warnings_; }

  // GND and VCC.
  bool IsSupply(int pin) const;
  // The pin can take a level from outside: the array reads it and no output holds it, or it is
  // the clock or the output-enable pin.
  bool CanBeDriven(int pin) const;
  // The device can drive the pin: its macrocell is an output whose enable is not always off.
  bool CanDrive(int pin) const;

  // Registers to 0, as at power-up.
  void PowerUp();
  // Applies the levels driven from outside (`driven[pin]`, none where nothing drives the pin);
  // with `clock`, the clock pin is held low while they settle and then rises, so the registers
  // load. Returns every pin's level afterwards.
  Levels Step(const std::vector<std::optional<bool>>& driven, bool clock);

  // `levels[pin]` are the levels the array sees, for a registered output the level its pin shows
  // now (the register is taken to hold it).
  Snapshot Evaluate(const std::vector<bool>& levels) const;

 private:
  struct State {
    std::vector<bool> level;  // by pin: the level the array sees
    std::vector<bool> q;      // by macrocell: the register
  };

  bool Product(int row, const State& state, bool* unwired = nullptr) const;
  bool Sum(const Macrocell& cell, const State& state) const;
  bool Enabled(const Macrocell& cell, const State& state) const;
  bool AlwaysEnabled(const Macrocell& cell) const;
  bool RowCanBeTrue(int row) const;
  bool PinDomain(const Macrocell& cell, bool q) const { return cell.active_high ? q : !q; }
  int ColumnValue(int column, const State& state) const;  // -1: no pin drives it
  bool Settle();  // false when the feedback did not come to rest
  void LoadRegisters();
  void ApplyReset();
  int oe_pin() const;

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
  std::vector<std::optional<bool>> driven_;
  State state_;
  std::vector<bool> enabled_;  // by macrocell
  std::vector<std::string> warnings_;
};

}  // namespace kem
