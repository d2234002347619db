#include "interchange/minimize_table.h"

#include <numeric>

#include "common/progress.h"
#include "synthesis/exact_minimize.h"
#include "synthesis/recursive_minimize.h"

namespace kem {

namespace {

// Nobody watches a minimization of a read-back design.
class Unwatched final : public MessageLog, public Progress {
 public:
  void AppendLogLine(std::string_view, bool) override {}
  void AdvanceProgressMarker() override {}
  void Tick() override {}
};

}  // namespace

std::optional<ChipSum> MinimizeTable(const PinSpace& space, const PinTable64& table, int level) {
  AllocationBudget budget;
  Diagnostics diagnostics;
  Unwatched unwatched;
  SynthesisContext context(budget, diagnostics, unwatched, unwatched);
  context.level = level;
  const int n = space.variables();
  BudgetedArray<std::uint64_t> rows;
  if (!rows.AllocZeroed(budget, diagnostics, table.size())) return std::nullopt;
  std::copy(table.begin(), table.end(), rows.data());
  std::vector<int> columns(static_cast<std::size_t>(n));
  std::iota(columns.begin(), columns.end(), 0);
  Cover cover;
  const int last = level == kLevelExact ? ExactMinimize(context, rows, columns, n, cover)
                                        : RecursiveMinimize(context, rows, columns, n, cover);
  if (last < 0) return std::nullopt;
  ChipSum sum;
  for (int row = 0; row <= last; ++row) {
    if (!cover.present(row)) continue;
    ChipTerm term;
    for (int j = 0; j < n; ++j) {
      const int code = cover.FieldGet(row, j);
      if (code == kCodeTrue || code == kCodeComplement)
        term.literals.push_back(
            {space.pins()[static_cast<std::size_t>(j)], code == kCodeComplement});
    }
    sum.push_back(std::move(term));
  }
  return sum;
}

}  // namespace kem
