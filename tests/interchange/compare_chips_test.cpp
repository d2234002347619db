#include "interchange/compare_chips.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "common/file_io.h"
#include "device/catalogue.h"
#include "device/jedec_writer.h"
#include "tests/support/compile_fixture.h"

namespace kem {
namespace {

using What = ChipDifference::What;
using Fuses = std::vector<std::uint8_t>;

// An example fitted at level 2, as JEDEC fuses.
const Fuses& ExampleFuses(const std::string& example, int& gal_type) {
  static std::map<std::string, std::pair<int, Fuses>> fitted;
  auto& entry = fitted[example];
  if (entry.second.empty()) {
    std::string source;
    EXPECT_TRUE(ReadWholeFile(std::string(EXAMPLES_DIR) + "/" + example + ".kem", source));
    testing_support::CompileFixture fixture;
    const auto compiled = fixture.Compile(source, example + ".kem", {}, true);
    EXPECT_TRUE(compiled.run && compiled.run->fitted) << example;
    entry.first = compiled.run->fitted->gal_type;
    for (int cell : DeviceJedecLayout(entry.first).cells)
      entry.second.push_back(compiled.run->fitted->map[cell] == '1' ? 1 : 0);
  }
  gal_type = entry.first;
  return entry.second;
}

ChipFunction ChipOf(int gal_type, const Fuses& fuses) {
  std::string error;
  const auto device = DeviceSimulator::FromFuses(gal_type, fuses, error);
  EXPECT_TRUE(device) << error;
  return ChipFunctionOf(*device);
}

// Where the fuses of a device lie.
struct Layout {
  int gal_type;
  const DeviceSimulator& device;
  int columns() const { return gal_type == kGal16V8 ? 32 : gal_type == kGal20V8 ? 40 : 44; }
  int array_end() const { return 64 * columns() + (gal_type >= kGal22V10 ? 68 * 44 : 0); }
  int cell_index(int pin) const {
    return static_cast<int>(device.MacrocellOfPin(pin) - device.macrocells().data());
  }
  // The first fuse of the row that connects a column (of `pin`'s pair, when given).
  int ConnectedFuse(int row, int pin = 0) const {
    for (int c = 0; c < columns(); ++c) {
      const bool of_pin = pin == 0 || c == InputColumn(gal_type, device.mode(), pin, 0, 0) ||
                          c == InputColumn(gal_type, device.mode(), pin, 1, 0);
      if (of_pin && fuses[static_cast<std::size_t>(row * columns() + c)] == 0)
        return row * columns() + c;
    }
    ADD_FAILURE() << "row " << row << " connects no such column";
    return 0;
  }
  int TermFuse(int pin, int reads = 0) const {
    for (int row : device.MacrocellOfPin(pin)->term_rows) {
      if (!device.RowCanBeTrue(row) || device.RowLiterals(row).empty()) continue;
      const auto literals = device.RowLiterals(row);
      if (reads == 0 || std::any_of(literals.begin(), literals.end(),
                                    [reads](const auto& l) { return l.pin == reads; }))
        return ConnectedFuse(row, reads);
    }
    ADD_FAILURE() << "no term of pin " << pin;
    return 0;
  }
  int PolarityFuse(int pin) const {
    return gal_type >= kGal22V10 ? 5808 + 2 * cell_index(pin) : 64 * columns() + cell_index(pin);
  }
  int ModeFuse(int pin) const {
    return gal_type >= kGal22V10 ? 5809 + 2 * cell_index(pin)
                                 : 64 * columns() + 72 + cell_index(pin);
  }
  const Fuses& fuses;
};

struct Planted {
  std::string example;
  std::string change;
  std::function<void(Fuses&, const Layout&)> apply;
  std::optional<What> what;  // none: the chips must stay equivalent
  int pin = 0;
};

void Flip(Fuses& fuses, int fuse) {
  fuses[static_cast<std::size_t>(fuse)] ^= 1;
}

// One fuse flipped in each kind of cell and row is found at its pin; changes that do nothing a
// pin shows are not.
TEST(CompareChips, FindsEveryPlantedDifferenceAndNothingElse) {
  const std::vector<Planted> cases = {
      {"ampel", "product term", [](Fuses& f, const Layout& l) { Flip(f, l.TermFuse(13)); },
       What::kNextState, 13},
      {"ampel", "polarity", [](Fuses& f, const Layout& l) { Flip(f, l.PolarityFuse(12)); },
       What::kNextState, 12},
      {"ampel", "mode cell", [](Fuses& f, const Layout& l) { Flip(f, l.ModeFuse(14)); },
       What::kKind, 14},
      {"ampel", "register feedback", [](Fuses& f, const Layout& l) { Flip(f, l.TermFuse(13, 14)); },
       What::kNextState, 13},
      {"gal16v8_complex_bus", "output enable",
       [](Fuses& f, const Layout& l) {
         Flip(f, l.ConnectedFuse(l.device.MacrocellOfPin(13)->oe_row));
       },
       What::kEnable, 13},
      {"gal16v8_complex_bus", "combinational feedback",
       [](Fuses& f, const Layout& l) { Flip(f, l.TermFuse(16, 13)); }, What::kLevel, 16},
      {"gal20v8_registered_counter", "polarity of a combinational output",
       [](Fuses& f, const Layout& l) { Flip(f, l.PolarityFuse(l.device.macrocells()[7].pin)); },
       What::kLevel, 15},
      {"gal22v10_counter", "AR", [](Fuses& f, const Layout& l) { Flip(f, l.ConnectedFuse(0)); },
       What::kReset, 0},
      {"gal22v10_counter", "SP", [](Fuses& f, const Layout& l) { Flip(f, l.ConnectedFuse(131)); },
       What::kPreset, 0},
      {"gal22v10_counter", "output enable row",
       [](Fuses& f, const Layout& l) {
         Flip(f, l.ConnectedFuse(l.device.MacrocellOfPin(15)->oe_row));
       },
       What::kEnable, 15},
      {"gal22v10_counter", "polarity of a register",
       [](Fuses& f, const Layout& l) { Flip(f, l.PolarityFuse(15)); }, What::kNextState, 15},
      {"gal22v10_counter", "S1 mode cell",
       [](Fuses& f, const Layout& l) { Flip(f, l.ModeFuse(19)); }, What::kKind, 19},
      {"gal22v10_counter", "register feedback",
       [](Fuses& f, const Layout& l) { Flip(f, l.TermFuse(20, 18)); }, What::kLevel, 20},
      // What no pin shows.
      {"ampel", "user signature", [](Fuses& f, const Layout&) { Flip(f, 2056); }, std::nullopt},
      {"gal16v8_complex_bus", "row of an unused cell",
       [](Fuses& f, const Layout& l) {
         Flip(f, l.columns() * l.device.MacrocellOfPin(12)->term_rows[2]);
       },
       std::nullopt},
      {"gal22v10_counter", "row order",
       [](Fuses& f, const Layout& l) {
         const auto& rows = l.device.MacrocellOfPin(18)->term_rows;
         std::swap_ranges(f.begin() + rows[0] * 44, f.begin() + rows[0] * 44 + 44,
                          f.begin() + rows[1] * 44);
       },
       std::nullopt},
      {"gal22v10_counter", "term after the reset wins",
       [](Fuses& f, const Layout& l) {
         // A term that holds only while AR is true changes no next state.
         const int row = l.device.MacrocellOfPin(18)->term_rows.back();
         std::fill(f.begin() + row * 44, f.begin() + row * 44 + 44, 1);
         f[static_cast<std::size_t>(l.ConnectedFuse(0))] = 1;
         f[static_cast<std::size_t>(row * 44 + (l.ConnectedFuse(0) % 44))] = 0;
         f[static_cast<std::size_t>(l.ConnectedFuse(0))] = 0;
       },
       std::nullopt},
  };
  for (const Planted& planted : cases) {
    SCOPED_TRACE(planted.example + ": " + planted.change);
    int gal_type = 0;
    const Fuses& fuses = ExampleFuses(planted.example, gal_type);
    std::string error;
    const auto device = DeviceSimulator::FromFuses(gal_type, fuses, error);
    ASSERT_TRUE(device) << error;
    Fuses changed = fuses;
    planted.apply(changed, Layout{gal_type, *device, fuses});
    const auto comparison = CompareChips(ChipOf(gal_type, fuses), ChipOf(gal_type, changed));
    ASSERT_TRUE(comparison);
    if (!planted.what) {
      EXPECT_TRUE(comparison->equivalent());
      continue;
    }
    const auto& found = comparison->differences;
    const auto at = std::find_if(found.begin(), found.end(), [&](const ChipDifference& d) {
      return d.what == *planted.what && d.pin == planted.pin;
    });
    ASSERT_NE(at, found.end()) << found.size() << " differences, first at pin "
                               << (found.empty() ? -1 : found.front().pin);
    if (at->what == What::kKind) continue;
    // The counterexample is one: the sides give different values there.
    EXPECT_NE(at->value_a, at->value_b);
  }
}

}  // namespace
}  // namespace kem
