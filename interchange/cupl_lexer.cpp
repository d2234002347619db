#include "interchange/cupl_lexer.h"
#include "common/format.h"

#include <cctype>
#include <map>

#include "interchange/import_messages.h"
#include "interchange/source_lines.h"

namespace kem {
namespace {

bool IsWordChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

class Lexer {
 public:
  Lexer(std::string_view text, ImportReport& report) : text_(text), report_(report) {}

  CuplTokens Run();

 private:
  void Directive();
  void Emit(CuplToken token);
  // The tokens of `text`, which is one line (a $DEFINE's value).
  std::vector<CuplToken> LexLine(std::string_view text, int line);
  bool AtLineStart(std::size_t at) const;
  std::string_view RestOfLine() const;

  std::string_view text_;
  ImportReport& report_;
  std::size_t at_ = 0;
  int line_ = 1;
  CuplTokens out_;
  std::map<std::string, std::vector<CuplToken>> defines_;
  bool expanding_ = true;
};

bool Lexer::AtLineStart(std::size_t at) const {
  while (at > 0 && (text_[at - 1] == ' ' || text_[at - 1] == '\t')) --at;
  return at == 0 || text_[at - 1] == '\n';
}

std::string_view Lexer::RestOfLine() const {
  const std::size_t end = text_.find('\n', at_);
  std::string_view rest = text_.substr(at_, end == std::string_view::npos ? end : end - at_);
  if (!rest.empty() && rest.back() == '\r') rest.remove_suffix(1);
  return rest;
}

void Lexer::Emit(CuplToken token) {
  if (expanding_ && token.kind == CuplToken::Kind::kWord) {
    auto it = defines_.find(token.text);
    if (it != defines_.end()) {
      for (CuplToken replacement : it->second) {
        replacement.line = token.line;
        replacement.offset = token.offset;
        out_.tokens.push_back(replacement);
      }
      return;
    }
  }
  out_.tokens.push_back(std::move(token));
}

// "$DEFINE name value" and "$UNDEF name"; the other directives change what is compiled in ways
// this import does not follow, so they are reported.
void Lexer::Directive() {
  std::string_view rest = RestOfLine();
  at_ += rest.size();
  const std::size_t comment = rest.find("/*");
  if (comment != std::string_view::npos) rest = rest.substr(0, comment);
  rest.remove_prefix(1);
  std::size_t word_end = 0;
  while (word_end < rest.size() && IsWordChar(rest[word_end])) ++word_end;
  const std::string directive = Upper(rest.substr(0, word_end));
  std::string_view operands = Trimmed(rest.substr(word_end));
  std::size_t name_end = 0;
  while (name_end < operands.size() && IsWordChar(operands[name_end])) ++name_end;
  const std::string name(operands.substr(0, name_end));
  if (directive == "DEFINE" && !name.empty()) {
    defines_[name] = LexLine(Trimmed(operands.substr(name_end)), line_);
  } else if (directive == "UNDEF" && !name.empty()) {
    defines_.erase(name);
  } else {
    report_.Error(line_, import_messages::kNotTranslated, {"$" + directive});
  }
}

std::vector<CuplToken> Lexer::LexLine(std::string_view text, int line) {
  ImportReport ignored;
  Lexer inner(text, ignored);
  inner.line_ = line;
  inner.defines_ = defines_;
  CuplTokens tokens = inner.Run();
  tokens.tokens.pop_back();  // its end
  return tokens.tokens;
}

CuplTokens Lexer::Run() {
  while (at_ < text_.size()) {
    const char c = text_[at_];
    if (c == '\n') {
      ++line_;
      ++at_;
      continue;
    }
    if (c == ' ' || c == '\t' || c == '\r' || c == '\f') {
      ++at_;
      continue;
    }
    if (text_.compare(at_, 2, "/*") == 0) {
      const std::size_t end = text_.find("*/", at_ + 2);
      const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
      CuplComment comment;
      comment.offset = at_;
      comment.line = line_;
      comment.text = std::string(text_.substr(at_ + 2, stop - at_ - 2));
      for (std::size_t i = at_; i < stop; ++i) line_ += text_[i] == '\n';
      out_.comments.push_back(comment);
      at_ = end == std::string_view::npos ? text_.size() : end + 2;
      continue;
    }
    CuplToken token;
    token.line = line_;
    token.offset = at_;
    if (c == '$' && at_ + 1 < text_.size() &&
        std::isalpha(static_cast<unsigned char>(text_[at_ + 1])) && AtLineStart(at_)) {
      Directive();
      continue;
    }
    if (c == '\'' && at_ + 2 < text_.size() && text_[at_ + 2] == '\'') {
      token.kind = CuplToken::Kind::kNumber;
      token.base = static_cast<char>(std::tolower(static_cast<unsigned char>(text_[at_ + 1])));
      at_ += 3;
      while (at_ < text_.size() && IsWordChar(text_[at_])) token.text += text_[at_++];
      Emit(token);
      continue;
    }
    if (IsWordChar(c)) {
      token.kind = CuplToken::Kind::kWord;
      while (at_ < text_.size() && IsWordChar(text_[at_])) token.text += text_[at_++];
      Emit(token);
      continue;
    }
    token.kind = CuplToken::Kind::kPunct;
    if (text_.compare(at_, 2, "..") == 0 || text_.compare(at_, 2, "=>") == 0) {
      token.text = std::string(text_.substr(at_, 2));
      at_ += 2;
    } else {
      token.text = std::string(1, c);
      ++at_;
    }
    Emit(token);
  }
  CuplToken end;
  end.line = line_;
  end.offset = text_.size();
  out_.tokens.push_back(end);
  return std::move(out_);
}

}  // namespace

CuplTokens LexCupl(std::string_view text, ImportReport& report) {
  return Lexer(text, report).Run();
}

}  // namespace kem
