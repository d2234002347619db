#include "common/diagnostics.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "common/allocation.h"
#include "common/error_file_lines.h"
#include "common/format.h"

namespace kem {
namespace {

TEST(DiagnosticsTable, SeveritiesAndLineFlagsAsListed) {
  int severe = 0, warnings = 0;
  for (int i = 0; i < kDiagnosticCount; ++i) {
    const DiagnosticRecord& r = DiagnosticEntry(static_cast<Diag>(i));
    if (r.severity == Severity::kSevere) ++severe;
    if (r.severity == Severity::kWarning) ++warnings;
  }
  EXPECT_EQ(severe, 8);
  EXPECT_EQ(warnings, 2);
  for (Diag d :
       {Diag::E03, Diag::E05, Diag::E06, Diag::E07, Diag::E10, Diag::E12, Diag::E21, Diag::E22})
    EXPECT_EQ(DiagnosticEntry(d).severity, Severity::kSevere);
  for (Diag d : {Diag::E01, Diag::E02, Diag::E03, Diag::E04, Diag::E07, Diag::E11, Diag::E33,
                 Diag::E34, Diag::E35})
    EXPECT_FALSE(DiagnosticEntry(d).with_line);
  // Each record's code sits where the table order puts it.
  EXPECT_EQ(DiagnosticEntry(Diag::W01).format.substr(0, 3), "W01");
  EXPECT_EQ(DiagnosticEntry(Diag::E09).format.substr(0, 3), "E09");
  EXPECT_EQ(DiagnosticEntry(Diag::E37).format, "E37 User ID Statement nicht korekt");
}

TEST(ReportDiagnostic, FormatsLineAndArgument) {
  Diagnostics d;
  d.OpenErrorFile();
  d.ReportDiagnostic(Diag::E19, 7);
  d.ReportDiagnostic(Diag::E33, 9, "Q1");
  d.ReportDiagnostic(Diag::W01, 1);
  d.ReportDiagnostic(Diag::E12, 3, "CLK2");
  EXPECT_EQ(ErrorFileText(d.entries()),
            "Zeile 7: E19 Bezeichner unbekannt\n"
            "E33 Pin Q1 kann nicht als Rückkopplung verwendet werden, da Definition als Output "
            "fehlt\n"
            "Zeile 1: W01 ; fehlt\n"
            "Zeile 3: E12 Der Pinname CLK2 ist bereits vergeben\n");
  EXPECT_EQ(d.counts().warnings, 1);
  EXPECT_EQ(d.counts().errors, 2);
  EXPECT_EQ(d.counts().severe, 1);
}

TEST(ReportDiagnostic, OnlyFirstSevereIsWrittenButAllAreCounted) {
  Diagnostics d;
  d.OpenErrorFile();
  d.ReportDiagnostic(Diag::E18, 1);
  d.ReportDiagnostic(Diag::E05, 1);
  for (int i = 0; i < 10; ++i) d.ReportDiagnostic(Diag::E18, 2);
  d.ReportDiagnostic(Diag::E06, 2);
  d.ReportDiagnostic(Diag::W01, 2);
  d.ReportDiagnostic(Diag::E11, 0);
  EXPECT_EQ(ErrorFileText(d.entries()),
            "Zeile 1: E18 Bezeichner nicht korrekt\n"
            "Zeile 1: E05 Programmname fehlt oder ist nicht korrekt\n");
  EXPECT_EQ(d.counts().errors, 12);
  EXPECT_EQ(d.counts().severe, 2);
  EXPECT_EQ(d.counts().warnings, 1);
  EXPECT_EQ(CompileAborted(d.counts()), 1);
  EXPECT_EQ(CompileClean(d.counts()), 0);
}

TEST(ReportDiagnostic, WithoutErrorFileCountsOnly) {
  Diagnostics d;
  d.ReportDiagnostic(Diag::E01, 0);
  d.ReportDiagnostic(Diag::E01, 0);
  EXPECT_EQ(d.counts().errors, 2);
  EXPECT_TRUE(d.entries().empty());
  d.ResetDiagnosticCounts();
  EXPECT_EQ(d.counts().errors, 0);
}

TEST(CompileOutcome, WarningsKeepACompilationClean) {
  EXPECT_EQ(CompileClean({5, 0, 0}), 1);
  EXPECT_EQ(CompileClean({0, 1, 0}), 0);
  EXPECT_EQ(CompileAborted({0, 9, 0}), 0);
  EXPECT_EQ(CompileAborted({0, 0, 1}), 1);
}

// A fit follows only an error file that shows a clean compilation: warnings alone, or nothing.
TEST(ErrorFileReportsErrors, OnlyWarningsOrNothingIsClean) {
  const struct {
    std::string_view text;
    bool errors;
  } kCases[] = {
      {"", false},
      {"Zeile 3: W01 ; fehlt\n\n", false},
      {"Zeile 3: W01 ; fehlt\r\nW02 x\n", false},  // a line end written on another system
      {"Zeile 3: W01 ; fehlt\nZeile 4: E19 Bezeichner unbekannt\n", true},
      {"E11 Zu viele oder gravierende Fehler in der Deklaration\nnote\n", true},
      {"Zeile 3: W01 ; fehlt\nirgendein Text\n", true},  // a line of no diagnostic is not known
      {"Q99 unbekannt\n", true},
  };
  for (const auto& c : kCases) EXPECT_EQ(ErrorFileReportsErrors(c.text), c.errors) << c.text;
}

TEST(FormatText, FillsPlaceholdersInTurn) {
  EXPECT_EQ(FormatText("Warnungen: %d, Fehler: %d.", {"3", "0"}), "Warnungen: 3, Fehler: 0.");
  EXPECT_EQ(FormatText("E01 Speicher voll", {"ignored"}), "E01 Speicher voll");
  EXPECT_EQ(FormatText("%s%%s", {"a", "b"}), "a%b");
  EXPECT_EQ(FormatText("x %s", {}), "x ");
}

constexpr std::string_view kHead = "Aufruf: ";
constexpr std::string_view kNothing = "";
constexpr std::string_view kTail = "kemc\n";

TEST(JoinedText, PiecesInOrderEmptyOnesIncludedOneZeroAtTheEnd) {
  constexpr auto& joined = kJoinedText<kHead, kNothing, kTail>;
  static_assert(joined.size() == kHead.size() + kTail.size() + 1);
  EXPECT_STREQ(joined.data(), "Aufruf: kemc\n");
  EXPECT_EQ(joined.back(), '\0');
  EXPECT_STREQ(kJoinedText<kNothing>.data(), "");
}

TEST(AllocationBudget, FailureReportsE01AndChargesNothing) {
  AllocationBudget budget(1000);
  Diagnostics d;
  BudgetedArray<int> a;
  EXPECT_TRUE(a.AllocZeroed(budget, d, 200));
  EXPECT_EQ(budget.in_use(), 800u);
  BudgetedArray<int> b;
  EXPECT_FALSE(b.AllocZeroed(budget, d, 51));
  EXPECT_EQ(d.counts().errors, 1);
  EXPECT_EQ(budget.in_use(), 800u);
  EXPECT_FALSE(b.AllocZeroed(budget, d, static_cast<std::size_t>(-1) / 2));  // no overflow
  EXPECT_EQ(d.counts().errors, 2);
  a.Free();
  EXPECT_EQ(budget.in_use(), 0u);
  EXPECT_TRUE(b.AllocZeroed(budget, d, 250));
  EXPECT_EQ(b[249], 0);
  EXPECT_EQ(budget.peak(), 1000u);
}

}  // namespace
}  // namespace kem
