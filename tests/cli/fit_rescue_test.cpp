// What kemc says about outputs and their rows: the notes after E35 on standard error, and the fit
// report, whose term counts show that level 3 never writes more terms than another level.
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

TEST(FitNotes, FollowTheirDiagnosticOnStandardError) {
  TempDir dir;
  dir.Write("fit_no_room.kem", Slurp(fs::path(DESIGNS_DIR) / "fit_no_room.kem"));
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
  dir.Write("counter.kem", Slurp(fs::path(DESIGNS_DIR) / "fit_loadable_counter.kem"));
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
