// Changes to a finished JEDEC file: V fields with the vector count QV, and any other edit of its
// fields, with the transmission checksum computed anew.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kem {

// The file with every field after the first given to `edit`, with the blanks in front of it and its
// "*", and `content` from its identifier on; what `edit` returns stands in its place. Then what
// `after_last` returns follows the last field; the transmission checksum is computed anew. Empty
// when the text has no STX ... ETX frame.
using JedecFieldEdit = std::function<std::string(std::string_view field, std::string_view content)>;
std::string EditJedecFields(std::string_view jedec, const JedecFieldEdit& edit,
                            const std::function<std::string()>& after_last);

// The line end the file uses.
std::string JedecLineEnd(std::string_view jedec);

// The file with its V and QV fields replaced by `vectors` (one string of pin characters each,
// numbered from 1): QV follows QF, the V fields follow the last field. The fuse checksum is
// untouched, as vectors are no fuses; the transmission checksum is computed anew. Line ends
// follow the file's own. Empty when the text has no STX ... ETX frame.
std::string JedecWithVectors(std::string_view jedec, const std::vector<std::string>& vectors);

}  // namespace kem
