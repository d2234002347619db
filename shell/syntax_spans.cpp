#include "shell/syntax_spans.h"

#include <algorithm>

#include "common/keywords.h"
#include "compiler/scanner.h"
#include "device/catalogue.h"

namespace kem {

namespace {

constexpr std::string_view kOperators = "*&+|$/()=:;.,#";

template <typename Char>
bool IsLetter(Char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
template <typename Char>
bool IsDigitChar(Char c) {
  return c >= '0' && c <= '9';
}
template <typename Char>
bool IsWordCharacter(Char c) {
  return IsLetter(c) || IsDigitChar(c) || c == '_';
}
template <typename Char>
bool IsOperator(Char c) {
  return c > 0 && c < 128 && kOperators.find(static_cast<char>(c)) != std::string_view::npos;
}

// A word's characters are ASCII, so it narrows without loss.
template <typename Char>
std::string Narrow(std::basic_string_view<Char> text, const Token& token) {
  std::string word(static_cast<std::size_t>(token.length), ' ');
  for (int i = 0; i < token.length; ++i)
    word[static_cast<std::size_t>(i)] =
        static_cast<char>(text[static_cast<std::size_t>(token.start + i)]);
  return word;
}

// The words of a text, comments passed over.
class WordReader {
 public:
  explicit WordReader(std::string_view text) : text_(text), lexer_(text, false) {}

  // The next token that is no comment; false at the end.
  bool Next(Token& token) {
    while (lexer_.Next(token)) {
      if (token.kind != TokenKind::kComment) return true;
    }
    return false;
  }
  // The next word, or false when the next token is something else or the text ends.
  bool NextWord(std::string& word) {
    Token token;
    if (!Next(token) || token.kind != TokenKind::kWord) return false;
    word = Text(token);
    return true;
  }
  std::string_view Text(const Token& token) const {
    return text_.substr(static_cast<std::size_t>(token.start),
                        static_cast<std::size_t>(token.length));
  }

 private:
  std::string_view text_;
  Lexer<char> lexer_;
};

}  // namespace

template <typename Char>
void Lexer<Char>::BlockComment(std::size_t start, Token& token) {
  std::size_t end = text_.size();
  in_comment_ = true;
  for (std::size_t p = start; p + 1 < text_.size(); ++p) {
    // In a run of stars the last one closes the comment with the slash after it.
    if (text_[p] == '*' && text_[p + 1] == '/') {
      end = p + 2;
      in_comment_ = false;
      break;
    }
  }
  token = {static_cast<int>(pos_), static_cast<int>(end - pos_), TokenKind::kComment};
  pos_ = end;
}

template <typename Char>
bool Lexer<Char>::Next(Token& token) {
  if (in_comment_ && pos_ < text_.size()) {
    BlockComment(pos_, token);
    return true;
  }
  while (pos_ < text_.size()) {
    const Char c = text_[pos_];
    const std::size_t start = pos_;
    if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '*') {
      BlockComment(pos_ + 2, token);
      return true;
    }
    if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
      while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
      token = {static_cast<int>(start), static_cast<int>(pos_ - start), TokenKind::kComment};
      return true;
    }
    if (IsLetter(c) || c == '_' || IsDigitChar(c)) {
      const bool word = !IsDigitChar(c);
      while (pos_ < text_.size() &&
             (word ? IsWordCharacter(text_[pos_]) : IsDigitChar(text_[pos_])))
        ++pos_;
      token = {static_cast<int>(start), static_cast<int>(pos_ - start),
               word ? TokenKind::kWord : TokenKind::kNumber};
      return true;
    }
    ++pos_;
    if (IsOperator(c)) {
      token = {static_cast<int>(start), 1, TokenKind::kOperator};
      return true;
    }
  }
  return false;
}

template class Lexer<char>;
template class Lexer<char16_t>;

bool IsLanguageKeyword(std::string_view word) {
  return std::ranges::find(kWordKeywords, word) != kWordKeywords.end() ||
         std::ranges::find(kConstantWords, word, &ConstantWord::word) != kConstantWords.end() ||
         FindDevice(word) >= 0 || FindMode(word) >= 0;
}

LineSpans HighlightLine(std::u16string_view line, bool starts_in_comment, const PinNames& pins) {
  LineSpans result;
  Lexer<char16_t> lexer(line, starts_in_comment);
  Token token;
  while (lexer.Next(token)) {
    SpanKind kind = SpanKind::kKeyword;
    switch (token.kind) {
      case TokenKind::kComment:
        kind = SpanKind::kComment;
        break;
      case TokenKind::kOperator:
        kind = SpanKind::kOperator;
        break;
      case TokenKind::kNumber:
        kind = SpanKind::kNumber;
        break;
      case TokenKind::kWord: {
        // Longer words are neither keywords nor names.
        if (token.length > kMaxIdentifierLength) continue;
        const std::string word = Narrow(line, token);
        if (IsLanguageKeyword(word))
          kind = SpanKind::kKeyword;
        else if (std::binary_search(pins.begin(), pins.end(), word))
          kind = SpanKind::kPinName;
        else
          continue;
        break;
      }
    }
    result.spans.push_back({token.start, token.length, kind});
  }
  result.ends_in_comment = lexer.in_comment();
  return result;
}

// header = "CHIP" name device [mode] ["USER_ID" "=" identifier] pin-name...
PinNames DeclaredPinNames(std::string_view text) {
  WordReader reader(text);
  Token token;
  for (;;) {
    if (!reader.Next(token)) return {};
    if (token.kind == TokenKind::kWord && reader.Text(token) == kChipKeyword) break;
  }
  std::string word;
  if (!reader.NextWord(word) || !reader.NextWord(word)) return {};
  const int gal_type = FindDevice(word);
  if (gal_type < 0) return {};
  int mode = DefaultMode(gal_type);
  bool have_word = reader.NextWord(word);
  if (have_word && FindMode(word) >= 0) {
    if (ModeAllowed(FindMode(word), gal_type)) mode = FindMode(word);
    have_word = reader.NextWord(word);
  }
  if (have_word && word == kUserIdKeyword) {
    // "=" and the identifier; a header being written may lack the "=".
    if (reader.Next(token) && token.kind == TokenKind::kOperator) reader.Next(token);
    have_word = reader.NextWord(word);
  }
  PinNames names;
  const int pin_count = PinCount(gal_type);
  int pins_read = 0;
  while (have_word) {
    if (!IsLanguageKeyword(word)) names.push_back(word);
    if (++pins_read == pin_count) break;
    have_word = reader.NextWord(word);
  }
  if (pins_read == pin_count) {
    for (int node = 1; node <= NodeCount(gal_type); ++node) {
      const std::string_view name = FixedName(gal_type, mode, pin_count + node);
      if (!name.empty()) names.emplace_back(name);
    }
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

}  // namespace kem
