// The fuse maps of the PAL parts a GAL16V8 or GAL20V8 replaces pin for pin: PAL16L8, PAL16R4,
// PAL16R6, PAL16R8 (2048 fuses) and PAL20L8, PAL20R4, PAL20R6, PAL20R8 (2560 fuses), in their
// data sheets' layout: 64 rows of 32 or 40 columns, eight rows to an output from the highest
// output pin down, active-low outputs, the L8's combinational outputs and the R-parts' outer
// outputs each with an output-enable row first, the registered ones enabled by the OE pin.
//
// That is the AND array of the GAL in the mode that emulates the part (complex for an L8,
// registered for the others), so a PAL's fuse map is read as the GAL fuse map that replaces it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "device/jedec_reader.h"
#include "interchange/chip_function.h"

namespace kem {

// Whether the name is one of the PAL parts above, in any letter case.
bool IsPalPart(std::string_view part);
// The fuses of the part's map; 0 for an unknown part.
int PalFuseCount(std::string_view part);

// The chip of the part's JEDEC file, as the GAL design that replaces it; nothing with the reason
// in `error` for an unknown part or a fuse count that is not the part's.
std::optional<ChipFunction> PalChipOfJedec(const JedecFile& file, std::string_view part,
                                           std::string& error);

}  // namespace kem
