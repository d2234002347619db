// What a fuse map makes a chip do, as logic over its pins: for every output the sum of products
// its rows give, the polarity, the output enable, and on the GAL22V10 family the reset and preset
// terms. Literals name pin levels: a registered pin's literal is the level its register shows on
// the pin, whatever the array reads it back as, so two devices that read registers back
// differently, or a cover and its complement under the other polarity, compare alike.
//
// Rows that can never be true (a disabled term, both columns of one signal, a column no pin
// drives) are left out, so an unused row never counts as a difference.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "device/device_simulator.h"
#include "device/jedec_reader.h"

namespace kem {

struct ChipLiteral {
  int pin = 0;
  bool inverted = false;  // the literal is true where the pin is low
};

// A product term: the row it came from (-1 for one the architecture gives, as the output-enable
// pin) and its literals; none is always true.
struct ChipTerm {
  int row = -1;
  std::vector<ChipLiteral> literals;
};
using ChipSum = std::vector<ChipTerm>;  // empty: always false

enum class ChipPinKind { kNotDriven, kCombinational, kRegistered, kBus };

struct ChipOutput {
  int pin = 0;
  ChipPinKind kind = ChipPinKind::kNotDriven;
  bool active_high = false;
  ChipSum terms;   // the OR-term before the polarity (for a register: its next state)
  ChipSum enable;  // where the pin is driven
};

// Chips whose pins stand for one another: the 16-pin and 20-pin series (GAL and PAL alike) each
// by pin number, the GAL22V10 and the ispGAL22V10 through their common fuse layout.
enum class ChipLayout { kSeries16, kSeries20, kGal22V10, kIspGal22V10 };

struct ChipFunction {
  std::string device;  // as the catalogue or the data sheet names it
  ChipLayout layout = ChipLayout::kSeries16;
  int gal_type = -1;  // -1 for a part that is no GAL
  int mode = 0;       // the GAL16V8 or GAL20V8 mode; the GAL22V10 family has registers in every
  int pin_count = 0;
  std::vector<ChipOutput> outputs;  // one per macrocell, in macrocell order
  bool has_reset_preset = false;
  ChipSum reset;                       // asynchronous, to register state 0
  ChipSum preset;                      // synchronous, to register state 1
  std::vector<std::string> pin_names;  // by pin number, empty where unknown
  std::vector<std::string> warnings;   // cells configured oddly but harmlessly
  const ChipOutput* OutputOfPin(int pin) const;
};

// Whether a term of the chip reads the pin.
bool ReadsPin(const ChipFunction& chip, int pin);

// Whether an output of the chip is registered.
bool HasRegister(const ChipFunction& chip);

// The chip a decoded GAL fuse map makes.
ChipFunction ChipFunctionOf(const DeviceSimulator& device);

// The chip of a GAL JEDEC file, with the names of its N PIN notes; nothing with the reason in
// `error` when the file fits no GAL or describes no configuration of it.
std::optional<ChipFunction> GalChipOfJedec(const JedecFile& file, std::string& error);

// Renumbers `chip` onto the pins of a chip of layout `to`; false when the layouts do not stand
// for one another.
bool MapOntoLayout(ChipFunction& chip, ChipLayout to);

// The level a registered pin shows after an asynchronous reset: the register's state 0 through
// the polarity.
inline bool PinLevelOfState(const ChipOutput& output, bool state) {
  return output.active_high ? state : !state;
}

}  // namespace kem
