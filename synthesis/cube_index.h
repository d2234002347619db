// An index of a list's cubes for the containment questions of MergeCofactors, held
// column by column as bit sets over the rows: for each column that some row uses, which rows have
// its true literal and which its complemented one. A question about one cube is answered for 64
// rows at once with a few word operations per column, stopping at the first word that answers it,
// and rows leave the index by clearing their bit in the set of indexed rows. When the rows cover
// few points of their space, the index also lists the rows at each point: a container of a cube
// covers the cube's first point, and a contained row lies on the cube's points, so a question
// then looks at a handful of rows.
#pragma once

#include <cstdint>
#include <vector>

#include "synthesis/cube_list.h"

namespace kem {

class CubeIndex {
 public:
  static constexpr int kNone = INT32_MAX;

  // Indexes the present rows of the list, which must outlive the index's use. The buffers are
  // kept from one build to the next.
  void Build(const CubeList& list);

  // Takes a row out of the index; a row that is not indexed is left alone.
  void Remove(int row) { indexed_[static_cast<std::size_t>(row) / 64] &= ~Bit(row); }

  // The lowest indexed row that contains the cube or equals it (kNone when there is none), and
  // in `contained` the indexed rows below it that the cube contains, in increasing order. Both
  // come from one pass over the rows.
  int FirstContaining(Cube cube, std::vector<int>& contained);

 private:
  static std::uint64_t Bit(int row) { return std::uint64_t{1} << (row % 64); }
  // The cube's literals in the indexed columns, packed to one bit per indexed column.
  std::uint32_t Packed(std::uint64_t bits) const;
  void BuildPointTable();
  void BuildLiterals();  // the literal sets, on first use
  int FirstContainingByPoints(Cube cube, std::vector<int>& contained);
  void ScanContained(Cube cube, int bound, std::vector<int>& contained);
  // Per column, the literal sets that rule a row out as a container of the cube.
  void SetExclusions(Cube cube);

  const CubeList* list_ = nullptr;
  std::uint64_t used_ = 0;    // the columns that some indexed row has a literal in
  std::vector<int> columns_;  // those columns, in increasing order
  struct Run {
    int start;  // the first column of neighbouring indexed columns
    std::uint64_t mask;
    int offset;  // where the run's bits go in a packed cube
  };
  std::vector<Run> runs_;
  bool literals_ready_ = false;
  std::size_t words_ = 0;
  std::vector<std::uint64_t> indexed_;  // by row
  // By word, then column: the rows with the true literal, then those with the complemented one.
  std::vector<std::uint64_t> literals_;
  std::vector<std::uint64_t> exclude_true_;  // by column: all ones when a true literal rules out
  std::vector<std::uint64_t> exclude_complement_;
  std::vector<std::size_t> required_;  // the cube's literals, as offsets into a word's sets
  // For each point of the space of the indexed columns, the rows that cover it, in increasing
  // order (point p's rows are point_rows_[point_start_[p] .. point_start_[p + 1])), when the rows
  // cover few enough points to list. Empty otherwise.
  std::vector<std::uint32_t> point_start_;
  std::vector<std::uint32_t> point_fill_;
  std::vector<std::int32_t> point_rows_;
};

}  // namespace kem
