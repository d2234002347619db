#include "tests/synthesis/reference/minimizer.h"

#include "tests/synthesis/reference/exact_minimizer.h"
#include "tests/synthesis/reference/recursive_minimizer.h"

namespace kem::reference {

namespace {

constexpr int kLevelExact = 1;

bool Value(const TruthTable& table, std::int64_t row) {
  return ((table.values[static_cast<std::size_t>(row / 64)] >> (row % 64)) & 1u) != 0;
}

// The rows of the truth table whose value is `value`, in table order, with `spare` more rows and
// `tags` tag columns. False after E01, reported once more here.
bool MintermsOf(Context& context, const TruthTable& table, bool value, int count,
                std::int64_t spare, int tags, Cover& cover) {
  if (!cover.Allocate(context, static_cast<int>(count + spare), tags, table.n)) {
    context.ReportOutOfMemory();
    return false;
  }
  const int v = static_cast<int>(table.columns.size());
  int row = 0;
  for (std::int64_t i = 0; i < (std::int64_t{1} << v); ++i) {
    if (Value(table, i) != value) continue;
    cover.Bind(row);
    for (int bit = 0; bit < v; ++bit) {
      const bool one = ((i >> (v - 1 - bit)) & 1) != 0;
      cover.FieldSet(row, table.columns[static_cast<std::size_t>(bit)],
                     one ? kCodeTrue : kCodeComplement);
    }
    ++row;
  }
  return true;
}

void TakeConstant(Cover& cover, int marker, int polarity, Minimized& result) {
  cover.Bind(0);
  cover.FieldSet(0, 0, marker);
  result.cover = std::move(cover);
  result.last = 0;
  result.polarity = polarity;
}

int MinimizeAtLevel(Context& context, int level, Cover& cover, int last, int used_variables) {
  return level == kLevelExact ? ExactMinimize(context, cover, last, used_variables)
                              : RecursiveMinimize(context, cover, last);
}

}  // namespace

bool MinimizeTable(Context& context, int level, const TruthTable& table, bool allow_complement,
                   Minimized& result) {
  const int v = static_cast<int>(table.columns.size());
  int on_count = 0;
  for (std::int64_t i = 0; i < (std::int64_t{1} << v); ++i) on_count += Value(table, i) ? 1 : 0;
  const int off_count = (1 << v) - on_count;
  if (on_count == 0 || off_count == 0) {
    Cover constant;
    if (!constant.Allocate(context, 1, 0, table.n)) return false;
    TakeConstant(constant, on_count == 0 ? kMarkerZero : kMarkerOne, kPolarityFunction, result);
    return true;
  }

  const bool exact = level == kLevelExact;
  const std::int64_t spare = exact ? Binomial(v, v - 1) << (v - 1) : 0;
  Cover on;
  Cover off;
  if (!MintermsOf(context, table, true, on_count, spare, exact ? on_count : 0, on) ||
      (allow_complement &&
       !MintermsOf(context, table, false, off_count, spare, exact ? off_count : 0, off)))
    return false;

  const int last_on = MinimizeAtLevel(context, level, on, on_count - 1, v);
  if (last_on < 0) return false;
  int last_off = -1;
  if (allow_complement) {
    last_off = MinimizeAtLevel(context, level, off, off_count - 1, v);
    if (last_off < 0) return false;
  }

  const int terms_on = on.CountTerms(last_on);
  const int terms_off = allow_complement ? off.CountTerms(last_off) : 0;
  if (terms_on == 0) {
    TakeConstant(on, kMarkerOne, kPolarityFunction, result);
  } else if (allow_complement && terms_off == 0) {
    TakeConstant(off, kMarkerOne, kPolarityComplement, result);
  } else if (allow_complement && terms_on > terms_off) {
    result.cover = std::move(off);
    result.last = last_off;
    result.polarity = kPolarityComplement;
  } else {
    result.cover = std::move(on);
    result.last = last_on;
    result.polarity = kPolarityFunction;
  }
  return true;
}

}  // namespace kem::reference
