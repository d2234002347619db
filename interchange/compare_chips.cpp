#include "interchange/compare_chips.h"

#include <algorithm>
#include <functional>

#include "interchange/pin_tables.h"

namespace kem {

namespace {

using What = ChipDifference::What;

// One side of a comparison: the sums it reads and how its value comes from their tables.
struct Side {
  std::vector<const ChipSum*> sums;
  std::function<PinTable64(const PinSpace&, const std::vector<PinTable64>&)> value;
};

std::vector<int> RowsTrueAt(const PinSpace& space, const std::vector<const ChipSum*>& sums,
                            std::uint32_t x) {
  std::vector<int> rows;
  for (const ChipSum* sum : sums) {
    for (const ChipTerm& term : *sum) {
      if (term.row >= 0 && space.TermTrueAt(term, x)) rows.push_back(term.row);
    }
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

PinTable64 And(PinTable64 a, const PinTable64& b) {
  for (std::size_t w = 0; w < a.size(); ++w) a[w] &= b[w];
  return a;
}

PinTable64 Or(PinTable64 a, const PinTable64& b) {
  for (std::size_t w = 0; w < a.size(); ++w) a[w] |= b[w];
  return a;
}

PinTable64 Xor(PinTable64 a, const PinTable64& b) {
  for (std::size_t w = 0; w < a.size(); ++w) a[w] ^= b[w];
  return a;
}

// The first point where the sides differ within `care` (all points when it is empty), as a
// difference with its counterexample.
std::optional<ChipDifference> FirstDifference(
    const Side& a, const Side& b, const std::vector<const ChipSum*>& care_sums,
    const std::function<PinTable64(const PinSpace&, const std::vector<PinTable64>&)>& care) {
  std::vector<const ChipSum*> all = a.sums;
  all.insert(all.end(), b.sums.begin(), b.sums.end());
  all.insert(all.end(), care_sums.begin(), care_sums.end());
  const PinSpace space(all);
  auto tables = [&space](const std::vector<const ChipSum*>& sums) {
    std::vector<PinTable64> result;
    for (const ChipSum* sum : sums) result.push_back(space.TableOf(*sum));
    return result;
  };
  const PinTable64 value_a = a.value(space, tables(a.sums));
  const PinTable64 value_b = b.value(space, tables(b.sums));
  PinTable64 differs = Xor(value_a, value_b);
  if (care) differs = And(std::move(differs), care(space, tables(care_sums)));
  const std::optional<std::uint32_t> x = FirstPointOf(differs);
  if (!x) return std::nullopt;
  ChipDifference difference;
  for (int pin : space.pins()) difference.point.push_back({pin, !space.LevelAt(*x, pin)});
  auto bit = [&x](const PinTable64& table) { return ((table[*x / 64] >> (*x % 64)) & 1u) != 0; };
  difference.value_a = bit(value_a);
  difference.value_b = bit(value_b);
  difference.rows_a = RowsTrueAt(space, a.sums, *x);
  difference.rows_b = RowsTrueAt(space, b.sums, *x);
  return difference;
}

Side SumSide(const ChipSum& sum) {
  return {{&sum}, [](const PinSpace&, const std::vector<PinTable64>& t) { return t[0]; }};
}

Side LevelSide(const ChipOutput& output) {
  return {{&output.terms}, [&output](const PinSpace& space, const std::vector<PinTable64>& t) {
            return output.active_high ? t[0] : Complement(space, t[0]);
          }};
}

// The level the pin shows after the clock edge: the reset wins over the preset, the preset over
// the OR-term.
Side NextStateSide(const ChipOutput& output, const ChipFunction& chip) {
  static const ChipSum kNever;
  const ChipSum& reset = chip.has_reset_preset ? chip.reset : kNever;
  const ChipSum& preset = chip.has_reset_preset ? chip.preset : kNever;
  return {{&output.terms, &reset, &preset},
          [&output](const PinSpace& space, const std::vector<PinTable64>& t) {
            PinTable64 state = And(Or(t[0], t[2]), Complement(space, t[1]));
            return output.active_high ? state : Complement(space, std::move(state));
          }};
}

// The preset counts only where the reset does not win.
Side PresetSide(const ChipFunction& chip) {
  return {{&chip.preset, &chip.reset}, [](const PinSpace& space, const std::vector<PinTable64>& t) {
            return And(t[0], Complement(space, t[1]));
          }};
}

void Add(ChipComparison& result, std::optional<ChipDifference> difference, What what, int pin) {
  if (!difference) return;
  difference->what = what;
  difference->pin = pin;
  result.differences.push_back(std::move(*difference));
}

void CompareOutputs(const ChipOutput& a, const ChipOutput& b, const ChipFunction& chip_a,
                    const ChipFunction& chip_b, ChipComparison& result) {
  if (a.kind != b.kind) {
    ChipDifference difference;
    difference.what = What::kKind;
    difference.pin = a.pin;
    difference.kind_a = a.kind;
    difference.kind_b = b.kind;
    result.differences.push_back(std::move(difference));
    return;
  }
  if (a.kind == ChipPinKind::kNotDriven) return;
  const std::size_t before = result.differences.size();
  Add(result, FirstDifference(SumSide(a.enable), SumSide(b.enable), {}, {}), What::kEnable, a.pin);
  if (a.kind == ChipPinKind::kRegistered) {
    Add(result, FirstDifference(NextStateSide(a, chip_a), NextStateSide(b, chip_b), {}, {}),
        What::kNextState, a.pin);
    return;
  }
  // A level counts only where the pin is driven, which is where both enables agree by now.
  if (result.differences.size() != before) return;
  Add(result,
      FirstDifference(LevelSide(a), LevelSide(b), {&a.enable},
                      [](const PinSpace&, const std::vector<PinTable64>& t) { return t[0]; }),
      What::kLevel, a.pin);
}

}  // namespace

std::optional<ChipComparison> CompareChips(const ChipFunction& a, ChipFunction b) {
  if (!MapOntoLayout(b, a.layout)) return std::nullopt;
  ChipComparison result;
  static const ChipOutput kUndriven;
  for (const ChipOutput& output : a.outputs) {
    const ChipOutput* other = b.OutputOfPin(output.pin);
    CompareOutputs(output, other ? *other : kUndriven, a, b, result);
  }
  for (const ChipOutput& output : b.outputs) {
    if (a.OutputOfPin(output.pin) == nullptr && output.kind != ChipPinKind::kNotDriven) {
      ChipDifference difference;
      difference.pin = output.pin;
      difference.kind_b = output.kind;
      result.differences.push_back(std::move(difference));
    }
  }
  // Reset and preset matter only to registers.
  if ((a.has_reset_preset || b.has_reset_preset) && (HasRegister(a) || HasRegister(b))) {
    static const ChipSum kNever;
    const ChipSum& reset_a = a.has_reset_preset ? a.reset : kNever;
    const ChipSum& reset_b = b.has_reset_preset ? b.reset : kNever;
    Add(result, FirstDifference(SumSide(reset_a), SumSide(reset_b), {}, {}), What::kReset, 0);
    if (a.has_reset_preset && b.has_reset_preset)
      Add(result, FirstDifference(PresetSide(a), PresetSide(b), {}, {}), What::kPreset, 0);
  }
  return result;
}

}  // namespace kem
