// The tokens of a CUPL source: words, numbers with a base prefix ('b' 'o' 'd' 'h'), punctuation,
// and the block comments, which the import keeps. $DEFINE and $UNDEF are carried out here, so
// the parser sees their words already replaced.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "interchange/import_report.h"

namespace kem {

struct CuplToken {
  enum class Kind { kWord, kNumber, kPunct, kEnd };
  Kind kind = Kind::kEnd;
  std::string text;  // the word, the punctuation, or the number's digits
  char base = 0;     // kNumber: 'b', 'o', 'd' or 'h'
  int line = 0;
  std::size_t offset = 0;  // where it starts in the source
};

struct CuplComment {
  int line = 0;  // where it starts
  std::size_t offset = 0;
  std::string text;
};

struct CuplTokens {
  std::vector<CuplToken> tokens;  // the last one is kEnd
  std::vector<CuplComment> comments;
};

CuplTokens LexCupl(std::string_view text, ImportReport& report);

}  // namespace kem
