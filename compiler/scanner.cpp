#include "compiler/scanner.h"

#include <string_view>

#include "common/keywords.h"

namespace kem {

namespace {

// Plain ASCII classes; bytes from 128 up belong to none.
bool IsLetter(int c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(int c) {
  return c >= '0' && c <= '9';
}
bool IsBlank(int c) {
  return c == ' ' || c == '\t';
}
bool IsClosingMark(int c) {
  return c >= 0 && c < 128 &&
         std::string_view(";.=:()*&+|$").find(static_cast<char>(c)) != std::string_view::npos;
}
}  // namespace

int Scanner::EndAtZeroByte() {
  source_.Unget(0);
  if (!source_.OnlyZerosAhead()) Report(Diag::E18);
  source_.EndHere();
  return kEndOfInput;
}

int Scanner::ScanIdentifier(std::string& identifier) {
  identifier.clear();

  // Leading blanks, line ends and comments.
  for (;;) {
    int c = source_.Get();
    if (c == 0) c = EndAtZeroByte();
    if (IsBlank(c) || c == '\n') continue;
    if (c == '/') {
      source_.Unget(c);
      if (SkipComment()) continue;
      Report(Diag::E18);
      return 0;
    }
    if (c == kEndOfInput) return 0;
    if (IsLetter(c) || c == '_') {
      source_.Unget(c);
      break;
    }
    source_.Unget(c);
    Report(Diag::E18);
    return 0;
  }

  bool after_underscore = false;
  for (;;) {
    if (identifier.size() > kMaxIdentifierLength) {
      Report(Diag::E20);
      SkipText(SkipMode::kToSeparator);
      return 0;
    }
    int c = source_.Get();
    if (c == 0) c = EndAtZeroByte();
    if (identifier.empty()) {
      identifier += static_cast<char>(c);
      after_underscore = c == '_';
      continue;
    }
    if (after_underscore) {
      // An underscore must be followed by a letter or a digit.
      if (IsLetter(c) || IsDigit(c)) {
        identifier += static_cast<char>(c);
        after_underscore = false;
        continue;
      }
      if (c == kEndOfInput) return 0;
      Report(Diag::E18);
      return 0;
    }
    if (IsLetter(c) || IsDigit(c) || c == '_') {
      identifier += static_cast<char>(c);
      after_underscore = c == '_';
      continue;
    }
    if (IsBlank(c) || c == kEndOfInput || c == '\n') return 1;
    if (IsClosingMark(c)) {
      source_.Unget(c);
      return 1;
    }
    Report(Diag::E18);
    return 0;
  }
}

int Scanner::SkipComment() {
  const SourceText::Mark start = source_.MarkPosition();
  if (source_.Get() != '/') {
    source_.ReturnTo(start);
    return 0;
  }
  const int kind = source_.Get();
  if (kind == '*') {
    bool after_star = false;
    for (;;) {
      const int c = source_.Get();
      if (c == kEndOfInput) return 0;
      if (after_star && c == '/') return 1;
      after_star = c == '*';
    }
  }
  if (kind == '/') {
    for (;;) {
      const int c = source_.Get();
      if (c == kEndOfInput) return 0;
      if (c == '\n') return 1;
    }
  }
  source_.ReturnTo(start);
  return 0;
}

int Scanner::SkipTextFrom(SkipMode mode) {
  int line_ends = 0;
  for (;;) {
    const int c = source_.Get();
    if (c == kEndOfInput) return line_ends;
    if (c == '/') {
      source_.Unget(c);
      if (SkipComment()) continue;
      if (source_.Peek() != '/') return line_ends;  // the input ended inside a comment
      if (mode == SkipMode::kBlanks) return line_ends;
      source_.Get();  // a "/" that starts no comment is discarded
      continue;
    }
    if (mode == SkipMode::kBlanks) {
      if (c == '\n') {
        ++line_ends;
        continue;
      }
      if (IsBlank(c)) continue;
      source_.Unget(c);
      return line_ends;
    }
    if (c == ';' || c == ',') {
      if (mode == SkipMode::kToSeparator) source_.Unget(c);
      return line_ends;
    }
    if (c == '\n') ++line_ends;
  }
}

void Scanner::ExpectSemicolon() {
  SkipText(SkipMode::kBlanks);
  const int c = source_.Get();
  if (c == ';') return;
  source_.Unget(c);
  Report(Diag::W01);
}

int Scanner::FindChip() {
  std::size_t matched = 0;
  for (;;) {
    const int c = source_.Get();
    if (c == kEndOfInput) return 0;
    if (c == kChipKeyword[matched]) {
      if (++matched == kChipKeyword.size()) return 1;
    } else if (matched > 0) {
      // Start again with the character that broke the partial match.
      source_.Unget(c);
      matched = 0;
    }
  }
}

}  // namespace kem
