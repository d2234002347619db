// The design language as the editor colours it: comments (a block comment may run over many
// lines), operators, numbers, keywords and the pin names the design declares. Lenient by intent:
// a text being typed is rarely a valid design, and colouring must never stop at a fault.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kem {

enum class TokenKind { kWord, kNumber, kOperator, kComment };

struct Token {
  int start = 0;  // in characters of the text given
  int length = 0;
  TokenKind kind = TokenKind::kWord;
};

// Reads tokens from a text of 8-bit or 16-bit characters; only ASCII characters form tokens, so
// both read alike. Blanks, line ends and characters of no class are passed over.
template <typename Char>
class Lexer {
 public:
  // `in_comment`: the text starts inside a block comment opened before it.
  Lexer(std::basic_string_view<Char> text, bool in_comment)
      : text_(text), in_comment_(in_comment) {}

  // False at the end of the text.
  bool Next(Token& token);
  // Whether the text ended inside a block comment.
  bool in_comment() const { return in_comment_; }

 private:
  void BlockComment(std::size_t start, Token& token);

  std::basic_string_view<Char> text_;
  std::size_t pos_ = 0;
  bool in_comment_;
};

extern template class Lexer<char>;
extern template class Lexer<char16_t>;

enum class SpanKind { kKeyword, kOperator, kComment, kNumber, kPinName };

struct Span {
  int start = 0;
  int length = 0;
  SpanKind kind = SpanKind::kKeyword;
};

// Declared pin and node names, sorted.
using PinNames = std::vector<std::string>;

struct LineSpans {
  std::vector<Span> spans;
  bool ends_in_comment = false;
};

// The coloured pieces of one editor line; plain words and blanks have none.
LineSpans HighlightLine(std::u16string_view line, bool starts_in_comment, const PinNames& pins);

// The language's reserved words: CHIP, the devices and modes, NC, USER_ID, the directives and the
// constant words.
bool IsLanguageKeyword(std::string_view word);

// The pin names of the pin list after the first CHIP outside comments, and the device's node
// names when the list is complete; keywords written in the list (NC, VCC, GND) are no names. As far
// as the list can be read: a list cut short gives the names before the cut, an unknown device none.
PinNames DeclaredPinNames(std::string_view text);

}  // namespace kem
