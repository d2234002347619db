// SelectCover: picks, from the prime implicants that the merge passes left, the rows that cover
// every minterm. A tag that reads 1 is a minterm the row covers and nothing chosen covers yet:
// first the essential rows (the only cover of some minterm) are chosen and their minterms are
// written 2 in every other row; then, repeatedly, the row with the most tags reading 1 (the
// lowest row on a tie) is chosen and its minterms are written 3 elsewhere. A row left with no tag
// reading 1 is deleted. The chosen rows, in cover order, are the result.
#include <vector>

#include "tests/synthesis/reference/cube_words.h"
#include "tests/synthesis/reference/exact_minimizer.h"

namespace kem::reference {

namespace {

// Rewrites the fields whose low bit is in `fields` with `code` (2 or 3).
void WriteTagCode(std::uint32_t& word, std::uint32_t fields, int code) {
  const std::uint32_t both = fields | (fields << 1);
  word = (word & ~both) | (code == 3 ? both : fields << 1);
}

}  // namespace

int SelectCover(Context& context, Cover& cover, int tags, int last) {
  const int n = cover.variables();
  const int first_word = n / kFieldsPerWord;
  const int tag_words = WordsFor(n + tags + 1) - first_word;

  BudgetedArray<std::uint32_t> chosen;  // one field per row
  BudgetedArray<int> counts;            // per row: its tags that read 1
  if (!chosen.AllocZeroed(context.budget, context.diagnostics,
                          static_cast<std::size_t>(WordsFor(last + 1))) ||
      !counts.AllocZeroed(context.budget, context.diagnostics, static_cast<std::size_t>(last) + 1))
    return -1;

  std::vector<std::uint32_t> tag_mask(static_cast<std::size_t>(tag_words));
  for (int i = 0; i < tag_words; ++i) tag_mask[i] = ColumnMask(first_word + i, n, n + tags + 1);
  auto tag_word = [&](int row, int i) -> std::uint32_t& { return cover.Row(row)[first_word + i]; };
  auto reading_one = [&](int row, int i) { return FieldsWithOne(tag_word(row, i)) & tag_mask[i]; };
  auto is_chosen = [&](int row) { return BareGet(chosen.data(), row) != 0; };

  std::vector<int> rows;  // the rows that count, in order
  for (int row = 0; row <= last; ++row) {
    if (IsExactRow(context, cover, row)) rows.push_back(row);
  }

  // Essential rows: the only row with tag 1 in some column.
  std::vector<std::uint32_t> once(static_cast<std::size_t>(tag_words));
  std::vector<std::uint32_t> twice(static_cast<std::size_t>(tag_words));
  for (int row : rows) {
    for (int i = 0; i < tag_words; ++i) {
      const std::uint32_t ones = reading_one(row, i);
      twice[i] |= once[i] & ones;
      once[i] |= ones;
    }
  }
  std::vector<std::uint32_t> accounted(static_cast<std::size_t>(tag_words));
  for (int row : rows) {
    bool essential = false;
    for (int i = 0; i < tag_words && !essential; ++i)
      essential = (reading_one(row, i) & once[i] & ~twice[i]) != 0;
    if (!essential) continue;
    BareSet(chosen.data(), row, 1);
    for (int i = 0; i < tag_words; ++i) accounted[i] |= reading_one(row, i);
  }

  // What the essential rows cover becomes 2 elsewhere; rows left without a 1 are deleted.
  std::vector<int> open;  // rows neither chosen nor deleted, in order
  for (int row : rows) {
    if (is_chosen(row)) continue;
    int count = 0;
    for (int i = 0; i < tag_words; ++i) {
      WriteTagCode(tag_word(row, i), reading_one(row, i) & accounted[i], 2);
      count += CountFields(reading_one(row, i));
    }
    counts[static_cast<std::size_t>(row)] = count;
    if (count == 0) {
      cover.DeleteRow(row);
    } else {
      open.push_back(row);
    }
  }

  std::vector<std::uint32_t> taken(static_cast<std::size_t>(tag_words));
  std::vector<int> taken_words;
  while (!open.empty()) {
    int best = -1;
    int best_count = 0;
    for (int row : open) {
      if (counts[static_cast<std::size_t>(row)] > best_count) {
        best = row;
        best_count = counts[static_cast<std::size_t>(row)];
      }
    }
    if (best_count == 0) break;
    BareSet(chosen.data(), best, 1);

    taken_words.clear();
    for (int i = 0; i < tag_words; ++i) {
      taken[i] = reading_one(best, i);
      if (taken[i] != 0) taken_words.push_back(i);
    }
    std::size_t kept = 0;
    for (int row : open) {
      if (row == best) continue;
      int& count = counts[static_cast<std::size_t>(row)];
      for (int i : taken_words) {
        const std::uint32_t both = reading_one(row, i) & taken[i];
        if (both == 0) continue;
        WriteTagCode(tag_word(row, i), both, 3);
        count -= CountFields(both);
      }
      if (count == 0) {
        cover.DeleteRow(row);
      } else {
        open[kept++] = row;
      }
    }
    open.resize(kept);
  }
  return last;
}

}  // namespace kem::reference
