// The recursive minimizer's working form of a cover: each cube as two bit masks with one bit per
// variable column (the literals, and the true ones among them), each row with its slot flag. A
// cube so held is compared, cofactored and counted with a handful of word operations.
#pragma once

#include <cstdint>
#include <vector>

#include "synthesis/cover.h"

namespace kem {

// The most variable columns a cube of this form can hold; a design has at most 41.
inline constexpr int kMaxCubeColumns = 64;

struct Cube {
  std::uint64_t care = 0;   // the columns that hold a literal
  std::uint64_t value = 0;  // of those, the true literals
  bool operator==(const Cube&) const = default;
};

// a contains b (or equals it): a has no literal that b lacks or differs in.
inline bool Contains(Cube a, Cube b) {
  return (a.care & ~b.care) == 0 && ((a.value ^ b.value) & a.care) == 0;
}

// Rows 0..last() of a cover; a row counts while its slot flag is set.
struct CubeList {
  std::vector<Cube> rows;
  std::vector<std::uint8_t> present;

  int last() const { return static_cast<int>(rows.size()) - 1; }
  void Clear() {
    rows.clear();
    present.clear();
  }
  void Append(Cube cube) {
    rows.push_back(cube);
    present.push_back(1);
  }
};

// The cube into the variable columns of a cover's row (the row's other fields are cleared).
void WriteCube(Cube cube, Cover& cover, int row);

}  // namespace kem
