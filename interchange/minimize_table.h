// A truth table over chip pins minimized by the compiler's own minimizer at a level, so that a
// design read back has the covers a design written in our language would get.
#pragma once

#include <optional>

#include "interchange/pin_tables.h"

namespace kem {

// The products of the cover, or nothing when memory ran out. The table must be neither constant
// nor over more signals than the minimizer takes (kMaxUsedVariables).
std::optional<ChipSum> MinimizeTable(const PinSpace& space, const PinTable64& table, int level);

}  // namespace kem
