// The parts a JEDEC file can be written for: each family's own GAL and the Microchip ATF parts
// with the same fuse layout, some of which add a power-down fuse after the family's last fuse
// (the pin-controlled power-down mode of the ATF16V8C and ATF22V10C: fuse 2194 and 5892, so the
// file states QF2195 and QF5893). Every part has the security fuse (JEDEC G1).
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace kem {

struct Part {
  std::string_view name;
  int gal_type = 0;          // the family: the device of the design's CHIP line
  int power_down_fuse = -1;  // the JEDEC number of its power-down fuse, -1 none
};

// Every part, in the order of the table.
std::span<const Part> Parts();

// The part of that name in any letter case, or nullptr.
const Part* FindPart(std::string_view name);

// The family's own part (GAL16V8 for the GAL16V8 family).
const Part& FamilyPart(int gal_type);

// The fuse number of a power-down fuse that a part of the family has after the family's fuses,
// -1 when none has one.
int FamilyPowerDownFuse(int gal_type);

// The finished file of the family rewritten for the part: the part named in its first field
// ("PART ATF22V10C", only for a part that is not the family's own), with `power_down` the part's
// power-down fuse set and the fuse count raised, with `secure` G1; the fuse checksum and the
// transmission checksum computed anew. The part must be of the file's family and have a
// power-down fuse where `power_down` asks for it. Empty when the text has no STX ... ETX frame.
std::string JedecForPart(std::string_view jedec, const Part& part, bool power_down, bool secure);

}  // namespace kem
