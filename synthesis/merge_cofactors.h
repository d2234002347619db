// MergeCofactors: the step of recursive minimization that joins the minimized halves of a split,
// on cube lists. C1 (`positive`) and C0 (`negative`) are the results for v = 1 and v = 0, v the
// split variable, M (`merged`) the joined list. It gives exactly what comparing every pair in
// order gives; it finds the pairs that matter through a hash of the cubes (when all cubes have the
// same literals, only equal ones relate) or through bit sets of their literals, and compares pairs
// one by one only when there are few.
#pragma once

#include <cstdint>
#include <vector>

#include "synthesis/cube_index.h"
#include "synthesis/cube_list.h"

namespace kem {

// The rows of a list by their cube, for finding equal ones.
class EqualRows {
 public:
  // Empties the table, sized for `rows` rows.
  void Reset(std::size_t rows);
  // Files a row under its cube; returns the first row filed under the same cube, or -1.
  int Insert(const CubeList& list, int row);
  // The lowest present row equal to the cube, or -1.
  int LowestPresent(const CubeList& list, Cube cube);

 private:
  struct Slot {
    std::int32_t first = -1;  // the first row filed here; its cube names the slot
    std::int32_t head = -1;   // the lowest row that may still be present
    std::int32_t tail = -1;
  };
  std::size_t Find(const CubeList& list, Cube cube) const;

  std::vector<Slot> slots_;
  std::vector<std::int32_t> next_;  // by row: the next row with the same cube
  std::uint64_t mask_ = 0;
};

// Buffers kept from one merge to the next.
struct CubeStepScratch {
  CubeIndex index;
  EqualRows equal;
  std::vector<int> rows;
};

// Joins the halves: for each C1 row j in order, the C0 rows it strictly contains move up in order
// (taken from C0) until the first C0 row that contains or equals it, where j moves up (taken from
// C1, and an equal C0 row with it). Then the remaining C1 rows with v, the remaining C0 rows with
// ¬v. `merged` receives the result.
void MergeCofactors(CubeList& positive, CubeList& negative, int variable, CubeList& merged,
                    CubeStepScratch& scratch);

}  // namespace kem
