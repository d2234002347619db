#include "compiler/driver.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "common/internal_check.h"
#include "tests/support/compile_fixture.h"
#include "tests/support/unprivileged.h"

namespace kem {
namespace {

namespace fs = std::filesystem;
using testing_support::Checks;
using testing_support::Compiled;
using testing_support::CompileFixture;
using testing_support::Passed;
using testing_support::RunUnprivileged;
using Lines = std::vector<std::string>;

constexpr const char* kHeaderOnly =
    "CHIP ampel GAL16V8\nA B C D E F G H I GND J Q0 Q1 Q2 Q3 Q4 Q5 Q6 Q7 VCC\n";
constexpr const char* kFinishedClean = "Compilevorgang beendet, Warnungen: 0, Fehler: 0.";
constexpr const char* kAborted = "Compilevorgang abgebrochen, zu viele oder zu schwere Fehler.";
constexpr const char* kOutOfMemory = "Nicht genügend Speicher für Compilierung";
constexpr const char* kOneError = "Compilevorgang beendet, Warnungen: 0, Fehler: 1.";
constexpr const char* kFitImpossible = "Fit-Vorgang nicht möglich. Fehler beim Compilieren";

std::string CannotSave(const std::string& file) {
  return "Kann " + file + " nicht speichern";
}

class DriverTest : public testing::Test, public CompileFixture {};

// A log that breaks an internal check when a given line arrives, as a bug under the statements
// would.
class BreakingLog : public LogModel {
 public:
  explicit BreakingLog(std::string trigger) : trigger_(std::move(trigger)) { EnsureLogWindow(); }
  void AppendLogLine(std::string_view text, bool transient) override {
    KEM_CHECK(text != trigger_);
    LogModel::AppendLogLine(text, transient);
  }

 private:
  std::string trigger_;
};

// A bug is no fault of the design: the run ends as an internal compiler error that says where it
// broke, with E03 in the error file and no fit, and the next run is unaffected.
TEST_F(DriverTest, InternalErrorEndsTheRunAndNamesWhere) {
  BreakingLog log("Minimierung von Q1");
  host.log_override = &log;
  Compiled c = Compile(std::string(kHeaderOnly) + "Q0 = A;\nQ1 = B;\n", "design.kem", {}, true);
  EXPECT_EQ(c.errors, "E03 Interner Compilerfehler\n");
  const Lines& lines = log.lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(
      lines[lines.size() - 2].rfind("Interner Compilerfehler in compiler/driver_test.cpp:", 0), 0u);
  EXPECT_EQ(lines.back(), kAborted);
  EXPECT_TRUE(host.fits.empty());
  EXPECT_EQ(c.run->nodes.in_use(), 0u);

  host.log_override = nullptr;
  Compiled again = Compile(std::string(kHeaderOnly) + "Q0 = A;\nQ1 = B;\n", "design.kem", {}, true);
  EXPECT_EQ(again.errors, "");
  EXPECT_EQ(host.fits.size(), 1u);
}

TEST_F(DriverTest, CleanRunLogsEventsAndFiles) {
  Compiled c = Compile(kHeaderOnly);
  EXPECT_EQ(host.log.lines(), (Lines{"Text wird compiliert", kFinishedClean}));
  EXPECT_EQ(host.events, (Lines{"started", "compiled", "ended"}));
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(c.errors, "");
  EXPECT_TRUE(c.listing && c.intermediate);
  EXPECT_EQ(c.run->CompileClean(), 1);
  EXPECT_EQ(host.log.marker_phase(), 2);  // one marker before the source, one after
}

TEST_F(DriverTest, DocumentWithoutExtension) {
  dir.Write("ampel", kHeaderOnly);
  CompileJob job{dir.File("ampel"), false};
  ASSERT_NE(RunCompileCommand(job, host, {}), nullptr);
  EXPECT_TRUE(dir.Exists("ampel.mds"));
  EXPECT_TRUE(dir.Exists("ampel.boo"));
  EXPECT_TRUE(dir.Exists("ampel.ERR"));
  EXPECT_EQ(job.document_name, dir.File("ampel"));
}

TEST_F(DriverTest, DotInFolderNameGivesNoStem) {
  std::filesystem::create_directory(dir.path() / "v1.0");
  dir.Write("v1.0/ab", kHeaderOnly);
  CompileJob job{dir.File("v1.0/ab"), false};
  ASSERT_NE(RunCompileCommand(job, host, {}), nullptr);
  EXPECT_TRUE(dir.Exists("v1.0/ab.mds"));
  EXPECT_FALSE(dir.Exists("v1.0mds"));
}

TEST_F(DriverTest, OutputNamedSourceIsRefusedAndKept) {
  for (const char* name : {"x.mds", "x.boo", "x.ERR", "x.Jed"}) {
    dir.Write(name, kHeaderOnly);
    host.answer = BoxAnswer::kYes;
    CompileJob job{dir.File(name), false};
    EXPECT_EQ(RunCompileCommand(job, host, {}), nullptr) << name;
    EXPECT_EQ(dir.Read(name), kHeaderOnly) << name;
  }
  EXPECT_EQ(host.boxes, Lines(4, "Kann nicht in selbes File compilieren. Umbenennen?"));
  EXPECT_EQ(host.events, Lines(4, "save as"));  // no compilation started
  EXPECT_EQ(host.box_kinds, std::vector<BoxKind>(4, BoxKind::kRefusal));
  EXPECT_TRUE(host.log.lines().empty());

  host.answer = BoxAnswer::kCancel;
  CompileJob job{dir.File("x.mds"), false};
  EXPECT_EQ(RunCompileCommand(job, host, {}), nullptr);
  EXPECT_EQ(host.events.size(), 4u);
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
  CompileJob job{dir.File("missing.kem"), true};
  auto run = RunCompileCommand(job, host, {});
  EXPECT_EQ(dir.Read("missing.ERR"), "E04 Fehler beim Öffnen der Datei.\n");
  EXPECT_EQ(host.log.lines().back(), "Compilevorgang beendet, Warnungen: 0, Fehler: 1.");
  // The fit is refused with a box after the result line.
  ASSERT_EQ(host.boxes, Lines{"Fit-Vorgang nicht möglich. Fehler beim Compilieren"});
  EXPECT_EQ(host.log_length_at_box[0], host.log.lines().size());
  EXPECT_TRUE(host.fits.empty());
}

// Nothing is written beside what is not a file: E04 shows in the log alone.
TEST_F(DriverTest, SourceThatIsAFolder) {
  std::filesystem::create_directory(dir.path() / "folder.kem");
  Compiled c = CompileFile("folder.kem");
  EXPECT_EQ(c.errors, std::nullopt);
  EXPECT_EQ(host.log.lines().end()[-2], "E04 Fehler beim Öffnen der Datei.");
  EXPECT_EQ(c.run->CompileClean(), 0);
}

TEST_F(DriverTest, CleanCompileRunsTheFitOnce) {
  Compiled c = Compile(kHeaderOnly, "design.kem", {}, true);
  EXPECT_EQ(host.fits, Lines{dir.File("design.kem")});
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(c.run->fit, FitOutcome::kSucceeded);  // the run keeps the fit and its device
  EXPECT_TRUE(c.run->fitted);
}

TEST_F(DriverTest, WarningsAloneStillFit) {
  Compiled c = Compile(std::string(kHeaderOnly) + "Q1 = A\n", "design.kem", {}, true);
  EXPECT_EQ(c.errors, "Zeile 4: W01 ; fehlt\n");
  // The fit's own line follows the result line.
  EXPECT_EQ(host.log.lines().end()[-2], "Compilevorgang beendet, Warnungen: 1, Fehler: 0.");
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
  EXPECT_EQ(host.box_kinds[0], BoxKind::kFailure);
  EXPECT_FALSE(c.errors);  // nothing is created on this path
  EXPECT_FALSE(c.listing);
  // Both reservation attempts report E01.
  EXPECT_EQ(host.log.lines().back(), "Compilevorgang beendet, Warnungen: 0, Fehler: 2.");
}

TEST_F(DriverTest, SmallerNodePoolWhenTheLargeOneDoesNotFit) {
  CompileOptions options;
  // The source text is charged beside the pool.
  options.memory_budget = kSmallNodePoolSize * sizeof(ExprNode) + std::string(kHeaderOnly).size();
  Compiled c = Compile(kHeaderOnly, "design.kem", options);
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(c.run->diagnostics.counts().errors, 1);  // the first attempt's E01
  EXPECT_EQ(c.errors, "");                           // reported before the error file existed
  EXPECT_EQ(c.run->budget.in_use(), 0u);
}

TEST_F(DriverTest, ErrorFileThatCannotBeCreated) {
  std::filesystem::create_directory(dir.path() / "design.ERR");
  dir.Write("design.mds", "listing of an earlier run");
  dir.Write("design.boo", "intermediate file of an earlier run");
  dir.Write("design.kem", kHeaderOnly);
  const auto before = dir.Snapshot();
  Compiled c = CompileFile("design.kem", {}, true);
  EXPECT_EQ(host.boxes, (Lines{CannotSave(dir.File("design.ERR")), kFitImpossible}));
  EXPECT_EQ(host.box_kinds, std::vector<BoxKind>(2, BoxKind::kFailure));
  EXPECT_EQ(host.log.lines().back(), kOneError);
  EXPECT_TRUE(host.fits.empty());
  EXPECT_EQ(dir.Snapshot(), before);  // nothing parsed, nothing written
}

TEST_F(DriverTest, ListingFileThatCannotBeCreated) {
  std::filesystem::create_directory(dir.path() / "design.mds");
  dir.Write("design.boo", "intermediate file of an earlier run");
  dir.Write("design.kem", std::string(kHeaderOnly) + "Q0 = A;\n");
  auto expected = dir.Snapshot();
  Compiled c = CompileFile("design.kem", {}, true);
  EXPECT_EQ(host.boxes, (Lines{CannotSave(dir.File("design.mds")), kFitImpossible}));
  EXPECT_EQ(host.log.lines(), (Lines{"Text wird compiliert", kOneError}));  // no statement parsed
  EXPECT_EQ(c.run->diagnostics.counts().errors, 1);
  expected["design.ERR"] = "";
  EXPECT_EQ(dir.Snapshot(), expected);
}

TEST_F(DriverTest, IntermediateFileThatCannotBeCreated) {
  std::filesystem::create_directory(dir.path() / "design.boo");
  Compiled c = Compile(kHeaderOnly);
  EXPECT_EQ(host.boxes, Lines{"Kann " + dir.File("design.boo") + " nicht speichern"});
  ASSERT_TRUE(c.listing);
  EXPECT_EQ(c.listing->substr(0, 31), "CHIP ampel GAL16V8 Complex_Mode");
  EXPECT_EQ(c.errors, "");
  EXPECT_EQ(c.run->CompileClean(), 0);
  EXPECT_EQ(dir.Read("design.kem"), kHeaderOnly);
  EXPECT_TRUE(fs::is_empty(dir.path() / "design.boo"));
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

// A host whose log finds no memory for one line, as any allocation of a compilation might fail.
class HostRunningOutOfMemory : public testing_support::FakeHost {
 public:
  explicit HostRunningOutOfMemory(std::string failing_line) : log_(log, std::move(failing_line)) {}
  MessageLog& Log() override { return log_; }

 private:
  class FailingLog : public MessageLog {
   public:
    FailingLog(LogModel& lines, std::string failing_line)
        : lines_(lines), failing_line_(std::move(failing_line)) {}
    void AppendLogLine(std::string_view text, bool transient) override {
      if (text == failing_line_) throw std::bad_alloc();
      lines_.AppendLogLine(text, transient);
    }
    void AdvanceProgressMarker() override { lines_.AdvanceProgressMarker(); }

   private:
    LogModel& lines_;
    std::string failing_line_;
  };
  FailingLog log_;
};

// Exhaustion in the middle of the statements ends the run as the budget's E01 does: the line in
// the error file, the memory box, the result line, and the listing and intermediate file as far
// as they got; no fit, and nothing escapes to end the program.
TEST(DriverMemory, ExhaustionWhileParsingEndsWithE01AndTheBox) {
  CompileFixture f;
  HostRunningOutOfMemory host("Minimierung von Q1");
  f.dir.Write("design.kem", std::string(kHeaderOnly) + "Q0 = A;\nQ1 = B;\nQ2 = C;\n");
  CompileJob job{f.dir.File("design.kem"), true};
  std::unique_ptr<CompileRun> run;
  ASSERT_NO_THROW(run = RunCompileCommand(job, host, {}));
  ASSERT_TRUE(run);
  EXPECT_EQ(f.dir.Read("design.ERR"), "E01 Speicher voll\n");
  EXPECT_EQ(host.boxes, (Lines{kOutOfMemory, kFitImpossible}));
  EXPECT_EQ(host.log.lines().back(), kOneError);
  EXPECT_TRUE(host.fits.empty());
  const std::optional<std::string> listing = f.dir.Read("design.mds");
  ASSERT_TRUE(listing);
  EXPECT_NE(listing->find("Q0 = A;"), std::string::npos);
  EXPECT_EQ(listing->find("Q1"), listing->find("Q1 Q2"));  // only in the pin names
  EXPECT_EQ(run->budget.in_use(), 0u);
}

// Memory that runs out after the compilation proper, at its result line: the box, and the host
// still hears that the compilation ended, or the IDE would keep its compile commands grayed.
TEST(DriverMemory, ExhaustionAfterTheCompilationStillEndsIt) {
  CompileFixture f;
  HostRunningOutOfMemory host(kFinishedClean);
  f.dir.Write("design.kem", kHeaderOnly);
  ASSERT_NO_THROW(RunCompileCommand({f.dir.File("design.kem"), true}, host, {}));
  EXPECT_EQ(host.boxes, Lines{kOutOfMemory});
  EXPECT_EQ(host.events, (Lines{"started", "compiled", "ended"}));
  EXPECT_TRUE(host.fits.empty());
}

// Folders that refuse the compilation its files. The user is told exactly what went wrong, no fit
// follows, and no file of the user's changes. Permission bits only count for an unprivileged
// process, so each case makes its files there.

TEST(DriverFileSystem, SourceThatCannotBeRead) {
  const auto body = [] {
    Checks check;
    CompileFixture f;
    f.dir.Write("design.kem", kHeaderOnly);
    f.dir.Write("design.mds", "listing of an earlier run");
    f.dir.Write("design.boo", "intermediate file of an earlier run");
    auto expected = f.dir.Snapshot();
    fs::permissions(f.dir.path() / "design.kem", fs::perms::none);
    const Compiled c = f.CompileFile("design.kem", {}, true);
    fs::permissions(f.dir.path() / "design.kem", fs::perms::owner_read);
    check.Equal(f.host.log.lines(), Lines{"Text wird compiliert", kOneError}, "log");
    check.Equal(f.host.boxes, Lines{kFitImpossible}, "boxes");
    check.True(f.host.fits.empty(), "no fit");
    expected["design.ERR"] = "E04 Fehler beim Öffnen der Datei.\n";
    check.SameFiles(f.dir.Snapshot(), expected, "files");
    return check.failures();
  };
  EXPECT_TRUE(Passed(RunUnprivileged(body)));
}

TEST(DriverFileSystem, FolderWithoutWritePermission) {
  const auto body = [] {
    Checks check;
    CompileFixture f;
    fs::create_directory(f.dir.path() / "ro");
    f.dir.Write("ro/design.kem", kHeaderOnly);
    const auto before = f.dir.Snapshot("ro");
    fs::permissions(f.dir.path() / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    const Compiled c = f.CompileFile("ro/design.kem", {}, true);
    check.Equal(f.host.boxes, Lines{CannotSave(f.dir.File("ro/design.ERR")), kFitImpossible},
                "boxes");
    check.Equal(f.host.log.lines(), Lines{"Text wird compiliert", kOneError}, "log");
    check.Equal(c.run->diagnostics.counts().errors, 1, "errors counted");
    check.True(f.host.fits.empty(), "no fit");
    check.SameFiles(f.dir.Snapshot("ro"), before, "files");
    return check.failures();
  };
  EXPECT_TRUE(Passed(RunUnprivileged(body)));
}

// A disk that fills up while the listing is written: the compilation does not end clean with a
// cut-short listing, it names the file and counts the error, and nothing is fitted.
TEST(DriverFileSystem, DiskFullWhileWritingTheListing) {
  const auto body = [] {
    Checks check;
    CompileFixture f;
    const std::string design = std::string(kHeaderOnly) + "Q1 = A & B + C & /D;\nQ2 = /Q1;\n";
    const Compiled whole = f.Compile(design);
    check.Equal(whole.errors, "", "errors without a limit");
    const std::size_t listing_size = whole.listing.value_or("").size();
    f.dir.Write("design.mds", "listing of an earlier run");
    f.host = {};
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
    const rlimit limit{listing_size - 1, listing_size - 1};
    setrlimit(RLIMIT_FSIZE, &limit);
    const Compiled c = f.CompileFile("design.kem", {}, true);
    check.Equal(f.host.boxes, Lines{CannotSave(f.dir.File("design.mds")), kFitImpossible}, "boxes");
    check.Equal(f.host.log.lines().back(), std::string(kOneError), "result line");
    check.True(f.host.fits.empty(), "no fit");
    check.Equal(f.dir.Read("design.mds"), "listing of an earlier run", "no listing cut short");
    check.Equal(f.dir.Snapshot().size(), std::size_t{4}, "no temporary left");
    return check.failures();
  };
  EXPECT_TRUE(Passed(testing_support::RunInChildProcess(body, false)));
}

// A disk that fills up while the diagnostics are written: the error file is not left cut short
// (a reader would take the design for cleaner than it is) but as it was, and the user is told.
TEST(DriverFileSystem, DiskFullWhileWritingTheErrorFile) {
  const auto body = [] {
    Checks check;
    CompileFixture f;
    std::string design = kHeaderOnly;
    for (int i = 0; i < 150; ++i) design += "Q0 = UNBEKANNT" + std::to_string(i) + ";\n";
    f.dir.Write("design.kem", design);
    f.dir.Write("design.ERR", "error file of an earlier run");
    std::signal(SIGXFSZ, SIG_IGN);   // a write past the limit fails instead of ending the process
    const rlimit limit{3000, 3000};  // more than the listing and intermediate file take
    setrlimit(RLIMIT_FSIZE, &limit);
    const Compiled c = f.CompileFile("design.kem", {}, true);
    check.Equal(f.host.boxes, Lines{CannotSave(f.dir.File("design.ERR")), kFitImpossible}, "boxes");
    check.Equal(c.errors, "error file of an earlier run", "error file");
    check.True(!c.run->error_file_created, "error file not this run's");
    check.True(f.host.fits.empty(), "no fit");
    return check.failures();
  };
  EXPECT_TRUE(Passed(testing_support::RunInChildProcess(body, false)));
}

// The source text counts against the budget: one larger than what the node pool leaves ends the
// compilation with E01 and the memory box before it is parsed.
TEST_F(DriverTest, SourceBeyondTheBudgetEndsWithE01) {
  CompileOptions options;
  options.memory_budget = kNodePoolSize * sizeof(ExprNode) + 1000;
  std::string design = kHeaderOnly;
  design += std::string(1000, ' ') + "Q0 = A;\n";
  Compiled c = Compile(design, "design.kem", options);
  EXPECT_EQ(c.errors, "E01 Speicher voll\n");
  EXPECT_EQ(host.boxes, Lines{kOutOfMemory});
  EXPECT_EQ(host.log.lines(), (Lines{"Text wird compiliert", kOneError}));
  EXPECT_FALSE(c.listing);
  EXPECT_EQ(c.run->budget.in_use(), 0u);
}

// Outputs of an earlier run that the user write-protected stay as they are; the first one the
// compilation cannot replace is named, and what comes after it is not written.
TEST(DriverFileSystem, WriteProtectedOutputsOfAnEarlierRun) {
  for (const std::string output : {"design.ERR", "design.mds", "design.boo"}) {
    const auto body = [&output] {
      Checks check;
      CompileFixture f;
      f.dir.Write("design.kem", kHeaderOnly);
      f.dir.Write(output, "written by an earlier run");
      fs::permissions(f.dir.path() / output, fs::perms::owner_read);
      const Compiled c = f.CompileFile("design.kem", {}, true);
      check.Equal(f.host.boxes, Lines{CannotSave(f.dir.File(output)), kFitImpossible}, "boxes");
      check.Equal(f.host.log.lines().back(), std::string(kOneError), "result line");
      check.True(f.host.fits.empty(), "no fit");
      check.Equal(f.dir.Read(output), "written by an earlier run", "protected output");
      check.Equal(f.dir.Read("design.kem"), kHeaderOnly, "source");
      check.True(output != "design.ERR" || !c.listing, "no listing without error file");
      check.True(output == "design.boo" || !c.intermediate, "no intermediate file");
      return check.failures();
    };
    EXPECT_TRUE(Passed(RunUnprivileged(body))) << output;
  }
}

// Names the system cannot take: a name component over 255 bytes, a path over 4096 bytes, and a
// source whose own name fits while its outputs' names do not. The run ends with the box that
// names the error file in full, one counted error and no fit.
TEST(DriverFileSystem, NamesLongerThanTheSystemAllows) {
  std::string too_deep;
  for (int i = 0; i < 21; ++i) too_deep += std::string(200, 'd') + "/";
  const std::string long_component(300, 'n');
  const std::string longest_name(255, 'a');
  struct Case {
    std::string source;
    std::string error_file;
  };
  for (const Case& c : {Case{long_component + ".kem", long_component + ".ERR"},
                        Case{too_deep + "design.kem", too_deep + "design.ERR"},
                        Case{longest_name, longest_name + ".ERR"}}) {
    CompileFixture f;
    if (c.source == longest_name) f.dir.Write(c.source, kHeaderOnly);
    const auto before = f.dir.Snapshot();
    CompileJob job{f.dir.File(c.source), true};
    ASSERT_NE(RunCompileCommand(job, f.host, {}), nullptr);
    EXPECT_EQ(f.host.boxes, (Lines{CannotSave(f.dir.File(c.error_file)), kFitImpossible}))
        << c.source.size();
    EXPECT_EQ(f.host.log.lines(), (Lines{"Text wird compiliert", kOneError}));
    EXPECT_EQ(f.dir.Snapshot(), before);
  }
}

// A long but valid path, about 3000 bytes through nested folders, compiles exactly as a short one.
TEST_F(DriverTest, DeepPathCompilesLikeAShortOne) {
  std::string deep;
  for (int i = 0; i < 15; ++i) deep += std::string(200, 'd') + "/";
  fs::create_directories(dir.path() / deep);
  const std::string design = std::string(kHeaderOnly) + "Q0 = A & /B;\nQ1 = X;\n";
  const Compiled short_path = Compile(design, "design.kem");
  const Compiled deep_path = Compile(design, deep + "design.kem");
  ASSERT_TRUE(deep_path.errors && deep_path.listing && deep_path.intermediate);
  EXPECT_EQ(deep_path.errors, short_path.errors);
  EXPECT_EQ(deep_path.listing, short_path.listing);
  EXPECT_EQ(deep_path.intermediate, short_path.intermediate);
  EXPECT_EQ(deep_path.run->diagnostics.counts().errors, 1);
}

}  // namespace
}  // namespace kem
