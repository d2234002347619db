// kemc as a command-line tool: options, exit status, what goes to which stream, and the file
// system around the design.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "cli/options.h"
#include "tests/support/run_kemc.h"
#include "tests/support/temp_dir.h"
#include "tests/support/unprivileged.h"

namespace kem {
namespace {

namespace fs = std::filesystem;
using testing_support::Checks;
using testing_support::Passed;
using testing_support::RunKemc;
using testing_support::RunUnprivileged;
using testing_support::ShellQuote;
using testing_support::TempDir;

constexpr const char* kHeaderOnly =
    "CHIP ampel GAL16V8\nA B C D E F G H I GND J Q0 Q1 Q2 Q3 Q4 Q5 Q6 Q7 VCC\n";
constexpr const char* kWithEquation =
    "CHIP ampel GAL16V8\nA B C D E F G H I GND J Q0 Q1 Q2 Q3 Q4 Q5 Q6 Q7 VCC\nQ0 = A & /B;\n";
constexpr const char* kEquationLog =
    "Text wird compiliert\nMinimierung von Q0\n.\nCompilevorgang beendet, Warnungen: 0, Fehler: "
    "0.\n";
// A fit of a GAL16V8 design, ending with what to choose in the programmer.
constexpr const char* kFitted =
    "Fitterdurchgang erfolgreich beendet\nIm Programmiergerät GAL16V8 wählen: JEDEC-Datei mit 2194 "
    "Fuses (QF2194)\n";
constexpr const char* kCleanLog =
    "Text wird compiliert\nCompilevorgang beendet, Warnungen: 0, Fehler: 0.\n";
constexpr const char* kOneErrorLog =
    "Text wird compiliert\nCompilevorgang beendet, Warnungen: 0, Fehler: 1.\n";
constexpr const char* kFitImpossibleBox =
    "kemc: error: Fit-Vorgang nicht möglich. Fehler beim Compilieren\n";

// A design whose only fault is an ordinary error (E37 on line 1).
constexpr const char* kUserIdFault =
    "CHIP x GAL16V8 USER_ID K ;\nA B C D E F G H I GND J Q0 Q1 Q2 Q3 Q4 Q5 Q6 Q7 VCC\n";

class Kemc : public testing::Test {
 protected:
  TempDir dir;
};

TEST_F(Kemc, HelpAndVersion) {
  auto help = RunKemc(dir.path(), "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Aufruf: kemc"), std::string::npos);
  // The statuses a script can test for are documented where a user looks first.
  for (const char* status :
       {"\n  0  fehlerfrei", "\n  1  Fehler im Design", "\n  2  falscher Aufruf"})
    EXPECT_NE(help.out.find(status), std::string::npos) << status;
  auto version = RunKemc(dir.path(), "--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("kemc ", 0), 0u);
}

TEST_F(Kemc, WrongCommandLinesExitTwo) {
  for (const char* arguments : {"", "--bogus x.kem", "-m", "-m 4 x.kem", "--level=fast x.kem"}) {
    auto r = RunKemc(dir.path(), arguments);
    EXPECT_EQ(r.status, 2) << arguments;
    EXPECT_NE(r.err.find("kemc: "), std::string::npos) << arguments;
    EXPECT_TRUE(r.out.empty()) << arguments;
  }
}

// The exit status tells a script what went wrong: 0 clean (warnings allowed), 1 the design or the
// run failed, 2 the call itself is wrong or names a file that cannot be used.
TEST_F(Kemc, ExitStatusOfEachCase) {
  dir.Write("clean.kem", kWithEquation);
  dir.Write("warning.kem", std::string(kHeaderOnly) + "Q0 = A & /B\n");
  dir.Write("error.kem", kUserIdFault);
  dir.Write("aborted.kem", "no header\n");
  dir.Write("unfit.boo", "Q0 = A ; 1\n");
  dir.Write("named.mds", kHeaderOnly);
  dir.Write("unwritable.kem", kWithEquation);
  fs::create_directory(dir.path() / "unwritable.mds");
  // --fit-only needs an error file that shows the compilation clean, and a regular intermediate.
  dir.Write("fitted.kem", kWithEquation);
  ASSERT_EQ(RunKemc(dir.path(), "fitted.kem").status, 0);
  for (const char* name :
       {"no_err.boo", "err_dir.boo", "err_fifo.boo", "boo_dir.ERR", "boo_fifo.ERR"})
    fs::copy(dir.path() / ("fitted" + fs::path(name).extension().string()), dir.path() / name);
  for (const char* name : {"err_dir.ERR", "boo_dir.boo"}) fs::create_directory(dir.path() / name);
  for (const char* name : {"err_fifo.ERR", "boo_fifo.boo"})
    ASSERT_EQ(mkfifo(dir.File(name).c_str(), 0644), 0);
  const struct {
    const char* arguments;
    int status;
  } kCases[] = {
      {"clean.kem", 0},
      {"--fit clean.kem", 0},
      {"warning.kem", 0},
      {"error.kem", 1},
      {"--fit error.kem", 1},
      {"aborted.kem", 1},
      {"--fit-only unfit.kem", 1},
      {"--fit-only no_err.kem", 1},
      {"--fit-only err_dir.kem", 1},
      {"--fit-only err_fifo.kem", 1},
      {"--fit-only boo_dir.kem", 2},
      {"--fit-only boo_fifo.kem", 2},
      {"--fit --fit-only fitted.kem", 2},  // two actions; a level where nothing compiles is taken
      {"--fit-only -f fitted.kem", 2},
      {"--fit-only -m 0 fitted.kem", 0},
      {"unwritable.kem", 1},
      {"--level=7 clean.kem", 2},
      {"--unknown clean.kem", 2},
      {"", 2},
      {"missing.kem", 2},
      {"named.mds", 2},
      {"--fit-only never-compiled.kem", 2},
      {"clean.kem error.kem missing.kem", 2},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(RunKemc(dir.path(), c.arguments).status, c.status) << c.arguments;
}

TEST_F(Kemc, AcceptsEveryLevelSpelling) {
  dir.Write("a.kem", kHeaderOnly);
  for (const char* level : {"-m 0", "-m1", "--level 2", "--level=none", "-m full", "-m espresso",
                            "-m NOMIN", "-m STRONGMIN", "--level=ESPRESSO"}) {
    auto r = RunKemc(dir.path(), std::string(level) + " a.kem");
    EXPECT_EQ(r.status, 0) << level;
    EXPECT_EQ(r.out, kCleanLog) << level;
  }
}

// Each spelling names its own level: a design without equations compiles alike at every level,
// so only this tells a level word that names the wrong level.
TEST(ParseLevel, EachSpellingNamesItsLevel) {
  const struct {
    const char* text;
    int level;
  } kCases[] = {
      {"0", 0},  {"none", 0},     {"NOMIN", 0},    {"1", 1}, {"full", 1},    {"STRONGMIN", 1},
      {"2", 2},  {"espresso", 2}, {"ESPRESSO", 2}, {"3", 3}, {"minimal", 3}, {"MINIMAL", 3},
      {"4", -1}, {"Full", -1},    {"nomin", -1},   {"", -1}, {"02", -1},
  };
  for (const auto& c : kCases) EXPECT_EQ(cli::ParseLevel(c.text), c.level) << c.text;
}

TEST_F(Kemc, CleanCompileWritesOutputsAndLogsToStdout) {
  dir.Write("ampel", kHeaderOnly);
  auto r = RunKemc(dir.path(), "ampel");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, kCleanLog);
  EXPECT_EQ(r.err, "");  // no marker when standard error is no terminal
  EXPECT_EQ(dir.Read("ampel.ERR"), "");
  EXPECT_TRUE(dir.Exists("ampel.mds"));
  EXPECT_TRUE(dir.Exists("ampel.boo"));
}

TEST_F(Kemc, ErrorFileLinesGoToStderrWithTheFileName) {
  dir.Write("x.kem", kUserIdFault);
  auto r = RunKemc(dir.path(), "x.kem");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "x.kem:1: error: E37 User ID Statement nicht korekt\n");
  EXPECT_EQ(r.out, "Text wird compiliert\nCompilevorgang beendet, Warnungen: 0, Fehler: 1.\n");
}

TEST_F(Kemc, AbortedCompileExitsOne) {
  dir.Write("x.kem", "no header\n");
  auto r = RunKemc(dir.path(), "x.kem");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "x.kem: error: E07 CHIP-Statement nicht gefunden\n");
}

TEST_F(Kemc, MissingSourceExitsTwo) {
  auto r = RunKemc(dir.path(), "missing.kem");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "missing.kem: error: E04 Fehler beim Öffnen der Datei.\n");
}

TEST_F(Kemc, OutputNamedSourceIsRefusedAndKept) {
  dir.Write("x.boo", kHeaderOnly);
  auto r = RunKemc(dir.path(), "x.boo");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "kemc: error: Kann nicht in selbes File compilieren. Umbenennen?\n");
  EXPECT_EQ(dir.Read("x.boo"), kHeaderOnly);
  EXPECT_FALSE(dir.Exists("x.ERR"));
}

TEST_F(Kemc, CompileAndFitWritesTheJedecFile) {
  dir.Write("a.kem", kWithEquation);
  auto r = RunKemc(dir.path(), "--fit a.kem");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, kEquationLog + std::string(kFitted));
  EXPECT_EQ(r.err, "");
  const auto jedec = dir.Read("a.jed");
  ASSERT_TRUE(jedec);
  EXPECT_EQ(jedec->rfind("\x02\r\nCHIP ampel GAL16V8 Complex_Mode*\r\n", 0), 0u);

  // Fitting again from the intermediate file alone gives the same file.
  fs::remove(dir.path() / "a.jed");
  auto again = RunKemc(dir.path(), "--fit-only a.kem");
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.out, kFitted);
  EXPECT_EQ(dir.Read("a.jed"), jedec);
}

TEST_F(Kemc, NoFitAfterAFaultyCompilation) {
  dir.Write("x.kem", kUserIdFault);
  auto r = RunKemc(dir.path(), "--fit x.kem");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("kemc: error: Fit-Vorgang nicht möglich. Fehler beim Compilieren\n"),
            std::string::npos);
  EXPECT_FALSE(dir.Exists("x.jed"));
}

// The intermediate file of a compilation with errors lacks the refused equations: a chip fitted
// from it would differ from the source.
TEST_F(Kemc, FitOnlyAfterAFaultyCompilationIsRefused) {
  // Nine terms on a registered output of eight rows: E35, the equation is written all the same.
  dir.Write("a.kem",
            "CHIP r GAL16V8 REGISTERED_MODE\nCLK A B C D E F G H GND\n"
            "NOE Q0 Q1 Q2 Q3 Q4 Q5 Q6 Q7 VCC\nQ0 := A + B + C + D + E + F + G + H + Q1;\n");
  dir.Write("a.jed", "older");
  auto compiled = RunKemc(dir.path(), "a.kem");
  EXPECT_EQ(compiled.status, 1);
  EXPECT_EQ(dir.Read("a.ERR"), "E35 Zu viele Terme für Definition von Pin Q0\n");

  auto r = RunKemc(dir.path(), "--fit-only a.kem");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "Es traten Fehler beim Fitten auf!\n");
  EXPECT_EQ(r.err, kFitImpossibleBox);
  EXPECT_EQ(dir.Read("a.jed"), "");  // as after any failed fit
}

TEST_F(Kemc, FitOnlyAfterWarningsFits) {
  dir.Write("a.kem", std::string(kHeaderOnly) + "Q0 = A & /B\n");
  auto compiled = RunKemc(dir.path(), "a.kem");
  EXPECT_EQ(compiled.status, 0);
  EXPECT_NE(dir.Read("a.ERR"), "");
  auto r = RunKemc(dir.path(), "--fit-only a.kem");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, kFitted);
}

TEST_F(Kemc, FitOnlyWithoutIntermediateFileIsRefused) {
  dir.Write("a.kem", kWithEquation);
  auto r = RunKemc(dir.path(), "--fit-only a.kem");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "kemc: error: Zwischendatei a.boo existiert nicht\n");
  EXPECT_FALSE(dir.Exists("a.jed"));
  EXPECT_FALSE(dir.Exists("a.ERR"));
}

TEST_F(Kemc, FailedFitExitsOneWithAnEmptyJedecFile) {
  dir.Write("a.boo", "Q0 = A ; 1\n");  // no symbol table
  dir.Write("a.jed", "older");
  auto r = RunKemc(dir.path(), "--fit-only a.kem");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "Es traten Fehler beim Fitten auf!\n");
  EXPECT_EQ(dir.Read("a.jed"), "");
}

TEST_F(Kemc, JedecFileThatCannotBeCreated) {
  dir.Write("a.kem", kWithEquation);
  fs::create_directory(dir.path() / "a.jed");
  auto r = RunKemc(dir.path(), "--fit a.kem");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "kemc: error: Kann a.jed nicht speichern\n");
  EXPECT_EQ(r.out, kEquationLog + std::string("Es traten Fehler beim Fitten auf!\n"));
  EXPECT_EQ(dir.Read("a.kem"), kWithEquation);
  EXPECT_TRUE(fs::is_empty(dir.path() / "a.jed"));
}

TEST_F(Kemc, FitOnlyOfSeveralFilesTakesTheWorstStatus) {
  dir.Write("a.kem", kWithEquation);
  ASSERT_EQ(RunKemc(dir.path(), "a.kem").status, 0);
  dir.Write("bad.boo", "nonsense");
  auto r = RunKemc(dir.path(), "--fit-only a.kem bad.kem a.kem");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, std::string(kFitted) + "Es traten Fehler beim Fitten auf!\n" + kFitted);
  EXPECT_EQ(RunKemc(dir.path(), "--fit-only a.kem missing.kem bad.kem").status, 2);
}

TEST_F(Kemc, WorstStatusOfSeveralFiles) {
  dir.Write("good.kem", kHeaderOnly);
  dir.Write("bad.kem", "nothing");
  auto r = RunKemc(dir.path(), "good.kem bad.kem good.kem");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, std::string(kCleanLog) +
                       "Text wird compiliert\n"
                       "Compilevorgang abgebrochen, zu viele oder zu schwere Fehler.\n" +
                       kCleanLog);
  // A file that cannot be used outweighs a broken design.
  EXPECT_EQ(RunKemc(dir.path(), "bad.kem missing.kem good.kem").status, 2);
}

TEST_F(Kemc, TwoCompilationsInOneProcessMatchSeparateProcesses) {
  const std::string faulty =
      "CHIP b GAL20V8 USER_ID=x\nA B C D E F G H I J K GND L M N O P Q R "
      "S T U V VCC\n";
  dir.Write("a.kem", kHeaderOnly);
  dir.Write("b.kem", faulty);
  RunKemc(dir.path(), "a.kem b.kem");
  const auto together_a = dir.Read("a.boo");
  const auto together_b = dir.Read("b.boo");
  const auto together_b_listing = dir.Read("b.mds");
  fs::remove(dir.path() / "b.boo");
  RunKemc(dir.path(), "b.kem");
  EXPECT_EQ(dir.Read("b.boo"), together_b);
  EXPECT_EQ(dir.Read("b.mds"), together_b_listing);
  RunKemc(dir.path(), "a.kem");
  EXPECT_EQ(dir.Read("a.boo"), together_a);
}

TEST_F(Kemc, PathWithSpacesAndUmlauts) {
  fs::create_directories(dir.path() / "mein Ordner" / "Schaltpläne v1.2");
  const std::string file = "mein Ordner/Schaltpläne v1.2/Ampel Süd";
  dir.Write(file, kHeaderOnly);
  auto r = RunKemc(dir.path(), ShellQuote(file));
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(dir.Exists(file + ".mds"));
}

TEST_F(Kemc, UnusableSettingsFileFallsBackToDefaults) {
  dir.Write("a.kem", kHeaderOnly);
  fs::create_directory(dir.path() / "kem.ini");
  EXPECT_EQ(RunKemc(dir.path(), "a.kem").status, 0);
  fs::remove(dir.path() / "kem.ini");
  dir.Write("kem.ini", std::string(100000, 'x') + "=\n");
  EXPECT_EQ(RunKemc(dir.path(), "a.kem").status, 0);
}

TEST_F(Kemc, ErrorFileThatCannotBeCreated) {
  dir.Write("a.kem", kHeaderOnly);
  fs::create_directory(dir.path() / "a.ERR");
  const auto before = dir.Snapshot();
  auto r = RunKemc(dir.path(), "a.kem");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "kemc: error: Kann a.ERR nicht speichern\n");
  EXPECT_EQ(r.out, kOneErrorLog);
  EXPECT_EQ(dir.Snapshot(), before);
}

// Folders that refuse kemc its files: exact messages, status 1 (2 for a source that cannot be
// read), and no file of the user's changes.
// Permission bits only count for an unprivileged process, so each case makes its files there.

TEST(KemcFileSystem, SourceThatCannotBeRead) {
  const auto body = [] {
    Checks check;
    TempDir dir;
    dir.Write("a.kem", kHeaderOnly);
    auto expected = dir.Snapshot();
    fs::permissions(dir.path() / "a.kem", fs::perms::none);
    const auto r = RunKemc(dir.path(), "--fit a.kem");
    fs::permissions(dir.path() / "a.kem", fs::perms::owner_read);
    check.Equal(r.status, 2, "status");
    check.Equal(r.out, kOneErrorLog, "log");
    check.Equal(
        r.err, std::string(kFitImpossibleBox) + "a.kem: error: E04 Fehler beim Öffnen der Datei.\n",
        "messages");
    expected["a.ERR"] = "E04 Fehler beim Öffnen der Datei.\n";
    check.SameFiles(dir.Snapshot(), expected, "files");
    return check.failures();
  };
  EXPECT_TRUE(Passed(RunUnprivileged(body)));
}

// A folder without write permission takes no new file, so no output can be replaced whole: an
// empty one takes no error file, and one that holds the outputs of an earlier run keeps them as
// they are, for the compilation and for the fit.
TEST(KemcFileSystem, FolderWithoutWritePermission) {
  const auto body = [] {
    Checks check;
    TempDir dir;
    fs::create_directory(dir.path() / "ro");
    dir.Write("ro/a.kem", kWithEquation);
    const auto before = dir.Snapshot("ro");
    fs::permissions(dir.path() / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    const auto compile = RunKemc(dir.path(), "--fit ro/a.kem");
    check.Equal(compile.status, 1, "compile status");
    check.Equal(compile.out, kOneErrorLog, "compile log");
    check.Equal(compile.err,
                "kemc: error: Kann ro/a.ERR nicht speichern\n" + std::string(kFitImpossibleBox),
                "compile messages");
    check.SameFiles(dir.Snapshot("ro"), before, "files after the compilation");

    fs::permissions(dir.path() / "ro", fs::perms::owner_all);
    check.Equal(RunKemc(dir.path(), "ro/a.kem").status, 0, "compilation in a writable folder");
    dir.Write("ro/a.kem", kUserIdFault);
    const auto outputs = dir.Snapshot("ro");
    fs::permissions(dir.path() / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    const auto again = RunKemc(dir.path(), "--fit ro/a.kem");
    check.Equal(again.status, 1, "second compile status");
    check.Equal(again.err,
                "kemc: error: Kann ro/a.ERR nicht speichern\n" + std::string(kFitImpossibleBox),
                "second compile messages");
    check.SameFiles(dir.Snapshot("ro"), outputs, "earlier outputs after the compilation");
    const auto fit = RunKemc(dir.path(), "--fit-only ro/a.kem");
    check.Equal(fit.status, 1, "fit status");
    check.Equal(fit.out, std::string("Es traten Fehler beim Fitten auf!\n"), "fit log");
    check.Equal(fit.err, "kemc: error: Kann ro/a.jed nicht speichern\n", "fit messages");
    check.SameFiles(dir.Snapshot("ro"), outputs, "files after the fit");
    return check.failures();
  };
  EXPECT_TRUE(Passed(RunUnprivileged(body)));
}

// The error file of an earlier run that cannot be replaced is not this run's: its lines are not
// repeated as if they were.
TEST(KemcFileSystem, WriteProtectedErrorFileOfAnEarlierRun) {
  const auto body = [] {
    Checks check;
    TempDir dir;
    dir.Write("x.kem", kUserIdFault);
    check.Equal(RunKemc(dir.path(), "x.kem").status, 1, "faulty design");
    dir.Write("x.kem", kHeaderOnly);
    fs::permissions(dir.path() / "x.ERR", fs::perms::owner_read);
    const auto before = dir.Snapshot();
    const auto r = RunKemc(dir.path(), "x.kem");
    check.Equal(r.status, 1, "status");
    check.Equal(r.out, kOneErrorLog, "log");
    check.Equal(r.err, "kemc: error: Kann x.ERR nicht speichern\n", "messages");
    check.SameFiles(dir.Snapshot(), before, "files");
    return check.failures();
  };
  EXPECT_TRUE(Passed(RunUnprivileged(body)));
}

// A path of about 3000 bytes through nested folders compiles and fits as a short one does; one
// over the system's 4096 bytes ends with the box naming the error file in full.
TEST_F(Kemc, LongPaths) {
  std::string deep;
  for (int i = 0; i < 15; ++i) deep += std::string(200, 'd') + "/";
  fs::create_directories(dir.path() / deep);
  dir.Write("a.kem", kWithEquation);
  dir.Write(deep + "a.kem", kWithEquation);
  ASSERT_EQ(RunKemc(dir.path(), "--fit a.kem").status, 0);
  const auto r = RunKemc(dir.path(), "--fit " + ShellQuote(deep + "a.kem"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, kEquationLog + std::string(kFitted));
  EXPECT_EQ(r.err, "");
  for (const char* output : {"a.ERR", "a.mds", "a.boo", "a.jed"})
    EXPECT_EQ(dir.Read(deep + output), dir.Read(output)) << output;

  const std::string too_deep = deep + deep.substr(0, 1400);
  const auto refused = RunKemc(dir.path(), ShellQuote(too_deep + "a.kem"));
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, "kemc: error: Kann " + too_deep + "a.ERR nicht speichern\n");
  EXPECT_EQ(refused.out, kOneErrorLog);
}

}  // namespace
}  // namespace kem
