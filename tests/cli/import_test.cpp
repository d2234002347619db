// kemc --import: sources of the other tools become designs whose fitted chips do what the source
// says. Each chip is evaluated on every level of the pins its array reads and compared with the
// JEDEC file the other assembler wrote, or with the source's meaning written out here by hand.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "device/catalogue.h"
#include "device/device_simulator.h"
#include "device/jedec_reader.h"
#include "tests/support/run_kemc.h"
#include "tests/support/temp_dir.h"

namespace kem {
namespace {

namespace fs = std::filesystem;
using testing_support::RunKemc;
using testing_support::Slurp;
using testing_support::TempDir;

DeviceSimulator ChipOf(const fs::path& jedec) {
  std::string error;
  const std::optional<JedecFile> file = ReadJedec(Slurp(jedec), error);
  EXPECT_TRUE(file) << jedec << ": " << error;
  EXPECT_EQ(ChecksumFault(*file), "") << jedec;
  std::optional<DeviceSimulator> chip =
      DeviceSimulator::FromFuses(JedecDeviceType(*file), file->fuses, error);
  EXPECT_TRUE(chip) << jedec << ": " << error;
  return std::move(*chip);
}

// Every combination of levels on `pins`, the others low.
void ForEveryLevel(const std::vector<int>& pins, int count,
                   const std::function<void(const std::vector<bool>&)>& visit) {
  for (unsigned bits = 0; bits < (1u << pins.size()); ++bits) {
    std::vector<bool> levels(count + 1, false);
    for (std::size_t i = 0; i < pins.size(); ++i) levels[pins[i]] = (bits >> i) & 1;
    visit(levels);
  }
}

std::string LevelText(const std::vector<bool>& levels) {
  std::string text;
  for (std::size_t pin = 1; pin < levels.size(); ++pin) text += levels[pin] ? '1' : '0';
  return text;
}

// The pins the rows of `outputs` that can be true read, and the reset and preset rows of the
// GAL22V10 family.
void AddReadPins(const DeviceSimulator& chip, const std::vector<int>& outputs,
                 std::set<int>& pins) {
  std::vector<int> rows;
  for (int pin : outputs) {
    const DeviceSimulator::Macrocell* cell = chip.MacrocellOfPin(pin);
    if (cell == nullptr) continue;
    rows.insert(rows.end(), cell->term_rows.begin(), cell->term_rows.end());
    if (cell->oe_row >= 0) rows.push_back(cell->oe_row);
  }
  if (chip.gal_type() >= kGal22V10) rows.insert(rows.end(), {0, 131});
  for (int row : rows) {
    if (!chip.RowCanBeTrue(row)) continue;  // a false row connects every column
    for (const auto& literal : chip.RowLiterals(row)) pins.insert(literal.pin);
  }
}

// The shipped JEDEC files of tests/foreign and the import of their sources, fitted by us.
TEST(ImportForeign, FittedImportDoesWhatTheShippedJedecFileDoes) {
  // The outputs each source defines; the cells it leaves unused each tool configures its own way.
  const std::vector<std::pair<std::string, std::vector<int>>> designs = {
      {"dec16", {12, 13, 14}}, {"cnt22", {21, 22, 23}}, {"bus16", {19}}};
  for (const auto& [stem, outputs] : designs) {
    TempDir dir;
    fs::copy_file(fs::path(FOREIGN_DIR) / (stem + ".pld"), dir.path() / (stem + ".pld"));
    fs::copy_file(fs::path(FOREIGN_DIR) / (stem + ".vec"), dir.path() / (stem + ".vec"));
    const auto r = RunKemc(dir.path(), "--import --fit --simulate " + stem + ".pld");
    ASSERT_EQ(r.status, 0) << stem << r.out << r.err;
    EXPECT_NE(r.out.find("\nSimulation fehlerfrei: "), std::string::npos) << r.out;
    const DeviceSimulator shipped = ChipOf(fs::path(FOREIGN_DIR) / (stem + ".jed"));
    const DeviceSimulator ours = ChipOf(dir.path() / (stem + ".jed"));
    std::set<int> read;
    AddReadPins(shipped, outputs, read);
    AddReadPins(ours, outputs, read);
    const std::vector<int> pins(read.begin(), read.end());
    ForEveryLevel(pins, shipped.pin_count(), [&](const std::vector<bool>& levels) {
      const auto a = shipped.Evaluate(levels);
      const auto b = ours.Evaluate(levels);
      EXPECT_EQ(a.reset, b.reset) << stem << " " << LevelText(levels);
      EXPECT_EQ(a.preset, b.preset) << stem << " " << LevelText(levels);
      for (int pin : outputs) {
        ASSERT_TRUE(a.pins[pin] && b.pins[pin]) << stem << " pin " << pin;
        EXPECT_EQ(a.pins[pin]->enabled, b.pins[pin]->enabled) << stem << " pin " << pin;
        if (a.pins[pin]->enabled) {
          EXPECT_EQ(a.pins[pin]->level, b.pins[pin]->level)
              << stem << " pin " << pin << " at " << LevelText(levels);
        }
      }
    });
  }
}

// What a source means, by pin number: the level of an output (for a register the level after
// the next clock), none while it is not driven.
using Levels = std::vector<bool>;
struct Meaning {
  int pin;
  std::function<std::optional<bool>(const Levels&)> level;
};
struct OwnDesign {
  std::string file;       // in examples/import
  std::vector<int> read;  // the pins the array reads
  std::vector<Meaning> outputs;
  std::function<bool(const Levels&)> reset = [](const Levels&) { return false; };
  std::function<bool(const Levels&)> preset = [](const Levels&) { return false; };
};

int Byte(const Levels& l, int first_pin, int count) {  // first_pin the most significant
  int value = 0;
  for (int i = 0; i < count; ++i) value = value * 2 + l[first_pin + i];
  return value;
}

std::vector<OwnDesign> OwnDesigns() {
  std::vector<OwnDesign> designs;
  // decoder.pld: A15..A8 on pins 2..9, /MREQ on 11; chip selects low active.
  {
    OwnDesign d{"decoder.pld", {2, 3, 4, 5, 6, 7, 8, 9, 11}, {}};
    auto memory = [](const Levels& l) { return !l[11]; };
    auto address = [](const Levels& l) { return Byte(l, 2, 8); };
    d.outputs = {
        {19, [=](const Levels& l) { return !(memory(l) && address(l) <= 0x7F); }},
        {18,
         [=](const Levels& l) { return !(memory(l) && address(l) >= 0x80 && address(l) <= 0xFE); }},
        {17, [=](const Levels& l) { return !(memory(l) && address(l) == 0xFF); }},
        {16, [=](const Levels& l) { return memory(l) && (address(l) >> 4) == 0x8; }},
    };
    designs.push_back(d);
  }
  // sequencer.pld: RUN 2, RST 3, PRE 4, /OE 5; Q0 23 and Q1 22 registered, /LAST 21.
  {
    OwnDesign d{"sequencer.pld", {2, 3, 4, 5, 21, 22, 23}, {}};
    auto driven = [](const Levels& l, bool level) -> std::optional<bool> {
      if (l[5]) return std::nullopt;
      return level;
    };
    d.outputs = {
        {23, [=](const Levels& l) { return driven(l, l[2] ? !l[22] : l[23]); }},
        {22, [=](const Levels& l) { return driven(l, l[2] ? l[23] : l[22]); }},
        {21, [](const Levels& l) -> std::optional<bool> { return !(l[22] && !l[23]); }},
    };
    d.reset = [](const Levels& l) { return bool(l[3]); };
    d.preset = [](const Levels& l) { return l[4] && !l[3]; };
    designs.push_back(d);
  }
  // counter.pld: EN 2, CLR 3, /OE 11; Q3..Q0 on 15..18, CARRY 19.
  {
    OwnDesign d{"counter.pld", {2, 3, 11, 15, 16, 17, 18}, {}};
    auto next = [](const Levels& l) {
      const int count = Byte(l, 15, 4);
      return l[3] ? 0 : l[2] ? (count + 1) % 16 : count;
    };
    for (int bit = 0; bit < 4; ++bit) {
      d.outputs.push_back({18 - bit, [=](const Levels& l) -> std::optional<bool> {
                             if (l[11]) return std::nullopt;
                             return (next(l) >> bit) & 1;
                           }});
    }
    d.outputs.push_back(
        {19, [](const Levels& l) -> std::optional<bool> { return l[2] && Byte(l, 15, 4) == 15; }});
    designs.push_back(d);
  }
  return designs;
}

TEST(ImportOwnDesigns, FittedChipDoesWhatTheSourceSays) {
  for (const OwnDesign& design : OwnDesigns()) {
    TempDir dir;
    fs::copy_file(fs::path(EXAMPLES_DIR) / "import" / design.file, dir.path() / design.file);
    const auto r = RunKemc(dir.path(), "--import --fit " + design.file);
    ASSERT_EQ(r.status, 0) << design.file << r.out << r.err;
    // The fitted chip, and the one derive_jedec.py placed by hand from the same equations.
    const fs::path fitted = (dir.path() / design.file).replace_extension(".jed");
    const std::string stem = fs::path(design.file).stem().string();
    for (const fs::path& jedec :
         {fitted, fs::path(EXAMPLES_DIR) / "import" / (stem + "-by-hand.jed")}) {
      const DeviceSimulator chip = ChipOf(jedec);
      ForEveryLevel(design.read, chip.pin_count(), [&](const Levels& levels) {
        const auto snapshot = chip.Evaluate(levels);
        const std::string at = jedec.filename().string() + " at " + LevelText(levels);
        EXPECT_EQ(snapshot.reset, design.reset(levels)) << at;
        EXPECT_EQ(snapshot.preset, design.preset(levels)) << at;
        for (const Meaning& output : design.outputs) {
          const auto& drive = snapshot.pins[output.pin];
          ASSERT_TRUE(drive) << at << " pin " << output.pin;
          const std::optional<bool> expected = output.level(levels);
          EXPECT_EQ(drive->enabled, expected.has_value()) << at << " pin " << output.pin;
          if (expected && drive->enabled) {
            EXPECT_EQ(drive->level, *expected) << at << " pin " << output.pin;
          }
        }
      });
    }
  }
}

// The whole migration check in one command: the source imported, fitted and compared with the
// JEDEC file it shipped with; the check fails when that file does something else.
TEST(ImportOwnDesigns, ImportFitAndCompareWithTheShippedFile) {
  for (const OwnDesign& design : OwnDesigns()) {
    TempDir dir;
    const std::string stem = fs::path(design.file).stem().string();
    fs::copy_file(fs::path(EXAMPLES_DIR) / "import" / design.file, dir.path() / design.file);
    fs::copy_file(fs::path(EXAMPLES_DIR) / "import" / (stem + "-by-hand.jed"),
                  dir.path() / "shipped.jed");
    auto r = RunKemc(dir.path(), "--import --fit --compare shipped.jed " + design.file);
    EXPECT_EQ(r.status, 0) << design.file << r.out << r.err;
    EXPECT_NE(r.out.find("gleichwertig"), std::string::npos) << r.out;
    fs::remove(dir.path() / "shipped.jed");
    fs::copy_file(
        fs::path(EXAMPLES_DIR) / "import" /
            (design.file == "decoder.pld" ? "counter-by-hand.jed" : "decoder-by-hand.jed"),
        dir.path() / "shipped.jed");
    r = RunKemc(dir.path(), "--import --fit --compare shipped.jed " + design.file);
    EXPECT_NE(r.status, 0) << design.file << r.out;
  }
}

// A source that does not translate leaves nothing behind and fails with its line; a design of
// the user's at FILE.kem is never overwritten; an earlier import is.
TEST(ImportFiles, NothingWrittenOnFailureAndNoUserDesignOverwritten) {
  TempDir dir;
  dir.Write("bad.pld", "GAL16V8\nSIG\n\nA B C D E F G H I GND\nJ K L M N O P Q Y VCC\n\nY = Z\n");
  auto r = RunKemc(dir.path(), "--import --fit bad.pld");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "bad.pld:7: error: Z ist weder Pin noch Variable\n");
  EXPECT_FALSE(dir.Read("bad.kem"));
  EXPECT_FALSE(dir.Read("bad.jed"));

  fs::copy_file(fs::path(EXAMPLES_DIR) / "import" / "counter.pld", dir.path() / "counter.pld");
  dir.Write("counter.kem", "CHIP mine GAL16V8\n");
  r = RunKemc(dir.path(), "--import counter.pld");
  EXPECT_EQ(r.status, 2) << r.err;
  EXPECT_EQ(*dir.Read("counter.kem"), "CHIP mine GAL16V8\n");
  fs::remove(dir.path() / "counter.kem");
  EXPECT_EQ(RunKemc(dir.path(), "--import counter.pld").status, 0);
  EXPECT_EQ(RunKemc(dir.path(), "--import counter.pld").status, 0);

  dir.Write("plain.pld", "just words\n");
  r = RunKemc(dir.path(), "--import plain.pld");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "plain.pld: error: Sprache der Quelle nicht erkannt (weder CUPL noch GALasm)\n");
}

}  // namespace
}  // namespace kem
