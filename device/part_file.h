// A fit's JEDEC file made the file of the part it is to be programmed into, and the line that tells
// what to choose in the programmer. kemc and the IDE both finish a fit through these.
#pragma once

#include <string>
#include <string_view>

#include "device/jedec_parts.h"

namespace kem {

// Writes `jedec_text`, the finished file of the part's family read from `jedec_name`, back as the
// part's (JedecForPart) through the safe replace, so a failed write leaves the family's file whole.
// Nothing is written for the family's own part without a fuse to set. False when the text has no
// JEDEC frame or the file could not be replaced.
bool SaveJedecForPart(const std::string& jedec_name, std::string_view jedec_text, const Part& part,
                      bool power_down, bool secure);

// "Im Programmiergerät ... wählen": the part and the fuse count of its file, `family_fuses` being
// the count of the family's file before any power-down fuse.
std::string ProgrammerHint(const Part& part, int family_fuses, bool power_down, bool secure);

}  // namespace kem
