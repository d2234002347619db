// Truth tables of sums of products over chip pins, 64 points to a machine word, so that a function
// of 22 signals takes 65536 words and every comparison of two chips is a pass of word operations.
// Point x gives pins[j] the level of bit V-1-j of x, as the minimizer's tables order their
// signals, so a table can go to it as it is.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "interchange/chip_function.h"
#include "synthesis/cube_key.h"

namespace kem {

using PinTable64 = std::vector<std::uint64_t>;

class PinSpace {
 public:
  // The pins every sum reads, each once, in increasing order.
  explicit PinSpace(const std::vector<const ChipSum*>& sums);

  const std::vector<int>& pins() const { return pins_; }
  int variables() const { return static_cast<int>(pins_.size()); }
  std::size_t words() const;
  // The bits of the last word that are points (all of them from six signals on).
  std::uint64_t LastWordMask() const;

  CubeKey CubeOf(const ChipTerm& term) const;
  PinTable64 TableOf(const ChipSum& sum) const;
  // The level of `pin` at point x.
  bool LevelAt(std::uint32_t x, int pin) const;
  bool TermTrueAt(const ChipTerm& term, std::uint32_t x) const;

 private:
  int BitOf(int pin) const;

  std::vector<int> pins_;
};

// The complement of a table within the points of the space.
PinTable64 Complement(const PinSpace& space, PinTable64 table);

// The first point at which the table is 1.
std::optional<std::uint32_t> FirstPointOf(const PinTable64& table);

}  // namespace kem
