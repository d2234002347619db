// The scanner: what the parsers share for reading the design language straight from the source.
// The one token is the identifier; operators and punctuation are read by the parsers as single
// characters. Here too: skipping blanks, line ends and comments, the three ways of skipping text
// after a fault, the check for ";", and the search for the CHIP keyword.
#pragma once

#include <string>

#include "common/diagnostics.h"
#include "compiler/source_text.h"

namespace kem {

inline constexpr int kMaxIdentifierLength = 32;

enum class SkipMode {
  kBlanks,         // blanks, line ends and comments
  kToSeparator,    // everything up to the next ";" or ",", which stays unread
  kPastSeparator,  // the same, and the ";" or "," is consumed
};

class Scanner {
 public:
  Scanner(SourceText& source, Diagnostics& diagnostics)
      : source_(source), diagnostics_(diagnostics) {}

  // 1 with the identifier in `identifier`; 0 when none could be read (after E18 or E20, or
  // silently at the end of the input). A zero byte ends the input.
  int ScanIdentifier(std::string& identifier);
  // At a "/": 1 when a comment was skipped; 0 when none starts here (the "/" stays unread) or the
  // input ends inside it.
  int SkipComment();
  // Returns the number of line ends passed outside comments.
  int SkipText(SkipMode mode) {
    // Most calls stand right before the next character to read already.
    if (mode == SkipMode::kBlanks) {
      const int c = source_.Next();
      if (c != '/' && c != '\n' && c != ' ' && c != '\t') return 0;
    }
    return SkipTextFrom(mode);
  }
  // Consumes a ";" or reports W01.
  void ExpectSemicolon();
  // 1 with the read position right behind the characters CHIP, wherever they stand; 0 at the end.
  int FindChip();

  SourceText& source() { return source_; }
  void Report(Diag id, std::string_view argument = {}) {
    diagnostics_.ReportDiagnostic(id, source_.line(), argument);
  }

 private:
  // At a zero byte just read: the text ends there. Anything but zero bytes behind it would be
  // dropped without a word, so that is reported (E18). Returns kEndOfInput.
  int EndAtZeroByte();
  int SkipTextFrom(SkipMode mode);

  SourceText& source_;
  Diagnostics& diagnostics_;
};

}  // namespace kem
