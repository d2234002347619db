// MergeCofactors in three ways that give the same list: every pair in order for few rows, a hash of
// equal cubes when all have the same literals, the cube index otherwise. j runs over the rows of
// C1 (`positive`), k over those of C0 (`negative`); a row taken into M loses its slot in its half.
#include "synthesis/merge_cofactors.h"

#include <bit>

namespace kem {

namespace {

// Below this many pairs comparing every pair costs less than building an index.
constexpr std::size_t kPairwiseMerge = 64;

std::uint64_t Hash(Cube cube) {
  const std::uint64_t h =
      (cube.care * 0x9E3779B97F4A7C15ull) ^ (cube.value * 0xC2B2AE3D27D4EB4Full);
  return h ^ (h >> 29);
}

struct Shape {
  std::size_t present = 0;
  bool one_mask = true;  // every present row has the same literals
  std::uint64_t care = 0;
};

void Survey(const CubeList& list, Shape& shape) {
  for (std::size_t row = 0; row < list.rows.size(); ++row) {
    if (!list.present[row]) continue;
    if (shape.present == 0) shape.care = list.rows[row].care;
    shape.one_mask = shape.one_mask && list.rows[row].care == shape.care;
    ++shape.present;
  }
}

void Take(CubeList& from, int row, CubeList& to) {
  to.Append(from.rows[static_cast<std::size_t>(row)]);
  from.present[static_cast<std::size_t>(row)] = 0;
}

// The pairs in order, as the rule reads.
void MergePairwise(CubeList& positive, CubeList& negative, CubeList& merged) {
  for (int j = 0; j <= positive.last(); ++j) {
    for (int k = 0; k <= negative.last() && positive.present[static_cast<std::size_t>(j)]; ++k) {
      if (!negative.present[static_cast<std::size_t>(k)]) continue;
      const Cube p = positive.rows[static_cast<std::size_t>(j)];
      const Cube q = negative.rows[static_cast<std::size_t>(k)];
      if (p == q) {
        Take(positive, j, merged);
        negative.present[static_cast<std::size_t>(k)] = 0;
      } else if (Contains(q, p)) {
        Take(positive, j, merged);
      } else if (Contains(p, q)) {
        Take(negative, k, merged);
      }
    }
  }
}

// All cubes have the same literals: only equal cubes relate.
void MergeEqual(CubeList& positive, CubeList& negative, CubeList& merged, EqualRows& equal) {
  equal.Reset(negative.rows.size());
  for (int k = 0; k <= negative.last(); ++k) {
    if (negative.present[static_cast<std::size_t>(k)]) equal.Insert(negative, k);
  }
  for (int j = 0; j <= positive.last(); ++j) {
    if (!positive.present[static_cast<std::size_t>(j)]) continue;
    const int k = equal.LowestPresent(negative, positive.rows[static_cast<std::size_t>(j)]);
    if (k < 0) continue;
    Take(positive, j, merged);
    negative.present[static_cast<std::size_t>(k)] = 0;
  }
}

void MergeIndexed(CubeList& positive, CubeList& negative, CubeList& merged,
                  CubeStepScratch& scratch) {
  CubeIndex& index = scratch.index;
  index.Build(negative);
  for (int j = 0; j <= positive.last(); ++j) {
    if (!positive.present[static_cast<std::size_t>(j)]) continue;
    const Cube cube = positive.rows[static_cast<std::size_t>(j)];
    const int first = index.FirstContaining(cube, scratch.rows);
    for (int k : scratch.rows) {
      Take(negative, k, merged);
      index.Remove(k);
    }
    if (first == CubeIndex::kNone) continue;
    Take(positive, j, merged);
    if (negative.rows[static_cast<std::size_t>(first)] == cube) {
      negative.present[static_cast<std::size_t>(first)] = 0;
      index.Remove(first);
    }
  }
}

}  // namespace

void EqualRows::Reset(std::size_t rows) {
  std::size_t size = 16;
  while (size < 2 * rows) size *= 2;
  slots_.assign(size, Slot{});
  mask_ = size - 1;
  next_.assign(rows, -1);
}

std::size_t EqualRows::Find(const CubeList& list, Cube cube) const {
  std::size_t at = Hash(cube) & mask_;
  while (slots_[at].first >= 0 && !(list.rows[static_cast<std::size_t>(slots_[at].first)] == cube))
    at = (at + 1) & mask_;
  return at;
}

int EqualRows::Insert(const CubeList& list, int row) {
  Slot& slot = slots_[Find(list, list.rows[static_cast<std::size_t>(row)])];
  const int first = slot.first;
  if (first < 0) {
    slot.first = slot.head = slot.tail = row;
  } else {
    next_[static_cast<std::size_t>(slot.tail)] = row;
    slot.tail = row;
  }
  return first;
}

int EqualRows::LowestPresent(const CubeList& list, Cube cube) {
  Slot& slot = slots_[Find(list, cube)];
  while (slot.head >= 0 && !list.present[static_cast<std::size_t>(slot.head)])
    slot.head = next_[static_cast<std::size_t>(slot.head)];
  return slot.head;
}

void MergeCofactors(CubeList& positive, CubeList& negative, int variable, CubeList& merged,
                    CubeStepScratch& scratch) {
  merged.Clear();
  Shape shape;
  Survey(positive, shape);
  const std::size_t positive_present = shape.present;
  Survey(negative, shape);
  const std::size_t negative_present = shape.present - positive_present;
  if (positive_present * negative_present <= kPairwiseMerge) {
    MergePairwise(positive, negative, merged);
  } else if (shape.one_mask) {
    MergeEqual(positive, negative, merged, scratch.equal);
  } else {
    MergeIndexed(positive, negative, merged, scratch);
  }

  const std::uint64_t bit = std::uint64_t{1} << variable;
  for (std::size_t j = 0; j < positive.rows.size(); ++j) {
    if (positive.present[j])
      merged.Append({positive.rows[j].care | bit, positive.rows[j].value | bit});
  }
  for (std::size_t k = 0; k < negative.rows.size(); ++k) {
    if (negative.present[k]) merged.Append({negative.rows[k].care | bit, negative.rows[k].value});
  }
}

}  // namespace kem
