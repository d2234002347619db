// The JEDEC writer: the fuse map of a fitted design as a JEDEC fuse-map file (JESD3) with the
// fuse numbering of the device, which device programmers read like any GAL file.
//
// The text, every line ended by CR LF, for example for a GAL16V8 design "test" in simple mode
// with the single equation Y = A & /B on pin 19 (A on pin 2, B on pin 3):
//
//   <STX>
//   CHIP test GAL16V8 Simple_Mode*            design, device and mode, as in the equation listing
//   N PIN 1 P1*                               one note per pin and node with its name
//   N PIN 2 A*
//   ...
//   N PIN 20 VCC*
//   QP20*                                     pins of the package
//   QF2194*                                   fuses in the list
//   F0*                                       every fuse is listed below; the default is moot
//   G0*                                       security fuse not set
//   L00000 00000000000000000000000000000000*  one field per row of the AND array
//   L00032 01111011111111111111111111111111*
//   ...
//   L02048 10000000*                          then one field per block of architecture fuses
//   L02056 0000...0000*
//   L02120 01111111*
//   L02128 1111...1111*
//   L02192 1*
//   L02193 0*
//   C0CD3*                                    fuse checksum
//   <ETX>56AA                                 transmission checksum
//
// Fuse numbers have five digits and checksums four upper-case hex digits. The fuse list of each
// device, in JEDEC fuse numbers (k the macrocell, r the row, c the column, i a user-ID byte and j
// its bit from the most significant):
//   GAL16V8   32r+c AND array (map rows 0..63); 2048+k XOR; 2056+8i+j user ID; 2120+k AC1;
//             2128+r term enable; 2192 SYN; 2193 AC0
//   GAL20V8   40r+c AND array (map rows 8..71); 2560+k XOR; 2568+8i+j user ID; 2632+k AC1;
//             2640+r term enable; 2704 SYN; 2705 AC0
//   GAL22V10 and ispGAL22V10
//             44r+c AND array (map rows 0..131); 5808+2k S0; 5809+2k S1; 5828+8i+j user ID
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "device/fuse_map.h"
#include "device/pin_table.h"

namespace kem {

// Which fuse-map cell each JEDEC fuse of a device comes from, and where its L fields start.
struct JedecLayout {
  std::vector<int> cells;         // cells[f]: the cell of JEDEC fuse f
  std::vector<int> field_starts;  // the first fuse of each L field, ascending
};

// Empty for a device type the catalogue does not know.
JedecLayout DeviceJedecLayout(int gal_type);

// The sum of the fuses taken as 8-bit words, fuse 0 the lowest bit of the first word, modulo
// 65536. `fuses` holds one '0' or '1' per fuse.
unsigned FuseChecksum(const std::string& fuses);

// The whole file for a fitted design; empty for a device type the catalogue does not know.
std::string JedecText(const FuseMap& map, const DesignValues& design, const PinTable& pins);

// Writes the file to the open stream and leaves it open. 1 when every byte was written.
int WriteJedec(std::FILE* jedec, const FuseMap& map, const DesignValues& design,
               const PinTable& pins);

}  // namespace kem
