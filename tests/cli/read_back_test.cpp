// Reading chips back: seeded designs of every device and mode decompiled from their JEDEC files
// and compared, other tools' file layouts, and kemc's exit statuses.
#include "shell/read_back.h"

#include <gtest/gtest.h>

#include <map>

#include "common/file_io.h"
#include "device/catalogue.h"
#include "device/jedec_reader.h"
#include "tests/support/compile_fixture.h"
#include "tests/support/design_generator.h"
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
  };
  for (const Case& c : cases) {
    const auto result = RunKemc(dir.path(), c.arguments);
    EXPECT_EQ(result.status, c.status) << c.arguments << "\n" << result.err;
    EXPECT_EQ(result.out.substr(0, c.out.size()), c.out) << c.arguments;
  }
  EXPECT_EQ(*dir.Read("a.kem"), counter);
}

}  // namespace
}  // namespace kem
