#include "compiler/driver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/compile_fixture.h"

namespace kem {
namespace {

using testing_support::Compiled;
using testing_support::CompileFixture;
using Lines = std::vector<std::string>;

constexpr const char* kHeaderOnly =
    "CHIP ampel GAL16V8\nA B C D E F G H I GND J Q0 Q1 Q2 Q3 Q4 Q5 Q6 Q7 VCC\n";
constexpr const char* kFinishedClean = "Compilevorgang beendet, Warnungen: 0, Fehler: 0.";
constexpr const char* kAborted = "Compilevorgang abgebrochen, zu viele oder zu schwere Fehler.";
constexpr const char* kOutOfMemory = "Nicht genügend Speicher für Compilierung";

class DriverTest : public testing::Test, public CompileFixture {};

TEST_F(DriverTest, CleanRunLogsMenusAndFiles) {
  Compiled c = Compile(kHeaderOnly);
  EXPECT_EQ(host.log.lines(), (Lines{"Text wird compiliert", kFinishedClean}));
  EXPECT_EQ(host.menu, (Lines{"-19", "-18", "-20", "-21", "+18", "+21"}));
  EXPECT_EQ(host.wait_cursors, 1);
  EXPECT_FALSE(host.compile_needed);
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(c.errors, "");
  EXPECT_TRUE(c.listing && c.intermediate);
  EXPECT_EQ(c.run->CompileClean(), 1);
  EXPECT_EQ(host.log.marker_phase(), 2);  // one marker before the source, one after
}

TEST_F(DriverTest, DocumentWithoutExtension) {
  dir.Write("ampel", kHeaderOnly);
  CompileJob job{dir.File("ampel"), 18, false};
  ASSERT_NE(RunCompileCommand(job, host, {}), nullptr);
  EXPECT_TRUE(dir.Exists("ampel.mds"));
  EXPECT_TRUE(dir.Exists("ampel.boo"));
  EXPECT_TRUE(dir.Exists("ampel.ERR"));
  EXPECT_EQ(job.document_name, dir.File("ampel"));
}

TEST_F(DriverTest, DotInFolderNameGivesNoStem) {
  std::filesystem::create_directory(dir.path() / "v1.0");
  dir.Write("v1.0/ab", kHeaderOnly);
  CompileJob job{dir.File("v1.0/ab"), 18, false};
  ASSERT_NE(RunCompileCommand(job, host, {}), nullptr);
  EXPECT_TRUE(dir.Exists("v1.0/ab.mds"));
  EXPECT_FALSE(dir.Exists("v1.0mds"));
}

TEST_F(DriverTest, OutputNamedSourceIsRefusedAndKept) {
  for (const char* name : {"x.mds", "x.boo", "x.ERR", "x.Jed"}) {
    dir.Write(name, kHeaderOnly);
    host.answer = BoxAnswer::kYes;
    CompileJob job{dir.File(name), 18, false};
    EXPECT_EQ(RunCompileCommand(job, host, {}), nullptr) << name;
    EXPECT_EQ(dir.Read(name), kHeaderOnly) << name;
  }
  EXPECT_EQ(host.boxes, Lines(4, "Kann nicht in selbes File compilieren. Umbenennen?"));
  EXPECT_EQ(host.save_as_commands, 4);
  EXPECT_TRUE(host.menu.empty());
  EXPECT_TRUE(host.log.lines().empty());
  EXPECT_TRUE(host.compile_needed);

  host.answer = BoxAnswer::kCancel;
  CompileJob job{dir.File("x.mds"), 18, false};
  EXPECT_EQ(RunCompileCommand(job, host, {}), nullptr);
  EXPECT_EQ(host.save_as_commands, 4);
}

TEST_F(DriverTest, NoChip) {
  Compiled c = Compile("nothing here\n");
  EXPECT_EQ(c.errors, "E07 CHIP-Statement nicht gefunden\n");
  EXPECT_FALSE(c.listing);
  EXPECT_FALSE(c.intermediate);
  EXPECT_EQ(host.log.lines().back(), kAborted);
  EXPECT_EQ(c.run->diagnostics.counts().errors, 1);  // E11, counted but not written
}

TEST_F(DriverTest, AbortKeepsOutputsOfAnEarlierRun) {
  Compile(kHeaderOnly);
  const auto listing = dir.Read("design.mds");
  Compiled c = Compile("CHIP x gal16v8");
  EXPECT_EQ(c.listing, listing);
}

TEST_F(DriverTest, MissingSource) {
  CompileJob job{dir.File("missing.kem"), 19, true};
  auto run = RunCompileCommand(job, host, {});
  EXPECT_EQ(dir.Read("missing.ERR"), "E04 Fehler beim Öffnen der Datei.\n");
  EXPECT_EQ(host.log.lines().back(), "Compilevorgang beendet, Warnungen: 0, Fehler: 1.");
  // The fit is refused with a box after the result line.
  ASSERT_EQ(host.boxes, Lines{"Fit-Vorgang nicht möglich. Fehler beim Compilieren"});
  EXPECT_EQ(host.log_length_at_box[0], host.log.lines().size());
  EXPECT_TRUE(host.fits.empty());
}

TEST_F(DriverTest, SourceThatIsAFolder) {
  std::filesystem::create_directory(dir.path() / "folder.kem");
  Compiled c = CompileFile("folder.kem");
  EXPECT_EQ(c.errors, "E04 Fehler beim Öffnen der Datei.\n");
  EXPECT_EQ(c.run->CompileClean(), 0);
}

TEST_F(DriverTest, CleanCompileRunsTheFitOnce) {
  Compile(kHeaderOnly, "design.kem", {}, true);
  EXPECT_EQ(host.fits, Lines{dir.File("design.kem")});
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(DriverTest, WarningsAloneStillFit) {
  Compiled c = Compile(std::string(kHeaderOnly) + "Q1 = A\n", "design.kem", {}, true);
  EXPECT_EQ(c.errors, "Zeile 4: W01 ; fehlt\n");
  EXPECT_EQ(host.log.lines().back(), "Compilevorgang beendet, Warnungen: 1, Fehler: 0.");
  EXPECT_EQ(host.fits.size(), 1u);
}

TEST_F(DriverTest, StatementLinesAlternate) {
  Compile(std::string(kHeaderOnly) + "Q1 = A; Q2 = B; X = C;");
  EXPECT_EQ(host.log.lines(),
            (Lines{"Text wird compiliert", "Minimierung von Q1", ".", "Minimierung von Q2", "..",
                   ".", "Compilevorgang beendet, Warnungen: 0, Fehler: 2."}));
}

TEST_F(DriverTest, AbortedCompileNeitherFitsNorShowsABox) {
  Compile("CHIP", "design.kem", {}, true);
  EXPECT_TRUE(host.fits.empty());
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(DriverTest, NoNodePoolWithinBudget) {
  CompileOptions options;
  options.memory_budget = 1024;
  Compiled c = Compile(kHeaderOnly, "design.kem", options);
  EXPECT_EQ(host.boxes, Lines{kOutOfMemory});
  EXPECT_EQ(host.box_icons[0], BoxIcon::kError);
  EXPECT_FALSE(c.errors);  // nothing is created on this path
  EXPECT_FALSE(c.listing);
  // Both reservation attempts report E01.
  EXPECT_EQ(host.log.lines().back(), "Compilevorgang beendet, Warnungen: 0, Fehler: 2.");
}

TEST_F(DriverTest, SmallerNodePoolWhenTheLargeOneDoesNotFit) {
  CompileOptions options;
  options.memory_budget = kSmallNodePoolSize * sizeof(ExprNode);
  Compiled c = Compile(kHeaderOnly, "design.kem", options);
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(c.run->diagnostics.counts().errors, 1);  // the first attempt's E01
  EXPECT_EQ(c.errors, "");                           // reported before the error file existed
  EXPECT_EQ(c.run->budget.in_use(), 0u);
}

TEST_F(DriverTest, ErrorFileThatCannotBeCreated) {
  std::filesystem::create_directory(dir.path() / "design.ERR");
  Compiled c = Compile(kHeaderOnly, "design.kem", {}, true);
  EXPECT_EQ(host.boxes[0], "Kann " + dir.File("design.ERR") + " nicht speichern");
  EXPECT_FALSE(c.listing);
  EXPECT_EQ(host.log.lines().back(), "Compilevorgang beendet, Warnungen: 0, Fehler: 1.");
  EXPECT_TRUE(host.fits.empty());
}

TEST_F(DriverTest, IntermediateFileThatCannotBeCreated) {
  std::filesystem::create_directory(dir.path() / "design.boo");
  Compiled c = Compile(kHeaderOnly);
  EXPECT_EQ(host.boxes, Lines{"Kann " + dir.File("design.boo") + " nicht speichern"});
  ASSERT_TRUE(c.listing);
  EXPECT_EQ(c.listing->substr(0, 31), "CHIP ampel GAL16V8 Complex_Mode");
  EXPECT_EQ(c.errors, "");
  EXPECT_EQ(c.run->CompileClean(), 0);
}

TEST_F(DriverTest, TwoRunsInOneProcessAreIndependent) {
  const std::string faulty =
      "CHIP x GAL16V8 USER_ID K ; A B C D E F G H I GND J Q0 Q1 Q2 Q3 Q4 "
      "Q5 Q6 Q7 VCC\n";
  Compiled first = Compile(faulty);
  Compiled second = Compile(faulty);
  EXPECT_EQ(first.errors, second.errors);
  EXPECT_EQ(first.listing, second.listing);
  EXPECT_EQ(first.intermediate, second.intermediate);
  EXPECT_EQ(second.run->diagnostics.counts().errors, 1);
  EXPECT_EQ(host.log.lines(),
            (Lines{"Text wird compiliert", "Compilevorgang beendet, Warnungen: 0, Fehler: 1.",
                   "Text wird compiliert", "Compilevorgang beendet, Warnungen: 0, Fehler: 1."}));
}

}  // namespace
}  // namespace kem
