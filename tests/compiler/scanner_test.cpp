#include "compiler/scanner.h"

#include <gtest/gtest.h>

#include <string>

namespace kem {
namespace {

using namespace std::string_view_literals;

class ScannerTest : public testing::Test {
 protected:
  void Read(std::string_view text) {
    source_.Assign(text);
    diagnostics_.OpenErrorFile();
  }
  int Scan() { return scanner_.ScanIdentifier(identifier_); }
  std::string Errors() { return ErrorFileText(diagnostics_.entries()); }
  int Next() { return source_.Get(); }

  SourceText source_;
  Diagnostics diagnostics_;
  Scanner scanner_{source_, diagnostics_};
  std::string identifier_;
};

struct IdentifierCase {
  std::string_view text;
  int result;
  const char* identifier;
  const char* errors;
};

class IdentifierRules : public ScannerTest, public testing::WithParamInterface<IdentifierCase> {};

TEST_P(IdentifierRules, ScanIdentifier) {
  const IdentifierCase& c = GetParam();
  Read(c.text);
  EXPECT_EQ(Scan(), c.result) << c.text;
  if (c.result == 1) {
    EXPECT_EQ(identifier_, c.identifier) << c.text;
  }
  EXPECT_EQ(Errors(), c.errors) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Scanner, IdentifierRules,
    testing::Values(
        IdentifierCase{"Q1_A ", 1, "Q1_A", ""}, IdentifierCase{"_Q;", 1, "_Q", ""},
        IdentifierCase{"  \t\n  abc", 1, "abc", ""},
        IdentifierCase{"Q__A ", 0, "", "Zeile 1: E18 Bezeichner nicht korrekt\n"},
        IdentifierCase{"Q_ ", 0, "", "Zeile 1: E18 Bezeichner nicht korrekt\n"},
        IdentifierCase{"Q_\n", 0, "", "Zeile 2: E18 Bezeichner nicht korrekt\n"},
        IdentifierCase{"Q_;", 0, "", "Zeile 1: E18 Bezeichner nicht korrekt\n"},
        IdentifierCase{"1Q", 0, "", "Zeile 1: E18 Bezeichner nicht korrekt\n"},
        IdentifierCase{"A/B", 0, "", "Zeile 1: E18 Bezeichner nicht korrekt\n"},
        IdentifierCase{"A,B", 0, "", "Zeile 1: E18 Bezeichner nicht korrekt\n"},
        IdentifierCase{"\xC4rger", 0, "", "Zeile 1: E18 Bezeichner nicht korrekt\n"},
        IdentifierCase{"A\xC4", 0, "", "Zeile 1: E18 Bezeichner nicht korrekt\n"},
        IdentifierCase{"", 0, "", ""}, IdentifierCase{"   \n", 0, "", ""},
        IdentifierCase{"\0A"sv, 0, "", "Zeile 1: E18 Bezeichner nicht korrekt\n"},
        IdentifierCase{"\0\0"sv, 0, "", ""}, IdentifierCase{"A\0\0"sv, 1, "A", ""},
        IdentifierCase{"Q_\0B"sv, 0, "", "Zeile 1: E18 Bezeichner nicht korrekt\n"},
        IdentifierCase{"Q_", 0, "", ""},
        IdentifierCase{"/x", 0, "", "Zeile 1: E18 Bezeichner nicht korrekt\n"},
        IdentifierCase{"// only a comment", 0, "", "Zeile 1: E18 Bezeichner nicht korrekt\n"},
        IdentifierCase{"/* a\n b **/ X ", 1, "X", ""},
        IdentifierCase{"/* a *** b ***/X;", 1, "X", ""},
        IdentifierCase{"// c\n// d\nY", 1, "Y", ""},
        IdentifierCase{"/* never closed", 0, "", "Zeile 1: E18 Bezeichner nicht korrekt\n"}));

TEST_F(ScannerTest, IdentifierLengthLimit) {
  const std::string longest(32, 'a');
  Read(longest + " ");
  EXPECT_EQ(Scan(), 1);
  EXPECT_EQ(identifier_, longest);

  Read(std::string(33, 'b') + " x, y");
  EXPECT_EQ(Scan(), 0);
  EXPECT_EQ(Errors(), "Zeile 1: E20 Bezeichner zu lang\n");
  EXPECT_EQ(Next(), ',');  // the rest up to the separator is skipped
}

TEST_F(ScannerTest, WhatEndsAnIdentifierAndWhatIsConsumed) {
  Read("A;B C\nD\0E)"sv);
  EXPECT_EQ(Scan(), 1);
  EXPECT_EQ(Next(), ';');  // a closing mark stays unread
  EXPECT_EQ(Scan(), 1);
  EXPECT_EQ(identifier_, "B");
  EXPECT_EQ(Next(), 'C');  // a blank is consumed
  source_.Unget('C');
  EXPECT_EQ(Scan(), 1);
  EXPECT_EQ(source_.line(), 2);  // the line end was counted when it ended C
  EXPECT_EQ(Scan(), 1);
  EXPECT_EQ(identifier_, "D");
  // A zero byte ends the text; what follows it is reported, not read.
  EXPECT_EQ(Next(), kEndOfInput);
  EXPECT_EQ(Errors(), "Zeile 2: E18 Bezeichner nicht korrekt\n");
}

TEST_F(ScannerTest, SeparatorSkips) {
  Read("a /x /* ; */ b\n; rest");
  EXPECT_EQ(scanner_.SkipText(SkipMode::kToSeparator), 1);
  EXPECT_EQ(Next(), ';');

  Read("a // ; \n, b");
  EXPECT_EQ(scanner_.SkipText(SkipMode::kPastSeparator), 0);  // the comment's line end
  EXPECT_EQ(source_.line(), 2);
  EXPECT_EQ(Next(), ' ');

  Read("no separator at all\n");
  EXPECT_EQ(scanner_.SkipText(SkipMode::kPastSeparator), 1);
  EXPECT_TRUE(source_.at_end());
}

TEST_F(ScannerTest, BlanksSkipStopsAtFirstOtherCharacter) {
  Read(" \t\n/* c\n */ \n// x\n  /y");
  EXPECT_EQ(scanner_.SkipText(SkipMode::kBlanks), 2);
  EXPECT_EQ(source_.line(), 5);
  EXPECT_EQ(Next(), '/');
  EXPECT_EQ(Next(), 'y');

  Read("  /* runs to the end");
  scanner_.SkipText(SkipMode::kBlanks);
  EXPECT_TRUE(source_.at_end());
}

TEST_F(ScannerTest, ExpectSemicolon) {
  Read("  \n ; x");
  scanner_.ExpectSemicolon();
  EXPECT_EQ(Errors(), "");
  EXPECT_EQ(Next(), ' ');

  Read("\n\n x");
  scanner_.ExpectSemicolon();
  EXPECT_EQ(Errors(), "Zeile 3: W01 ; fehlt\n");
  EXPECT_EQ(Next(), 'x');
  EXPECT_EQ(diagnostics_.counts().warnings, 1);
}

TEST_F(ScannerTest, FindChipAnywhere) {
  Read("MYCHIPX ");
  EXPECT_EQ(scanner_.FindChip(), 1);
  EXPECT_EQ(Scan(), 1);
  EXPECT_EQ(identifier_, "X");

  Read("CH\nCCHIP");  // a broken match starts again with the breaking character
  EXPECT_EQ(scanner_.FindChip(), 1);
  EXPECT_EQ(source_.line(), 2);

  Read("chip Chip CHI\0P"sv);
  EXPECT_EQ(scanner_.FindChip(), 0);
}

TEST_F(ScannerTest, MarksRestoreLineNumbers) {
  Read("a\nb\nc d");
  const SourceText::Mark mark = source_.MarkPosition();
  Scan();
  Scan();
  Scan();
  EXPECT_EQ(source_.line(), 3);
  source_.ReturnTo(mark);
  EXPECT_EQ(source_.line(), 1);
  Scan();
  EXPECT_EQ(identifier_, "a");
  EXPECT_EQ(source_.line(), 2);
}

TEST_F(ScannerTest, CrLfIsOneLineEndAndLoneCrIsACharacter) {
  Read("A\r\nB\r\n\r\nC\rD");
  Scan();
  Scan();
  EXPECT_EQ(identifier_, "B");
  EXPECT_EQ(source_.line(), 3);
  EXPECT_EQ(Scan(), 0);  // the lone CR after C is no character of any class
  EXPECT_EQ(Errors(), "Zeile 4: E18 Bezeichner nicht korrekt\n");
}

}  // namespace
}  // namespace kem
