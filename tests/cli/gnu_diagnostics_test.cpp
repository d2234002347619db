// How kemc reports diagnostics and boxes on standard error: in the compilers' form that editors,
// build tools and CI annotations read, with the catalogue's texts unchanged.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/box_lines.h"
#include "cli/gnu_diagnostics.h"
#include "common/diagnostics.h"
#include "common/format.h"
#include "compiler/messages.h"
#include "tests/support/run_kemc.h"
#include "tests/support/temp_dir.h"

namespace kem::cli {
namespace {

std::vector<std::string> GnuLines(std::string_view file, std::string_view error_file) {
  std::vector<std::string> lines;
  for (const ErrorFileEntry& entry : ParseErrorFile(error_file))
    lines.push_back(GnuDiagnosticLine(file, entry));
  return lines;
}

TEST(GnuDiagnostics, LineSeverityAndTextOfEachDiagnostic) {
  EXPECT_EQ(GnuLines("ampel.kem",
                     "Zeile 7: E19 Bezeichner unbekannt\n"
                     "Zeile 12: W01 ; fehlt\n"
                     "E35 Zu viele Terme für Definition von Pin Q0\n"
                     "Zeile 3: E12 Der Pinname A ist bereits vergeben\n"),
            (std::vector<std::string>{
                "ampel.kem:7: error: E19 Bezeichner unbekannt",
                "ampel.kem:12: warning: W01 ; fehlt",
                "ampel.kem: error: E35 Zu viele Terme für Definition von Pin Q0",
                "ampel.kem:3: error: E12 Der Pinname A ist bereits vergeben",
            }));
}

// Every diagnostic of the catalogue comes out with its own severity and its text unchanged.
TEST(GnuDiagnostics, EveryCatalogueEntryKeepsItsSeverity) {
  for (int id = 0; id < kDiagnosticCount; ++id) {
    const DiagnosticRecord& record = DiagnosticEntry(static_cast<Diag>(id));
    const std::string text = FormatText(record.format, {"Q3"});
    const std::string first_line = text.substr(0, text.find('\n'));
    const auto lines = GnuLines("d/x.kem", "Zeile 41: " + text + "\n");
    ASSERT_FALSE(lines.empty()) << record.format;
    const char* kind = record.severity == Severity::kWarning ? "warning" : "error";
    EXPECT_EQ(lines[0], "d/x.kem:41: " + std::string(kind) + ": " + first_line);
  }
}

// A message of two lines: the second is a note at the first one's place, not an error of its own.
TEST(GnuDiagnostics, ContinuationLineBecomesANote) {
  const auto entries = ParseErrorFile(
      "E11 Zu viele oder gravierende Fehler in der Deklaration\n"
      "Syntaxanalyse wird nicht fortgesetzt\n");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].code, "E11");
  EXPECT_EQ(entries[1].kind, DiagnosticKind::kNote);
  EXPECT_EQ(GnuDiagnosticLine("x.kem", entries[1]),
            "x.kem: note: Syntaxanalyse wird nicht fortgesetzt");
  EXPECT_EQ(GnuLines("x.kem", "Zeile 4: E17 ) fehlt\r\nweiter\r\n"),
            (std::vector<std::string>{"x.kem:4: error: E17 ) fehlt", "x.kem:4: note: weiter"}));
}

// Lines the catalogue does not know are errors, as the fitter counts them; nothing is lost.
TEST(GnuDiagnostics, UnknownLinesCountAsErrors) {
  EXPECT_EQ(GnuLines("x.kem", "\nX99 fremd\nZeile 5: e19 klein\nZeile x: E19 Bezeichner\n"),
            (std::vector<std::string>{"x.kem: error: X99 fremd", "x.kem: note: Zeile 5: e19 klein",
                                      "x.kem: note: Zeile x: E19 Bezeichner"}));
  EXPECT_EQ(GnuLines("x.kem", "ohne Code\n"),
            (std::vector<std::string>{"x.kem: error: ohne Code"}));
  EXPECT_TRUE(ParseErrorFile("").empty());
}

// Every line with a line number is read by tools that follow GCC's form.
TEST(GnuDiagnostics, LinesMatchTheCompilersForm) {
  const std::regex gcc("^[^:]+:[0-9]+: (error|warning): .+$");
  for (const std::string& line : GnuLines("ampel.kem",
                                          "Zeile 1: W01 ; fehlt\nZeile 22: E19 Bezeichner "
                                          "unbekannt\nZeile 9999: E37 User ID Statement nicht "
                                          "korekt\n"))
    EXPECT_TRUE(std::regex_match(line, gcc)) << line;
}

// A run's diagnostics echo as the lines of the error file written from them would.
TEST(GnuDiagnostics, RunEntriesEchoAsTheirErrorFile) {
  Diagnostics diagnostics;
  diagnostics.OpenErrorFile();
  diagnostics.ReportDiagnostic(Diag::W01, 4);
  diagnostics.ReportDiagnostic(Diag::E33, 0, "Q1");
  diagnostics.ReportAtLine(Diag::E01, 9);
  diagnostics.ReportDiagnostic(Diag::E11, 0);
  diagnostics.ReportDiagnostic(Diag::E12, 3, "CLK");
  std::vector<std::string> lines;
  for (const ReportedDiagnostic& reported : diagnostics.entries()) {
    for (const ErrorFileEntry& entry : EntriesOf(reported))
      lines.push_back(GnuDiagnosticLine("a.kem", entry));
  }
  EXPECT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines, GnuLines("a.kem", ErrorFileText(diagnostics.entries())));
}

TEST(BoxLines, RefusalsAndFailuresAreErrors) {
  EXPECT_EQ(BoxLine(messages::kRefuseOwnOutput, BoxKind::kRefusal),
            "kemc: error: Kann nicht in selbes File compilieren. Umbenennen?");
  EXPECT_EQ(BoxLine("Kann /tmp/a.jed nicht speichern", BoxKind::kFailure),
            "kemc: error: Kann /tmp/a.jed nicht speichern");
  EXPECT_EQ(BoxLine("Hinweis", BoxKind::kInformation), "kemc: Hinweis");
  EXPECT_EQ(BoxLine("Frage", BoxKind::kQuestion), "kemc: Frage");
}

namespace fs = std::filesystem;
using testing_support::RunKemc;
using testing_support::ShellQuote;
using testing_support::TempDir;

// What kemc prints on standard error for every design of the tests and the examples: each line is
// a box under kemc's name or a diagnostic in the compilers' form, and every diagnostic of the
// error file that names a line is there with that line.
TEST(KemcStandardError, EveryLineIsInTheCompilersForm) {
  const std::regex with_line("^[^:]+:([0-9]+): (error|warning): .+$");
  const std::regex without_line("^[^:]+: (error|warning|note): .+$");
  const std::regex box("^kemc: .+$");
  int diagnostics_with_line = 0;
  for (const char* folder : {DESIGNS_DIR, EXAMPLES_DIR}) {
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.path().extension() != ".kem") continue;
      TempDir dir;
      fs::copy_file(entry.path(), dir.path() / "d.kem");
      const auto r = RunKemc(dir.path(), "-m 0 --fit d.kem");
      int numbered = 0;
      std::istringstream err(r.err);
      for (std::string line; std::getline(err, line);) {
        std::smatch match;
        if (std::regex_match(line, match, with_line)) {
          ++numbered;
        } else {
          EXPECT_TRUE(std::regex_match(line, without_line) || std::regex_match(line, box))
              << entry.path() << ": " << line;
        }
      }
      const std::string error_file = dir.Read("d.ERR").value_or("");
      int numbered_in_file = 0;
      for (std::size_t at = error_file.find("Zeile "); at != std::string::npos;
           at = error_file.find("Zeile ", at + 1))
        ++numbered_in_file;
      EXPECT_EQ(numbered, numbered_in_file) << entry.path();
      diagnostics_with_line += numbered;
    }
  }
  EXPECT_GT(diagnostics_with_line, 10);
}

// Vim's quickfix list, with its default error format as for GCC, takes kemc's diagnostics with
// file, line and text.
TEST(KemcStandardError, VimQuickfixReadsTheDiagnostics) {
  if (std::system("command -v vim >/dev/null 2>&1") != 0) GTEST_SKIP() << "vim is not installed";
  TempDir dir;
  fs::create_directory(dir.path() / "src");
  dir.Write("src/ampel.kem",
            "CHIP ampel GAL16V8\nA B C D E F G H I GND J Q0 Q1 Q2 Q3 Q4 Q5 Q6 Q7 VCC\n"
            "Q0 = A & /B;\nQ1 = X;\nQ2 = A\nQ3 = B;\n");
  const auto r = RunKemc(dir.path(), "src/ampel.kem");
  ASSERT_EQ(r.status, 1);
  dir.Write("errors.txt", r.err);
  const std::string script =
      "cd " + ShellQuote(dir.path().string()) +
      " && vim -u NONE -i NONE -N -es -c 'set errorformat&' -c 'cgetfile errors.txt' -c "
      "'call writefile(map(getqflist(), \"v:val.valid . \\\"|\\\" . bufname(v:val.bufnr) . "
      "\\\"|\\\" . v:val.lnum . \\\"|\\\" . v:val.text\"), \"quickfix.txt\")' -c 'qa!' "
      "</dev/null >/dev/null 2>&1";
  ASSERT_EQ(std::system(script.c_str()), 0);
  EXPECT_EQ(dir.Read("quickfix.txt"),
            "1|src/ampel.kem|4| error: E19 Bezeichner unbekannt\n"
            "1|src/ampel.kem|6| warning: W01 ; fehlt\n");
}

}  // namespace
}  // namespace kem::cli
