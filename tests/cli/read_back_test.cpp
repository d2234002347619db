// Reading chips back: seeded designs of every device and mode decompiled from their JEDEC files
// and compared, other tools' file layouts, and kemc's exit statuses.
#include "shell/read_back.h"

#include <numeric>
#include <random>

#include <gtest/gtest.h>

#include <map>

#include "common/file_io.h"
#include "device/catalogue.h"
#include "device/jedec_reader.h"
#include "interchange/pal_fuse_maps.h"
#include "interchange/pin_tables.h"
#include "tests/support/compile_fixture.h"
#include "tests/support/design_generator.h"
#include "tests/support/jedutil_chip.h"
#include "tests/support/round_count.h"
#include "tests/support/run_kemc.h"

namespace kem {
namespace {

using testing_support::CompileFixture;
using testing_support::DesignGenerator;
using testing_support::GeneratedDesign;
using testing_support::RoundCount;
using testing_support::RunKemc;
using testing_support::TempDir;

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// Compile, fit, decompile (which compiles the design back and compares it), and compare the two
// chips once more from their files: always "gleichwertig".
TEST(ReadBack, SeededDesignsOfEveryDeviceAndModeComeBackEquivalent) {
  const int per_kind = RoundCount(10);
  std::map<std::pair<int, int>, int> done;
  int kinds = 0;
  for (int type = 0; type < kDeviceCount; ++type) {
    for (int mode : {kSimpleMode, kComplexMode, kRegisteredMode}) kinds += ModeAllowed(mode, type);
  }
  int finished = 0;
  for (std::uint64_t seed = 1; seed < 4000 && finished < kinds; ++seed) {
    const GeneratedDesign design = DesignGenerator(seed, {.fault_percent = 0}).Generate();
    const std::pair<int, int> kind{design.gal_type, design.mode};
    if (done.count(kind) != 0 && done[kind] >= per_kind) continue;
    CompileFixture fixture;
    CompileOptions options;
    options.minimization_level = design.level;
    const auto compiled = fixture.Compile(design.source, "design.kem", options, true);
    if (!compiled.run || !compiled.run->fitted) continue;
    const std::string jedec = fixture.dir.File("design.jed");
    DecompileOptions decompile;
    decompile.level = design.level;
    const DecompiledFile back = DecompileFile(jedec, "", decompile);
    ASSERT_TRUE(back.text) << "seed " << seed << ", level " << design.level << "\n"
                           << Joined(back.messages) << design.source;
    const LoadedChip a = LoadChip(jedec, "", design.level);
    const LoadedChip b = CompileInScratch(*back.text, "back.kem", design.level);
    ASSERT_TRUE(a.chip && b.chip) << "seed " << seed;
    const auto comparison = CompareChips(*a.chip, *b.chip);
    ASSERT_TRUE(comparison && comparison->equivalent()) << "seed " << seed << "\n" << *back.text;
    finished += ++done[kind] == per_kind ? 1 : 0;
  }
  for (int type = 0; type < kDeviceCount; ++type) {
    for (int mode : {kSimpleMode, kComplexMode, kRegisteredMode}) {
      if (ModeAllowed(mode, type)) {
        EXPECT_EQ((done[{type, mode}]), per_kind) << DeviceName(type) << " " << ModeName(mode);
      }
    }
  }
}

// The fuses of a JEDEC file written anew: only the rows that hold a fuse other than the
// default, no checksums, bare line ends.
std::string SparseJedec(const JedecFile& file, std::size_t fuses, int default_fuse) {
  std::string text =
      "\x02\nsparse*\nQF" + std::to_string(fuses) + "*\nF" + std::to_string(default_fuse) + "*\n";
  for (std::size_t at = 0; at < fuses; at += 44) {
    std::string run;
    for (std::size_t f = at; f < std::min(at + 44, fuses); ++f) run += file.fuses[f] ? '1' : '0';
    if (run.find(default_fuse ? '0' : '1') == std::string::npos) continue;
    text += "L" + std::to_string(at) + " " + run + "*\n";
  }
  return text +
         "\x03"
         "0000";
}

// Other tools' and programmers' layouts of one file read as the design they were written for.
TEST(ReadBack, OtherToolsLayoutsReadAsTheirDesigns) {
  struct Variant {
    std::string name;
    std::string design;
    std::function<std::string(const std::string&, const JedecFile&)> text;
    std::string heading = "zurückgelesen";  // a line the design's heading must hold
  };
  auto without = [](std::string text, char c) {
    text.erase(std::remove(text.begin(), text.end(), c), text.end());
    return text;
  };
  const std::vector<Variant> variants = {
      {"as written", "dec16", [](const std::string& t, const JedecFile&) { return t; }},
      {"bare line ends", "bus16",
       [&](const std::string& t, const JedecFile&) { return without(t, '\r'); }},
      {"sparse, F0", "cnt22",
       [](const std::string&, const JedecFile& f) { return SparseJedec(f, f.fuses.size(), 0); }},
      {"sparse, F1", "dec16",
       [](const std::string&, const JedecFile& f) { return SparseJedec(f, f.fuses.size(), 1); }},
      {"GAL22V10 without its signature row", "cnt22",
       [](const std::string&, const JedecFile& f) { return SparseJedec(f, 5828, 0); }},
      {"security fuse and a vector", "dec16",
       [](const std::string& t, const JedecFile&) {
         std::string text = t.substr(0, t.find('\x03') + 1) + "0000";
         text.replace(text.find("*G0"), 3, "*G1*V1 1111111XN0XXXXXXXXN");
         return text;
       },
       "Sicherheitssicherung.\n * Die Datei enthält 1 Testvektoren."},
  };
  for (const Variant& variant : variants) {
    SCOPED_TRACE(variant.name);
    TempDir dir;
    std::string original;
    ASSERT_TRUE(ReadWholeFile(std::string(FOREIGN_DIR) + "/" + variant.design + ".jed", original));
    std::string error;
    const auto file = ReadJedec(original, error);
    ASSERT_TRUE(file) << error;
    dir.Write("chip.jed", variant.text(original, *file));
    const DecompiledFile back = DecompileFile(dir.File("chip.jed"), "", {});
    ASSERT_TRUE(back.text) << Joined(back.messages);
    EXPECT_NE(back.text->find(variant.heading), std::string::npos) << *back.text;
    dir.Write("chip.kem", *back.text);
    dir.Write("original.jed", original);
    const auto result = RunKemc(dir.path(), "--compare chip.kem original.jed");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "gleichwertig\n");
  }
}

// 0 the same, 1 a difference with its counterexample, 2 a file that cannot be used; a design
// already there is never overwritten.
TEST(ReadBack, KemcStatuses) {
  TempDir dir;
  std::string counter;
  ASSERT_TRUE(ReadWholeFile(std::string(FOREIGN_DIR) + "/cnt22.kem", counter));
  dir.Write("a.kem", counter);
  std::string changed = counter;
  changed.replace(changed.find("AR = RST;"), 9, "AR = RST * EN;");
  dir.Write("b.kem", changed);
  dir.Write("broken.jed", "\x02QF12*L0 1*\x03");
  struct Case {
    std::string arguments;
    int status;
    std::string out;  // the start of standard output
  };
  const std::vector<Case> cases = {
      {"--fit a.kem", 0, ""},
      {"--compare a.jed a.kem", 0, "gleichwertig\n"},
      {"--compare a.jed b.kem", 1, "Pin 23 (Q0): Folgezustand verschieden bei EN=0 RST=1 Q0=1"},
      {"--compare a.jed broken.jed", 2, ""},
      {"--compare a.jed missing.jed", 2, ""},
      {"--decompile a.jed", 2, ""},  // a.kem is there
      {"--decompile -o back.kem a.jed", 0, "back.kem\n"},
      {"--compare back.kem a.jed", 0, "gleichwertig\n"},
      {"--compare a.jed", 2, ""},
      {"--compare a.jed isp.jed", 0, "gleichwertig\n"},
      {"--compare a.jed a.kem -f", 0, "gleichwertig\n"},  // the design is fitted anyway
      {"--compare a.jed a.kem --fit-only", 2, ""},
      {"--decompile a.jed -f", 2, ""},
  };
  for (const Case& c : cases) {
    if (c.arguments == "--compare a.jed isp.jed") {
      // The same fuses read as an ispGAL22V10: the twin's pins by the common layout.
      std::string twin = *dir.Read("a.jed");
      twin.replace(twin.find("QP24"), 4, "QP28");
      twin.replace(twin.find("GAL22V10"), 8, "ispGAL22V10");
      dir.Write("isp.jed", twin.substr(0, twin.find('\x03') + 1) + "0000");
    }
    const auto result = RunKemc(dir.path(), c.arguments);
    EXPECT_EQ(result.status, c.status) << c.arguments << "\n" << result.err;
    EXPECT_EQ(result.out.substr(0, c.out.size()), c.out) << c.arguments;
  }
  EXPECT_EQ(*dir.Read("a.kem"), counter);
}

// A PAL fuse map of random rows over a few signals per output, output enables always on, on a
// literal or never on, as a PAL's JEDEC file.
std::string RandomPalJedec(const std::string& part, std::uint64_t seed) {
  std::mt19937_64 random(seed);
  const int columns = part.substr(3, 2) == "16" ? 32 : 40;
  std::vector<int> fuses(64 * columns, 0);
  auto program = [&](int row, const std::vector<int>& connected) {
    for (int c = 0; c < columns; ++c) fuses[row * columns + c] = 1;
    for (int c : connected) fuses[row * columns + c] = 0;
  };
  // The R-parts' registers sit in the middle blocks. Our language gives a combinational output
  // in the registered mode no enable of its own.
  const int registers = part[6] == 'L' ? 0 : part[6] - '0';
  auto combinational = [&](int block) {
    return block < (8 - registers) / 2 || block >= 8 - (8 - registers) / 2;
  };
  for (int block = 0; block < 8; ++block) {
    std::vector<int> pool(static_cast<std::size_t>(columns / 2));
    std::iota(pool.begin(), pool.end(), 0);
    std::shuffle(pool.begin(), pool.end(), random);
    pool.resize(5);
    for (int row = 8 * block; row < 8 * block + 8; ++row) {
      if (registers > 0 && row == 8 * block && combinational(block)) {
        program(row, {});
        continue;
      }
      if (random() % 3 == 0) continue;  // left false, as unprogrammed
      // Distinct signals: jedutil shows no literal of a signal both of whose columns connect.
      std::shuffle(pool.begin(), pool.end(), random);
      std::vector<int> connected;
      for (int i = 0, n = 1 + static_cast<int>(random() % 3); i < n; ++i)
        connected.push_back(2 * pool[static_cast<std::size_t>(i)] + static_cast<int>(random() % 2));
      program(row, connected);
    }
  }
  std::string text = "\x02" + part + " from a test*\r\nQF" + std::to_string(fuses.size()) + "*\r\n";
  for (int row = 0; row < 64; ++row) {
    text += "L" + std::to_string(row * columns) + " ";
    for (int c = 0; c < columns; ++c) text += fuses[row * columns + c] ? '1' : '0';
    text += "*\r\n";
  }
  return text +
         "\x03"
         "0000";
}

bool AlwaysTrueOutput(const ChipFunction& chip) {
  return std::any_of(chip.outputs.begin(), chip.outputs.end(), [](const ChipOutput& output) {
    const PinSpace space({&output.terms});
    return !output.terms.empty() && !FirstPointOf(Complement(space, space.TableOf(output.terms)));
  });
}

// PAL fuse maps read as jedutil reads them, replaced by a GAL design whose fitted chip jedutil
// reads as the same, and compared with the GAL file by kemc.
TEST(ReadBack, PalFuseMapsBecomeTheGalsThatReplaceThem) {
  if (!testing_support::HasJedutil()) GTEST_SKIP() << "jedutil (mame-tools) is not installed";
  const std::vector<std::string> parts = {"PAL16L8", "PAL16R4", "PAL16R6", "PAL16R8",
                                          "PAL20L8", "PAL20R4", "PAL20R6", "PAL20R8"};
  // Under the sanitizers one part of each series.
  for (std::size_t i = 0; i < parts.size(); i += testing_support::kSanitizedRoundDivisor) {
    const std::string& part = parts[i];
    SCOPED_TRACE(part);
    const bool small = part.substr(3, 2) == "16";
    const ChipLayout layout = small ? ChipLayout::kSeries16 : ChipLayout::kSeries20;
    const int pins = small ? 20 : 24;
    TempDir dir;
    std::optional<ChipFunction> ours;
    // jedutil shows a row that connects nothing as no term at all: a sum that is always true is
    // left out, since the GAL's fitter writes it as such a row.
    for (std::uint64_t seed = 8 * i; !ours || AlwaysTrueOutput(*ours); ++seed) {
      dir.Write("pal.jed", RandomPalJedec(part, seed));
      std::string error;
      const auto file = ReadJedec(*dir.Read("pal.jed"), error);
      ASSERT_TRUE(file) << error;
      ours = PalChipOfJedec(*file, part, error);
      ASSERT_TRUE(ours) << error;
    }
    const auto theirs = testing_support::JedutilChip(dir.File("pal.jed"), part, layout, pins);
    ASSERT_TRUE(theirs);
    const auto read = CompareChips(*theirs, *ours);
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->equivalent())
        << Joined(ComparisonLines(*read, *theirs, *ours, "jedutil", "kemc"));

    const DecompiledFile back = DecompileFile(dir.File("pal.jed"), part, {});
    ASSERT_TRUE(back.text) << Joined(back.messages);
    dir.Write("gal.kem", *back.text);
    ASSERT_EQ(RunKemc(dir.path(), "--fit gal.kem").status, 0) << *back.text;
    const auto gal = testing_support::JedutilChip(dir.File("gal.jed"),
                                                  small ? "GAL16V8" : "GAL20V8", layout, pins);
    ASSERT_TRUE(gal);
    const auto replaced = CompareChips(*theirs, *gal);
    ASSERT_TRUE(replaced);
    EXPECT_TRUE(replaced->equivalent())
        << Joined(ComparisonLines(*replaced, *theirs, *gal, part, "GAL")) << *back.text;
    const auto compared = RunKemc(dir.path(), "--compare --from " + part + " pal.jed gal.jed");
    EXPECT_EQ(compared.status, 0) << compared.out << compared.err;
  }
}

}  // namespace
}  // namespace kem
