#include "device/fuse_map.h"

#include <algorithm>

namespace kem {

void FuseMap::InitFuseMap() {
  std::fill(cells_.begin(), cells_.begin() + kArrayCells, 0);
  std::fill(cells_.begin() + kArrayCells, cells_.begin() + kArchitectureCells, '0');
  for (int k = 0; k < kMacrocells; ++k) {
    cells_[PolarityCell(k)] = '0';
    cells_[ModeCell(k)] = '1';
  }
  std::fill(cells_.begin() + kTermEnableCells, cells_.begin() + kUserIdCellsStart, '1');
  std::fill(cells_.begin() + kUserIdCellsStart, cells_.end(), '0');
}

}  // namespace kem
