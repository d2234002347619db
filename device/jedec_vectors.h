// Test vectors in a JEDEC file: V fields with the vector count QV, added to a finished file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kem {

// The file with its V and QV fields replaced by `vectors` (one string of pin characters each,
// numbered from 1): QV follows QF, the V fields follow the last field. The fuse checksum is
// untouched, as vectors are no fuses; the transmission checksum is computed anew. Line ends
// follow the file's own. Empty when the text has no STX ... ETX frame.
std::string JedecWithVectors(std::string_view jedec, const std::vector<std::string>& vectors);

}  // namespace kem
