// The fitter's fuse map: one array of cells that holds, for every supported device, the AND array,
// the architecture cells of the output macrocells, the term-enable cells, the user ID and the two
// global mode cells. The JEDEC writer picks each device's fuses out of it.
#pragma once

#include <array>

namespace kem {

inline constexpr int kMapRows = 132;
inline constexpr int kMapColumns = 44;
inline constexpr int kMacrocells = 10;
inline constexpr int kUserIdCells = 64;

// Where each part of the map lies.
inline constexpr int kArrayCells = 132;  // first cell of the AND array, after the row-used flags
inline constexpr int kArchitectureCells = kArrayCells + kMapRows * kMapColumns;  // 5940
inline constexpr int kTermEnableCells = kArchitectureCells + 2 * kMacrocells;    // 5960
inline constexpr int kUserIdCellsStart = kTermEnableCells + kMapRows;            // 6092
inline constexpr int kSynCell = kUserIdCellsStart + kUserIdCells;                // 6156
inline constexpr int kAc0Cell = kSynCell + 1;                                    // 6157
inline constexpr int kFuseMapCells = kAc0Cell + 1;                               // 6158

constexpr int ArrayCell(int row, int column) {
  return kArrayCells + kMapColumns * row + column;
}
// The XOR cell of a GAL16V8/GAL20V8 macrocell, S0 on the GAL22V10 family.
constexpr int PolarityCell(int macrocell) {
  return kArchitectureCells + 2 * macrocell;
}
// The AC1 cell of a GAL16V8/GAL20V8 macrocell, S1 on the GAL22V10 family.
constexpr int ModeCell(int macrocell) {
  return kArchitectureCells + 2 * macrocell + 1;
}
constexpr int TermEnableCell(int row) {
  return kTermEnableCells + row;
}
// Bit j (0 the most significant) of user-ID byte i.
constexpr int UserIdCell(int byte, int bit) {
  return kUserIdCellsStart + 8 * byte + bit;
}

// Cells hold the characters '0' and '1'; the row-used flags in front of the AND array hold the
// numbers 0 and 1.
class FuseMap {
 public:
  FuseMap() { InitFuseMap(); }

  // Every cell back to its initial value: no row used, AND array '0', polarity '0', mode '1',
  // term enables '1', user ID '0', SYN and AC0 '0'.
  void InitFuseMap();

  char operator[](int cell) const { return cells_[cell]; }
  char& operator[](int cell) { return cells_[cell]; }

  bool row_used(int row) const { return cells_[row] != 0; }
  void set_row_used(int row) { cells_[row] = 1; }

 private:
  std::array<char, kFuseMapCells> cells_{};
};

}  // namespace kem
