// A cube list's cubes written back into a cover's rows: each column bit spread to its 2-bit field.
#include "synthesis/cube_list.h"

#include <algorithm>

#include "synthesis/cube_words.h"

namespace kem {

namespace {

// Sixteen bits spread back to the low bits of sixteen fields.
std::uint32_t SpreadFields(std::uint64_t bits) {
  auto x = static_cast<std::uint32_t>(bits & 0xFFFFu);
  x = (x | (x << 8)) & 0x00FF00FFu;
  x = (x | (x << 4)) & 0x0F0F0F0Fu;
  x = (x | (x << 2)) & 0x33333333u;
  x = (x | (x << 1)) & 0x55555555u;
  return x;
}

}  // namespace

void WriteCube(Cube cube, Cover& cover, int row) {
  const VariableWords vars(std::min(cover.variables(), kMaxCubeColumns));
  std::uint32_t* body = cover.Row(row);
  const std::uint64_t complemented = cube.care & ~cube.value;
  for (int w = 0; w < cover.row_words(); ++w) {
    if (w >= vars.count) {
      body[w] = 0;
      continue;
    }
    const int shift = w * kFieldsPerWord;
    body[w] = SpreadFields(cube.care >> shift) | (SpreadFields(complemented >> shift) << 1);
  }
}

}  // namespace kem
