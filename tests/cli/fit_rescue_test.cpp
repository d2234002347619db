// What kemc says about outputs and their rows: the cover of another level where the chosen one
// does not fit, the notes after E35 on standard error, and the fit report, whose term counts show
// that level 3 never writes more terms than another level.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "tests/support/run_kemc.h"
#include "tests/support/temp_dir.h"

namespace kem {
namespace {

namespace fs = std::filesystem;
using testing_support::RunKemc;
using testing_support::Slurp;
using testing_support::TempDir;

// A four-bit counter with synchronous load and count enable. Its top bit fits its eight rows as
// written and at level 1; level 2 adds consensus terms of the load term and does not fit.
constexpr const char* kLoadableCounter =
    "CHIP counter GAL16V8 REGISTERED_MODE\n"
    "CLK D3 D0 D1 D2 LOAD EN NC NC GND NOE NC NC Q3 Q2 Q1 Q0 NC NC VCC\n"
    "Q0 := LOAD * D0 + /LOAD * /EN * Q0 + /LOAD * EN * /Q0;\n"
    "Q1 := LOAD * D1 + /LOAD * /EN * Q1 + /LOAD * /Q0 * Q1 + /LOAD * EN * Q0 * /Q1;\n"
    "Q2 := LOAD * D2 + /LOAD * /EN * Q2 + /LOAD * /Q0 * Q2 + /LOAD * /Q1 * Q2\n"
    "    + /LOAD * EN * Q0 * Q1 * /Q2;\n"
    "Q3 := LOAD * D3 + /LOAD * /EN * Q3 + /LOAD * /Q0 * Q3 + /LOAD * /Q1 * Q3 + /LOAD * /Q2 * Q3\n"
    "    + /LOAD * EN * Q0 * Q1 * Q2 * /Q3;\n";

// P, the parity of five inputs, needs sixteen terms and so does its complement; the register S
// needs nine of its eight rows, its complement one.
constexpr const char* kNoRoom =
    "CHIP noroom GAL22V10\n"
    "CLK A B C D E F G H J NC GND NC P NC NC NC NC NC NC NC NC S VCC\n"
    "P = A $ B $ C $ D $ E;\n"
    "S := A + B + C + D + E + F + G + H + J;\n";

// The default level gives way on two outputs, each logged; the others fit as they are.
TEST(FitRescue, CoverOfAnotherLevelWhereTheChosenOneDoesNotFit) {
  const struct {
    const char* level;
    const char* warnings;  // every log line of a rescue, in order
  } kCases[] = {
      {"",
       "Warnung: Q2: Stufe 2 ergibt 9 Terme für 8 Zeilen, Stufe 1 passt mit 5 Termen\n"
       "Warnung: Q3: Stufe 2 ergibt 11 Terme für 8 Zeilen, Stufe 1 passt mit 6 Termen\n"},
      {"-m 0", ""},
      {"-m 1", ""},
      {"-m 3", ""},
  };
  for (const auto& c : kCases) {
    TempDir dir;
    dir.Write("counter.kem", kLoadableCounter);
    const auto r = RunKemc(dir.path(), std::string(c.level) + " -f counter.kem");
    EXPECT_EQ(r.status, 0) << c.level << r.err;
    EXPECT_NE(r.out.find("Fitterdurchgang erfolgreich beendet"), std::string::npos) << c.level;
    std::string logged;
    for (std::size_t at = r.out.find("Warnung: "); at != std::string::npos;
         at = r.out.find("Warnung: ", at + 1))
      logged += r.out.substr(at, r.out.find('\n', at) + 1 - at);
    EXPECT_EQ(logged, c.warnings) << c.level;
  }
}

TEST(FitNotes, FollowTheirDiagnosticOnStandardError) {
  TempDir dir;
  dir.Write("fit_no_room.kem", kNoRoom);
  const auto r = RunKemc(dir.path(), "fit_no_room.kem");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "fit_no_room.kem: error: E35 Zu viele Terme für Definition von Pin P\n"
            "fit_no_room.kem: note: P braucht mindestens 16 Produktterme (bewiesen), Pin 14 hat "
            "8 Zeilen\n"
            "fit_no_room.kem: note: Pins mit genug Zeilen: 18 (frei), 19 (frei)\n"
            "fit_no_room.kem: note: das Komplement braucht 16 Produktterme und passt auch nicht\n"
            "fit_no_room.kem: error: E35 Zu viele Terme für Definition von Pin S\n"
            "fit_no_room.kem: note: S braucht mindestens 9 Produktterme (bewiesen), Pin 23 hat 8 "
            "Zeilen\n"
            "fit_no_room.kem: note: Pins mit genug Zeilen: 15 (frei), 16 (frei), 17 (frei), 18 "
            "(frei), 19 (frei), 20 (frei), 21 (frei), 22 (frei)\n"
            "fit_no_room.kem: note: das Komplement passt mit 1 Produkttermen: /S schreiben\n");
}

// The terms of each output in the report of `kemc --report`, by pin.
std::map<int, int> ReportedTerms(const std::string& out) {
  std::map<int, int> terms;
  std::istringstream lines(out.substr(out.find("Belegung: ")));
  std::string line;
  std::getline(lines, line);  // the heading
  std::getline(lines, line);  // the column titles
  while (std::getline(lines, line) && line.rfind("Summe: ", 0) != 0) {
    std::istringstream fields(line);
    int pin = 0;
    std::string name, kind, used;
    fields >> pin >> name >> kind >> used;
    if (used != "-") terms[pin] = std::stoi(used);
  }
  return terms;
}

TEST(FitReport, OneLinePerPinThenTheTotals) {
  TempDir dir;
  dir.Write("counter.kem", kLoadableCounter);
  const auto r = RunKemc(dir.path(), "--report counter.kem");
  ASSERT_EQ(r.status, 0);
  const std::string report = r.out.substr(r.out.find("Belegung: "));
  for (const char* line :
       {"Belegung: GAL16V8\nPin Name Art      Terme Polarität  OE\n",
        "\n  1 CLK  fest     -     -          -\n", "\n  6 LOAD Eingang  -     -          -\n",
        "\n 12 NC   frei     0/7   -          -\n", "\n 14 Q3   getaktet 6/8   aktiv high -\n",
        "\nSumme: 23 von 60 Zeilen, 4 von 8 Ausgängen belegt\n"})
    EXPECT_NE(report.find(line), std::string::npos) << line << "\nin\n" << report;
  EXPECT_EQ(report.rfind("Summe: "), report.find("Summe: "));
}

TEST(FitReport, LevelThreeFitsEveryExampleWithNoMoreTermsThanAnotherLevel) {
  for (const auto& entry : fs::directory_iterator(EXAMPLES_DIR)) {
    if (entry.path().extension() != ".kem") continue;
    SCOPED_TRACE(entry.path().filename().string());
    TempDir dir;
    dir.Write("design.kem", Slurp(entry.path()));
    const auto minimal = RunKemc(dir.path(), "-f -m 3 --report design.kem");
    EXPECT_EQ(minimal.status, 0) << minimal.err;
    EXPECT_EQ(minimal.out.find("nicht bewiesen"), std::string::npos);
    const std::map<int, int> terms = ReportedTerms(minimal.out);
    for (int level : {0, 1, 2}) {
      const auto other =
          RunKemc(dir.path(), "-m " + std::to_string(level) + " --report design.kem");
      for (const auto& [pin, count] : ReportedTerms(other.out))
        EXPECT_LE(terms.at(pin), count) << "pin " << pin << ", level " << level;
    }
  }
}

}  // namespace
}  // namespace kem
