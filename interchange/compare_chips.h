// Whether two fuse maps make chips that do the same, pin by pin: the same kind of every pin and,
// at every point of the inputs and register states, the same level of every driven output
// (for a register, the level its pin shows after the next clock edge), the same output enable,
// and on the GAL22V10 family the same reset and preset. Pin levels that feed the array back are
// free signals of the comparison, so each function is compared as a combinational one over the
// pins it reads.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "interchange/chip_function.h"

namespace kem {

struct ChipDifference {
  enum class What { kKind, kLevel, kNextState, kEnable, kReset, kPreset };
  What what = What::kKind;
  int pin = 0;  // in the first chip's numbering; 0 for the reset and preset
  ChipPinKind kind_a = ChipPinKind::kNotDriven;
  ChipPinKind kind_b = ChipPinKind::kNotDriven;
  // The first point at which the two differ: every pin the functions read with its level (for a
  // registered pin the state its pin shows), what each chip gives there, and the rows of each
  // that are true there.
  std::vector<ChipLiteral> point;  // `inverted` set where the level is low
  bool value_a = false;
  bool value_b = false;
  std::vector<int> rows_a;
  std::vector<int> rows_b;
};

struct ChipComparison {
  std::vector<ChipDifference> differences;  // by pin, the reset and preset last
  bool equivalent() const { return differences.empty(); }
};

// Nothing when the two chips cannot stand for one another (their pins differ).
std::optional<ChipComparison> CompareChips(const ChipFunction& a, ChipFunction b);

}  // namespace kem
