// kemc --simulate: the vectors of every example pass on its fitted device; mismatches, faults of
// the vector file and unusable JEDEC files give their diagnostics and exit statuses; --vectors
// writes V fields that our reader and, where installed, jedutil read back.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/simulate.h"
#include "device/jedec_reader.h"
#include "tests/support/run_kemc.h"
#include "tests/support/temp_dir.h"

namespace kem {
namespace {

namespace fs = std::filesystem;
using testing_support::RunKemc;
using testing_support::Slurp;
using testing_support::TempDir;

std::vector<fs::path> ExampleSources() {
  std::vector<fs::path> sources;
  for (const auto& entry : fs::directory_iterator(EXAMPLES_DIR)) {
    if (entry.path().extension() == ".kem") sources.push_back(entry.path());
  }
  std::sort(sources.begin(), sources.end());
  return sources;
}

fs::path Example(const std::string& stem) {
  return fs::path(EXAMPLES_DIR) / stem;
}

// Every example with a register or an output enable carries vectors that exercise it.
TEST(ExampleVectors, EveryExampleWithRegistersOrEnablesHasThem) {
  for (const fs::path& source : ExampleSources()) {
    const std::string text = Slurp(source);
    if (text.find(":=") == std::string::npos && text.find(".TRST") == std::string::npos) continue;
    EXPECT_TRUE(fs::exists(fs::path(source).replace_extension(".vec"))) << source;
  }
}

class ExampleWithVectors : public testing::TestWithParam<fs::path> {};

TEST_P(ExampleWithVectors, PassOnTheFittedDevice) {
  TempDir dir;
  fs::copy_file(GetParam(), dir.path() / "design.kem");
  fs::copy_file(fs::path(GetParam()).replace_extension(".vec"), dir.path() / "design.vec");
  const auto r = RunKemc(dir.path(), "--fit --simulate design.kem");
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find(" Fuses (QF"), std::string::npos);
  EXPECT_NE(r.out.find(")\nBaustein: "), std::string::npos);
  EXPECT_NE(r.out.find("\nSimulation fehlerfrei: "), std::string::npos) << r.out;
}

std::vector<fs::path> ExamplesWithVectors() {
  std::vector<fs::path> sources;
  for (const fs::path& source : ExampleSources()) {
    if (fs::exists(fs::path(source).replace_extension(".vec"))) sources.push_back(source);
  }
  return sources;
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleWithVectors, testing::ValuesIn(ExamplesWithVectors()),
                         [](const auto& info) { return info.param.stem().string(); });

class Simulate : public testing::Test {
 protected:
  // ampel.kem as design.kem, with the vector file given.
  void SetUpAmpel(const std::string& vectors) {
    fs::copy_file(Example("ampel.kem"), dir.path() / "design.kem");
    dir.Write("design.vec", vectors);
  }
  std::string Jedec() { return dir.Read("design.jed").value_or(""); }
  TempDir dir;
};

TEST_F(Simulate, MismatchIsMarkedInTheTableAndReportedOnStandardError) {
  SetUpAmpel("ORDER: CLK RESET GRUEN ROT\nC 1 H L\n// wrong\nC 0 L L\n");
  const auto r = RunKemc(dir.path(), "--fit --simulate design.kem");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "design.vec:4: error: GRUEN: erwartet L, gelesen H\n");
  EXPECT_NE(r.out.find("\n    4  C   0     H!    L  GRUEN: erwartet L, gelesen H\n"),
            std::string::npos)
      << r.out;
  EXPECT_TRUE(r.out.ends_with("\nSimulation: 1 von 2 Vektoren mit Abweichungen\n"));
}

TEST_F(Simulate, FaultsOfTheVectorFileStopTheRun) {
  SetUpAmpel("ORDER: CLK FOO GRUEN\nC 0 H\nC 0 H Q\n");
  const auto r = RunKemc(dir.path(), "--fit --simulate design.kem");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "design.vec:1: error: FOO ist kein Pin des Designs\n"
            "design.vec:3: error: unbekannter Wert Q (erlaubt: 0 1 C H L Z X)\n");
  EXPECT_NE(r.out.find("Zeile 1: FOO ist kein Pin des Designs\nZeile 3: unbekannter Wert Q"),
            std::string::npos);
  EXPECT_TRUE(r.out.ends_with("Vektordatei design.vec fehlerhaft, nicht simuliert\n"));
  EXPECT_EQ(r.out.find("Zeile  CLK"), std::string::npos);
}

TEST_F(Simulate, MissingFilesAreUnusableInputs) {
  fs::copy_file(Example("ampel.kem"), dir.path() / "design.kem");
  auto r = RunKemc(dir.path(), "--fit --simulate design.kem");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "kemc: error: Vektordatei design.vec existiert nicht\n");

  fs::copy_file(Example("ampel.vec"), dir.path() / "other.vec");
  fs::copy_file(Example("ampel.kem"), dir.path() / "other.kem");
  r = RunKemc(dir.path(), "--simulate other.kem");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "kemc: error: JEDEC-Datei other.jed existiert nicht\n");
}

// Without --fit nothing is compiled: the JEDEC file that is there is what runs.
TEST_F(Simulate, AloneRunsTheExistingJedecFile) {
  SetUpAmpel(Slurp(Example("ampel.vec")));
  ASSERT_EQ(RunKemc(dir.path(), "--fit design.kem").status, 0);
  dir.Write("design.kem", "not a design any more");
  fs::remove(dir.path() / "design.boo");
  const auto r = RunKemc(dir.path(), "--simulate design.kem");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.find("Text wird compiliert"), std::string::npos);
  EXPECT_TRUE(r.out.ends_with("Simulation fehlerfrei: 14 Vektoren\n"));
}

TEST_F(Simulate, DamagedJedecFileIsRefused) {
  SetUpAmpel(Slurp(Example("ampel.vec")));
  ASSERT_EQ(RunKemc(dir.path(), "--fit design.kem").status, 0);
  std::string jedec = Jedec();
  const std::size_t row = jedec.find("L00032 ");
  jedec[row + 7] = jedec[row + 7] == '0' ? '1' : '0';
  dir.Write("design.jed", jedec);
  const auto r = RunKemc(dir.path(), "--simulate design.kem");
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(
      r.err.starts_with("kemc: error: JEDEC-Datei design.jed ist fehlerhaft: "
                        "Fuse-Prüfsumme "))
      << r.err;
}

TEST_F(Simulate, OnlyAfterACleanCompilationOrFit) {
  SetUpAmpel(Slurp(Example("ampel.vec")));
  dir.Write("design.kem", "CHIP x GAL16V8\nA B\n");
  auto r = RunKemc(dir.path(), "--fit --simulate design.kem");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out.find("Zeile  CLK"), std::string::npos);

  fs::remove(dir.path() / "design.kem");
  fs::copy_file(Example("ampel.kem"), dir.path() / "design.kem");
  ASSERT_EQ(RunKemc(dir.path(), "design.kem").status, 0);
  r = RunKemc(dir.path(), "--fit-only --simulate design.kem");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.out.ends_with("Simulation fehlerfrei: 14 Vektoren\n"));
}

TEST_F(Simulate, VectorsGoIntoTheJedecFileAfterACleanRunOnly) {
  SetUpAmpel(Slurp(Example("ampel.vec")));
  ASSERT_EQ(RunKemc(dir.path(), "--fit design.kem").status, 0);
  const std::string plain = Jedec();
  std::string error;
  const auto plain_file = ReadJedec(plain, error);
  ASSERT_TRUE(plain_file) << error;

  const auto r = RunKemc(dir.path(), "--fit --simulate --vectors design.kem");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.out.ends_with("14 Vektoren in design.jed geschrieben\n"));
  const auto file = ReadJedec(Jedec(), error);
  ASSERT_TRUE(file) << error;
  EXPECT_EQ(ChecksumFault(*file), "");
  EXPECT_EQ(file->stated_transmission_checksum, static_cast<int>(file->transmission_checksum));
  EXPECT_EQ(file->fuses, plain_file->fuses);
  EXPECT_EQ(file->stated_fuse_checksum, plain_file->stated_fuse_checksum);
  EXPECT_EQ(file->vector_count, 14);
  ASSERT_EQ(file->vectors.size(), 14u);
  // CLK RESET TASTER, pins 4..9 held at 0, GND, NOE held at 0, ROT GELB GRUEN F_ROT F_GRUEN ANF
  // T0 T1, VCC.
  EXPECT_EQ(file->vectors[0].pins, "C10000000N0LLHHLLLLN");
  EXPECT_EQ(file->vectors[13].number, 14);

  // Without --vectors the file is as it always was.
  ASSERT_EQ(RunKemc(dir.path(), "--fit --simulate design.kem").status, 0);
  EXPECT_EQ(Jedec(), plain);

  // A mismatch leaves it alone.
  ASSERT_EQ(RunKemc(dir.path(), "--fit --simulate --vectors design.kem").status, 0);
  const std::string with_vectors = Jedec();
  dir.Write("design.vec", "ORDER: CLK RESET GRUEN\nC 1 L\n");
  EXPECT_EQ(RunKemc(dir.path(), "--simulate --vectors design.kem").status, 1);
  EXPECT_EQ(Jedec(), with_vectors);
}

TEST_F(Simulate, VectorsNeedASimulation) {
  SetUpAmpel(Slurp(Example("ampel.vec")));
  const auto r = RunKemc(dir.path(), "--fit --vectors design.kem");
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(r.err.starts_with("kemc: error: --vectors verlangt --simulate\n"));
  const auto help = RunKemc(dir.path(), "--help");
  EXPECT_NE(help.out.find("\n      --simulate "), std::string::npos);
  EXPECT_NE(help.out.find("\n      --vectors "), std::string::npos);
}

// Designs of ours whose JEDEC files another assembler wrote: those run as they are, and our
// fitter's files for the same designs pass the same vectors.
class ForeignDesign : public testing::TestWithParam<std::string> {};

TEST_P(ForeignDesign, PassesFromTheOtherToolsFileAndFromOurs) {
  TempDir dir;
  for (const char* extension : {".jed", ".vec", ".kem"})
    fs::copy_file(fs::path(FOREIGN_DIR) / (GetParam() + extension),
                  dir.path() / ("d" + std::string(extension)));
  for (const char* arguments : {"--simulate d.jed", "--fit --simulate d.kem"}) {
    const auto r = RunKemc(dir.path(), arguments);
    EXPECT_EQ(r.status, 0) << arguments << "\n" << r.out << r.err;
    EXPECT_NE(r.out.find("\nSimulation fehlerfrei: "), std::string::npos) << arguments;
  }
}

INSTANTIATE_TEST_SUITE_P(Foreign, ForeignDesign, testing::Values("dec16", "cnt22", "bus16"));

// The other tool's complex-mode file, edited, with our design beside it to name the pins; a file
// without C and with 0000 after ETX is accepted unchecked, so each edit is what the simulator
// sees.
TEST(ForeignJedec, DamageAndContradictionsAreRefusedAndUnusedCellsNamed) {
  const struct {
    std::vector<std::pair<std::string, std::string>> edits;
    int status;
    std::string found;
    std::string vec = Slurp(fs::path(FOREIGN_DIR) / "bus16.vec");
  } kCases[] = {
      {{}, 0, "Zelle von Pin 12 unbenutzt (AC1 0 im Complex-Modus)\nBaustein: GAL16V8\n"},
      {{}, 0, "Simulation fehlerfrei: 1 Vektor\n", "ORDER: A B C Y\n1 1 1 H\n"},
      {{{"*C120a", "*C-001"}}, 2, "fehlerhaft: fehlerhaftes Feld C-001\n"},
      {{{"4d40", "-FFF"}}, 2, "fehlerhaft: keine Übertragungsprüfsumme nach ETX\n"},
      {{{"*C120a", ""}, {"4d40", "0000"}, {"16V8", "20V8"}},
       2,
       "fehlerhaft: Kopf nennt GAL20V8, QF und QP passen aber zu GAL16V8\n"},
      {{{"*QF2194", ""}, {"4d40", "0000"}}, 2, "fehlerhaft: QF fehlt: die Zahl der Fuses"},
      {{{"*C120a", "*L0256 " + std::string(32, '1')}, {"4d40", "0000"}},
       2,
       "AC1 0 im Complex-Modus an Pin 18, dessen Ausgang freigegeben werden kann\n"},
  };
  for (const auto& c : kCases) {
    TempDir dir;
    std::string jedec = Slurp(fs::path(FOREIGN_DIR) / "bus16.jed");
    for (const auto& [from, to] : c.edits) jedec.replace(jedec.find(from), from.size(), to);
    dir.Write("d.jed", jedec);
    dir.Write("d.vec", c.vec);
    fs::copy_file(fs::path(FOREIGN_DIR) / "bus16.kem", dir.path() / "d.kem");
    const auto r = RunKemc(dir.path(), "--simulate d.jed");
    EXPECT_EQ(r.status, c.status) << c.found << r.err;
    EXPECT_NE((r.out + r.err).find(c.found), std::string::npos) << r.out << r.err;
  }
}

// Odd vector files and inputs that are not what their names say, beside ampel fitted as d.kem.
TEST(SimulateInputs, OddVectorFilesAndInputsThatAreNoFiles) {
  const std::string order = "ORDER: CLK RESET GRUEN\n";
  const struct {
    std::string vec;  // the vector file's text, or "<folder>", "<fifo>", "<unreadable>"
    std::string name = "d.vec";
    int status;
    std::string err;
  } kCases[] = {
      {"\xEF\xBB\xBF" + order + "C 1 H\n", "d.vec", 0, ""},
      {"ORDER: P1 P2 P14\nC 1 H\n", "d.VEC", 0, ""},
      {order + "C 1 \x1B\n", "d.vec", 1, "unbekannter Wert \\x1B "},
      {order + "C 1 " + std::string(1, '\0') + "\n", "d.vec", 1, "unbekannter Wert \\x00 "},
      {order + "C 1 \xC3 H\n", "d.vec", 1, "unbekannter Wert \\xC3 "},
      {order + "C 1 \xC3\xA4\n", "d.vec", 1, "unbekannter Wert ä "},
      {"<folder>", "d.vec", 2, "Vektordatei d.vec ist keine reguläre Datei\n"},
      {"<fifo>", "d.vec", 2, "Vektordatei d.vec ist keine reguläre Datei\n"},
      {"<unreadable>", "d.vec", 2, "Vektordatei d.vec kann nicht gelesen werden\n"},
      {"<folder>", "d.jed", 2, "JEDEC-Datei d.jed ist keine reguläre Datei\n"},
  };
  TempDir fitted;
  fs::copy_file(Example("ampel.kem"), fitted.path() / "d.kem");
  ASSERT_EQ(RunKemc(fitted.path(), "--fit d.kem").status, 0);
  for (const auto& c : kCases) {
    TempDir dir;
    fs::copy_file(fitted.path() / "d.jed", dir.path() / "d.jed");
    if (c.name == "d.jed") fs::copy_file(Example("ampel.vec"), dir.path() / "d.vec");
    fs::remove(dir.path() / c.name);
    if (c.vec == "<folder>") {
      fs::create_directory(dir.path() / c.name);
    } else if (c.vec == "<fifo>") {
      ASSERT_EQ(mkfifo(dir.File(c.name).c_str(), 0600), 0);
    } else {
      dir.Write(c.name, c.vec);
      if (c.vec == "<unreadable>") fs::permissions(dir.path() / c.name, fs::perms::none);
    }
    if (c.vec == "<unreadable>" && dir.Read(c.name)) continue;  // run as root
    const auto r = RunKemc(dir.path(), "--simulate d.KEM");
    EXPECT_EQ(r.status, c.status) << c.vec << r.out << r.err;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << c.vec << "\n" << r.err;
  }
}

TEST(SimulateInputs, MemoryPastTheBudgetEndsTheSimulation) {
  TempDir dir;
  fs::copy_file(Example("ampel.kem"), dir.path() / "d.kem");
  fs::copy_file(Example("ampel.vec"), dir.path() / "d.vec");
  ASSERT_EQ(RunKemc(dir.path(), "--fit d.kem").status, 0);
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  EXPECT_EQ(cli::SimulateDesign(dir.File("d.kem"), false, {out, err}, 1000), 1);
  std::rewind(err);
  char text[100] = {};
  EXPECT_STREQ(std::fgets(text, sizeof text, err),
               "kemc: error: Nicht genügend Speicher für die Simulation\n");
  std::fclose(out);
  std::fclose(err);
}

// A second decoder reads the files with vectors as device programmers would.
TEST_F(Simulate, JedutilReadsFilesWithVectors) {
  if (std::system("command -v jedutil >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "jedutil (mame-tools) is not installed";
  for (const char* stem : {"ampel", "gal22v10_counter", "isp22v10_registered_quad"}) {
    TempDir folder;
    fs::copy_file(Example(std::string(stem) + ".kem"), folder.path() / "d.kem");
    fs::copy_file(Example(std::string(stem) + ".vec"), folder.path() / "d.vec");
    ASSERT_EQ(RunKemc(folder.path(), "--fit --simulate --vectors d.kem").status, 0) << stem;
    std::string error;
    const auto file = ReadJedec(folder.Read("d.jed").value_or(""), error);
    ASSERT_TRUE(file) << error;
    const std::string command = "cd " + testing_support::ShellQuote(folder.path().string()) +
                                " && jedutil -convert d.jed d.bin > jedutil.out 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << stem;
    EXPECT_NE(folder.Read("jedutil.out")
                  .value_or("")
                  .find("Total fuses = " + std::to_string(file->fuse_count)),
              std::string::npos)
        << stem;
  }
}

}  // namespace
}  // namespace kem
