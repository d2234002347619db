// Reads a JEDEC fuse-map file (JESD3) back into its fuse list and test vectors, from our writer or
// from another tool: fields are taken apart by their identifiers wherever the line breaks fall,
// an F field fills the fuses no L field lists, fields this reader has no use for are skipped, and
// both checksums are computed afresh from what was read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kem {

// One V field: the vector's number and one character per pin in pin order.
struct JedecVector {
  int number = 0;
  std::string pins;
};

struct JedecFile {
  std::string header;               // the first field, from after STX up to its "*"
  std::vector<std::string> notes;   // the N fields, without the "N"
  int pins = -1;                    // QP
  int fuse_count = -1;              // QF
  int vector_count = -1;            // QV
  int default_fuse = -1;            // F
  int security = -1;                // G
  std::vector<std::uint8_t> fuses;  // one per fuse: 0 or 1
  std::vector<JedecVector> vectors;
  int stated_fuse_checksum = -1;  // C, -1 when absent
  unsigned fuse_checksum = 0;     // computed from `fuses`
  int stated_transmission_checksum = -1;
  unsigned transmission_checksum = 0;  // computed from STX to ETX
};

// Far more fuses than any device of the catalogue has; a larger QF is a damaged file, not a
// reason to allocate gigabytes.
inline constexpr int kMaxJedecFuses = 1 << 20;

// The file's content, or nothing with the reason in `error`.
std::optional<JedecFile> ReadJedec(std::string_view text, std::string& error);

// A checksum as the file writes it: four hexadecimal digits in capitals.
std::string Hex4(unsigned value);

// Empty when the stated checksums match the content, else what is wrong. A checksum that is not
// four hex digits is a damaged file, which ReadJedec refuses. A transmission checksum
// of 0000 is the standard's "not computed" and is accepted; a file without C is accepted too.
std::string ChecksumFault(const JedecFile& file);

// The sum of the fuses taken as 8-bit words, fuse 0 the lowest bit of the first word, modulo
// 65536.
unsigned FuseListChecksum(const std::vector<std::uint8_t>& fuses);

// The pin names of the notes our writer (and many other tools) put in: "N PIN 3 TASTER".
// names[n] is the name of pin n, empty where no note names it.
std::vector<std::string> PinNamesFromNotes(const JedecFile& file);

}  // namespace kem
