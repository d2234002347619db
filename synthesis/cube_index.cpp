// The cube index (see cube_index.h): the literal sets by word and column, the exclusions that rule
// a row out as a container, and the table of rows by point.
#include "synthesis/cube_index.h"

#include <algorithm>
#include <bit>

namespace kem {

void CubeIndex::Build(const CubeList& list) {
  list_ = &list;
  used_ = 0;
  for (std::size_t row = 0; row < list.rows.size(); ++row) {
    if (list.present[row]) used_ |= list.rows[row].care;
  }
  columns_.clear();
  for (std::uint64_t bits = used_; bits != 0; bits &= bits - 1)
    columns_.push_back(std::countr_zero(bits));
  const std::size_t columns = columns_.size();
  exclude_true_.resize(columns);
  exclude_complement_.resize(columns);

  // The indexed columns as runs of neighbours, for packing a cube's bits.
  runs_.clear();
  for (std::uint64_t bits = used_; bits != 0;) {
    const int start = std::countr_zero(bits);
    const int length = std::countr_one(bits >> start);
    const std::uint64_t mask = length == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << length) - 1;
    const int offset = runs_.empty() ? 0 : runs_.back().offset + std::popcount(runs_.back().mask);
    runs_.push_back({start, mask, offset});
    bits &= ~(mask << start);
  }

  words_ = (list.rows.size() + 63) / 64;
  indexed_.assign(words_, 0);
  for (std::size_t row = 0; row < list.rows.size(); ++row) {
    if (list.present[row]) indexed_[row / 64] |= Bit(static_cast<int>(row));
  }
  literals_ready_ = false;
  BuildPointTable();
}

void CubeIndex::BuildLiterals() {
  if (literals_ready_) return;
  literals_ready_ = true;
  const std::size_t columns = columns_.size();
  literals_.assign(words_ * columns * 2, 0);
  for (std::size_t row = 0; row < list_->rows.size(); ++row) {
    if (!list_->present[row]) continue;
    const Cube cube = list_->rows[row];
    std::uint64_t* word = literals_.data() + row / 64 * columns * 2;
    for (std::size_t c = 0; c < columns; ++c) {
      const std::uint64_t column = std::uint64_t{1} << columns_[c];
      if ((cube.care & column) != 0)
        word[2 * c + ((cube.value & column) != 0 ? 0 : 1)] |= Bit(static_cast<int>(row));
    }
  }
}

std::uint32_t CubeIndex::Packed(std::uint64_t bits) const {
  std::uint64_t packed = 0;
  for (const Run& run : runs_) packed |= ((bits >> run.start) & run.mask) << run.offset;
  return static_cast<std::uint32_t>(packed);
}

void CubeIndex::BuildPointTable() {
  point_start_.clear();
  // Worth it only for spaces the table can hold and rows that cover few points in all.
  constexpr std::size_t kMaxColumns = 20;
  constexpr std::size_t kPointsPerEntry = 4;
  const std::size_t columns = columns_.size();
  if (columns > kMaxColumns) return;
  // A few words of rows are scanned faster than a table is made.
  constexpr std::size_t kMinWords = 3;
  if (words_ < kMinWords) return;
  const std::size_t points = std::size_t{1} << columns;
  const auto all = static_cast<std::uint32_t>(points - 1);
  auto for_each_point = [&](Cube cube, auto visit) {
    const std::uint32_t free = all & ~Packed(cube.care);
    const std::uint32_t value = Packed(cube.value);
    for (std::uint32_t subset = free;; subset = (subset - 1) & free) {
      visit(value | subset);
      if (subset == 0) break;
    }
  };
  // Rows by point, each point's rows in increasing order: count (giving up when the rows cover
  // too many points), then place.
  point_start_.assign(points + 1, 0);
  std::size_t covered = 0;
  for (std::size_t row = 0; row < list_->rows.size(); ++row) {
    if (!list_->present[row]) continue;
    for_each_point(list_->rows[row], [&](std::uint32_t point) {
      ++point_start_[point + 1];
      ++covered;
    });
    if (covered > kPointsPerEntry * points) {
      point_start_.clear();
      return;
    }
  }
  point_rows_.resize(covered);
  for (std::size_t point = 0; point < points; ++point)
    point_start_[point + 1] += point_start_[point];
  point_fill_.assign(point_start_.begin(), point_start_.end() - 1);
  for (std::size_t row = 0; row < list_->rows.size(); ++row) {
    if (!list_->present[row]) continue;
    for_each_point(list_->rows[row], [&](std::uint32_t point) {
      point_rows_[point_fill_[point]++] = static_cast<std::int32_t>(row);
    });
  }
}

void CubeIndex::SetExclusions(Cube cube) {
  // A container has no literal where the cube has none, and none against the cube's literal.
  for (std::size_t c = 0; c < columns_.size(); ++c) {
    const std::uint64_t column = std::uint64_t{1} << columns_[c];
    const bool literal = (cube.care & column) != 0;
    const bool is_true = (cube.value & column) != 0;
    exclude_true_[c] = !literal || !is_true ? ~std::uint64_t{0} : 0;
    exclude_complement_[c] = !literal || is_true ? ~std::uint64_t{0} : 0;
  }
}

int CubeIndex::FirstContaining(Cube cube, std::vector<int>& contained) {
  contained.clear();
  if (!point_start_.empty()) return FirstContainingByPoints(cube, contained);
  BuildLiterals();
  SetExclusions(cube);
  const std::size_t columns = columns_.size();
  // A contained row holds each of the cube's literals; with a literal in a column that no indexed
  // row uses there is none.
  const bool may_contain = (cube.care & ~used_) == 0;
  required_.clear();
  for (std::size_t c = 0; c < columns; ++c) {
    const std::uint64_t column = std::uint64_t{1} << columns_[c];
    if ((cube.care & column) != 0)
      required_.push_back(2 * c + ((cube.value & column) != 0 ? 0 : 1));
  }
  for (std::size_t w = 0; w < words_; ++w) {
    const std::uint64_t* word = literals_.data() + w * columns * 2;
    std::uint64_t containers = indexed_[w];
    for (std::size_t c = 0; c < columns && containers != 0; ++c)
      containers &=
          ~((word[2 * c] & exclude_true_[c]) | (word[2 * c + 1] & exclude_complement_[c]));
    std::uint64_t inside = may_contain ? indexed_[w] : 0;
    for (std::size_t i = 0; i < required_.size() && inside != 0; ++i) inside &= word[required_[i]];
    // Only the rows before the first container count.
    if (containers != 0) inside &= (containers & (~containers + 1)) - 1;
    for (; inside != 0; inside &= inside - 1)
      contained.push_back(static_cast<int>(w * 64) + std::countr_zero(inside));
    if (containers != 0) return static_cast<int>(w * 64) + std::countr_zero(containers);
  }
  return kNone;
}

int CubeIndex::FirstContainingByPoints(Cube cube, std::vector<int>& contained) {
  const Cube* rows = list_->rows.data();
  auto indexed = [&](std::int32_t row) {
    return (indexed_[static_cast<std::size_t>(row) / 64] & Bit(row)) != 0;
  };
  // Every container covers the cube's first point; the rows there come in increasing order.
  const std::uint32_t value = Packed(cube.value);
  int first = kNone;
  for (std::uint32_t i = point_start_[value]; i < point_start_[value + 1]; ++i) {
    const std::int32_t row = point_rows_[i];
    if (indexed(row) && Contains(rows[row], cube)) {
      first = row;
      break;
    }
  }
  // A contained row lies within the cube's points; a literal outside the indexed columns leaves
  // none. The points are listed when there are fewer of them than words to scan.
  if ((cube.care & ~used_) != 0) return first;
  const auto all = static_cast<std::uint32_t>(point_start_.size() - 2);
  const std::uint32_t free = all & ~Packed(cube.care);
  // Listing the cube's points costs more than scanning the rows when it has many.
  int free_columns = 0;
  const int max_free = std::bit_width(4 * words_);
  for (std::uint32_t bits = free; bits != 0 && free_columns <= max_free; bits &= bits - 1)
    ++free_columns;
  if (free_columns > max_free) {
    ScanContained(cube, first, contained);
    return first;
  }
  for (std::uint32_t subset = free;; subset = (subset - 1) & free) {
    const std::uint32_t point = value | subset;
    for (std::uint32_t i = point_start_[point]; i < point_start_[point + 1]; ++i) {
      const std::int32_t row = point_rows_[i];
      if (row >= first) break;
      if (indexed(row) && Contains(cube, rows[row])) contained.push_back(row);
    }
    if (subset == 0) break;
  }
  if (contained.size() > 1) {
    std::sort(contained.begin(), contained.end());
    contained.erase(std::unique(contained.begin(), contained.end()), contained.end());
  }
  return first;
}

void CubeIndex::ScanContained(Cube cube, int bound, std::vector<int>& contained) {
  BuildLiterals();
  const std::size_t columns = columns_.size();
  required_.clear();
  for (std::size_t c = 0; c < columns; ++c) {
    const std::uint64_t column = std::uint64_t{1} << columns_[c];
    if ((cube.care & column) != 0)
      required_.push_back(2 * c + ((cube.value & column) != 0 ? 0 : 1));
  }
  const std::size_t end =
      bound == kNone ? words_ : std::min(words_, (static_cast<std::size_t>(bound) + 63) / 64);
  for (std::size_t w = 0; w < end; ++w) {
    const std::uint64_t* word = literals_.data() + w * columns * 2;
    std::uint64_t inside = indexed_[w];
    if (bound != kNone && (w + 1) * 64 > static_cast<std::size_t>(bound))
      inside &= (std::uint64_t{1} << (bound % 64)) - 1;
    for (std::size_t i = 0; i < required_.size() && inside != 0; ++i) inside &= word[required_[i]];
    for (; inside != 0; inside &= inside - 1)
      contained.push_back(static_cast<int>(w * 64) + std::countr_zero(inside));
  }
}

}  // namespace kem
