#include "interchange/galasm_import.h"

#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "device/catalogue.h"
#include "interchange/import_messages.h"
#include "interchange/source_lines.h"

namespace kem {
namespace {

using Op = Expression::Op;

// The devices those assemblers know that we have, by the name their device line gives.
constexpr struct {
  std::string_view word;
  int gal_type;
} kDevices[] = {{"GAL16V8", kGal16V8}, {"GAL20V8", kGal20V8}, {"GAL22V10", kGal22V10}};
// Known to them, but not to us.
constexpr std::string_view kOtherDevices[] = {"GAL20RA10", "GAL20XV10"};

struct Token {
  enum class Kind { kName, kEquals, kAnd, kOr, kOther };
  Kind kind = Kind::kOther;
  int line = 0;
  bool negated = false;
  std::string name;
  std::string suffix;  // after the ".", empty when none
  std::string text;    // as written, for diagnostics
};

std::string_view CodePart(std::string_view line) {
  return line.substr(0, line.find(';'));
}

std::string_view CommentPart(std::string_view line) {
  const auto at = line.find(';');
  return at == std::string_view::npos ? std::string_view{} : Trimmed(line.substr(at + 1));
}

bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

void Tokenize(std::string_view code, int line, std::vector<Token>& tokens) {
  std::size_t i = 0;
  while (i < code.size()) {
    const char c = code[i];
    if (c == ' ' || c == '\t') {
      ++i;
      continue;
    }
    Token token;
    token.line = line;
    const std::size_t start = i;
    if (c == '=' || c == '*' || c == '&' || c == '+' || c == '#') {
      token.kind = c == '='                 ? Token::Kind::kEquals
                   : (c == '*' || c == '&') ? Token::Kind::kAnd
                                            : Token::Kind::kOr;
      ++i;
    } else if (c == '/' || IsNameChar(c)) {
      if (c == '/') {
        token.negated = true;
        ++i;
      }
      while (i < code.size() && IsNameChar(code[i])) token.name += code[i++];
      if (i < code.size() && code[i] == '.') {
        ++i;
        while (i < code.size() && IsNameChar(code[i])) token.suffix += code[i++];
        if (token.suffix.empty()) token.name.clear();
      }
      token.kind = token.name.empty() ? Token::Kind::kOther : Token::Kind::kName;
    } else {
      ++i;
    }
    token.text = std::string(code.substr(start, i - start));
    tokens.push_back(token);
  }
}

struct DeclaredPin {
  int pin = 0;
  bool negated = false;
};

class GalasmReader {
 public:
  GalasmReader(std::string_view text, std::string_view name, ImportReport& report)
      : lines_(SourceLines(text)), report_(report) {
    design_.language = import_messages::kLanguageGalasm;
    design_.name = name;
  }

  std::optional<ImportedDesign> Read();

 private:
  bool ReadDevice();
  void ReadBody();
  bool ReadPins();
  void ReadEquations();
  // One equation from tokens_[at_]; false when the rest cannot be read.
  bool ReadEquation();
  std::optional<Expression> ReadSum();
  std::optional<Expression> ReadLiteral(const Token& token);
  const Token* Peek() const { return at_ < tokens_.size() ? &tokens_[at_] : nullptr; }
  std::vector<std::string> CommentsBefore(int line);
  void Unexpected(const Token* token);

  std::vector<std::string> lines_;
  ImportReport& report_;
  ImportedDesign design_;
  std::size_t next_line_ = 0;
  std::vector<Token> tokens_;
  std::size_t at_ = 0;
  std::map<std::string, DeclaredPin> declared_;
  std::map<int, std::size_t> equation_of_pin_;
  // Comments by line, taken by the first equation at or after their line.
  std::map<int, std::string> comments_;
  struct Enable {
    int line = 0;
    std::string name;
    Expression value;
  };
  std::vector<Enable> enables_;  // .E equations, attached once all are read
};

bool GalasmReader::ReadDevice() {
  while (next_line_ < lines_.size() && Trimmed(CodePart(lines_[next_line_])).empty()) ++next_line_;
  if (next_line_ >= lines_.size()) {
    report_.Error(0, import_messages::kNoDevice);
    return false;
  }
  const int line = static_cast<int>(next_line_) + 1;
  const std::string word(Trimmed(CodePart(lines_[next_line_++])));
  for (const auto& device : kDevices) {
    if (word == device.word) design_.gal_type = device.gal_type;
  }
  if (design_.gal_type < 0) {
    report_.Error(line, import_messages::kUnknownDevice, {word});
    return false;
  }
  if (next_line_ < lines_.size()) {
    design_.user_id = Trimmed(lines_[next_line_]).substr(0, 8);
    design_.user_id_line = static_cast<int>(next_line_) + 1;
    ++next_line_;
  }
  return true;
}

// Everything up to DESCRIPTION as tokens and comments; the description goes to the heading.
void GalasmReader::ReadBody() {
  bool description = false;
  std::vector<std::string> described;
  for (; next_line_ < lines_.size(); ++next_line_) {
    const std::string& text = lines_[next_line_];
    const int line = static_cast<int>(next_line_) + 1;
    if (description) {
      described.emplace_back(Trimmed(text));
      continue;
    }
    if (Trimmed(CodePart(text)) == "DESCRIPTION") {
      description = true;
      continue;
    }
    const std::string_view comment = CommentPart(text);
    if (!comment.empty()) comments_[line] = comment;
    Tokenize(CodePart(text), line, tokens_);
  }
  while (!described.empty() && described.back().empty()) described.pop_back();
  while (!described.empty() && described.front().empty()) described.erase(described.begin());
  if (!described.empty()) {
    design_.heading.emplace_back();
    design_.heading.insert(design_.heading.end(), described.begin(), described.end());
  }
}

std::vector<std::string> GalasmReader::CommentsBefore(int line) {
  std::vector<std::string> taken;
  while (!comments_.empty() && comments_.begin()->first <= line) {
    taken.push_back(comments_.begin()->second);
    comments_.erase(comments_.begin());
  }
  return taken;
}

void GalasmReader::Unexpected(const Token* token) {
  if (token == nullptr) {
    report_.Error(static_cast<int>(lines_.size()), import_messages::kSyntax,
                  {import_messages::kEndOfFile});
  } else {
    report_.Error(token->line, import_messages::kSyntax, {Quoted(token->text)});
  }
}

bool GalasmReader::ReadPins() {
  const int count = PinCount(design_.gal_type);
  design_.pin_names.assign(count, "");
  int last_line = 0;
  for (int pin = 1; pin <= count; ++pin) {
    const Token* token = Peek();
    if (token == nullptr || token->kind != Token::Kind::kName || !token->suffix.empty()) {
      Unexpected(token);
      return false;
    }
    ++at_;
    last_line = token->line;
    if (token->name == "NC") continue;
    if (declared_.count(token->name)) {
      report_.Error(token->line, import_messages::kNameTwice, {token->name});
      continue;
    }
    declared_[token->name] = {pin, token->negated};
    design_.pin_names[pin - 1] = token->name;
  }
  // The comments of the header and the pin list describe the whole design.
  const std::vector<std::string> header = CommentsBefore(last_line);
  design_.heading.insert(design_.heading.begin(), header.begin(), header.end());
  return true;
}

std::optional<Expression> GalasmReader::ReadLiteral(const Token& token) {
  if (token.kind != Token::Kind::kName || !token.suffix.empty()) {
    Unexpected(&token);
    return std::nullopt;
  }
  if (token.name == "VCC" || token.name == "GND")
    return Expression::Constant((token.name == "VCC") != token.negated);
  auto it = declared_.find(token.name);
  if (it == declared_.end()) {
    report_.Error(token.line, import_messages::kUnknownName, {token.name});
    return std::nullopt;
  }
  Expression signal = Expression::Signal(token.name);
  return token.negated != it->second.negated ? Expression::Not(signal) : signal;
}

// literal { ("*" | "+") literal }, "*" binding tighter.
std::optional<Expression> GalasmReader::ReadSum() {
  std::optional<Expression> sum;
  std::optional<Expression> product;
  while (true) {
    const Token* token = Peek();
    if (token == nullptr) {
      Unexpected(token);
      return std::nullopt;
    }
    ++at_;
    std::optional<Expression> literal = ReadLiteral(*token);
    if (!literal) return std::nullopt;
    product = product ? Expression::Binary(Op::kAnd, std::move(*product), std::move(*literal))
                      : std::move(*literal);
    const Token* next = Peek();
    if (next != nullptr && next->kind == Token::Kind::kAnd) {
      ++at_;
      continue;
    }
    sum = sum ? Expression::Binary(Op::kOr, std::move(*sum), std::move(*product))
              : std::move(*product);
    product.reset();
    if (next != nullptr && next->kind == Token::Kind::kOr) {
      ++at_;
      continue;
    }
    return sum;
  }
}

bool GalasmReader::ReadEquation() {
  const Token target = tokens_[at_++];
  if (target.kind != Token::Kind::kName) {
    Unexpected(&target);
    return false;
  }
  const Token* equals = Peek();
  if (equals == nullptr || equals->kind != Token::Kind::kEquals) {
    Unexpected(equals);
    return false;
  }
  ++at_;
  std::optional<Expression> value = ReadSum();
  if (!value) return false;
  const int line = target.line;
  const bool nodes = NodeCount(design_.gal_type) > 0;
  if (nodes && (target.name == "AR" || target.name == "SP") && target.suffix.empty()) {
    if (target.negated) {
      report_.Error(line, import_messages::kNotPossible,
                    {target.text, DeviceName(design_.gal_type)});
      return true;
    }
    std::optional<ImportedTerm>& term = target.name == "AR" ? design_.reset : design_.preset;
    if (term) report_.Error(line, import_messages::kDefinedTwice, {target.name});
    term = ImportedTerm{line, *value};
    return true;
  }
  auto it = declared_.find(target.name);
  if (it == declared_.end()) {
    const bool node = target.name == "AR" || target.name == "SP";
    report_.Error(line, node ? import_messages::kResetPresetDevice : import_messages::kUnknownName,
                  {target.name});
    return true;
  }
  const std::string& suffix = target.suffix;
  if (suffix == "E") {
    if (target.negated) report_.Error(line, import_messages::kNegatedEnable, {target.text});
    enables_.push_back({line, target.name, *value});
    return true;
  }
  if (suffix == "CLK" || suffix == "ARST" || suffix == "APRST" || suffix == "SPRS") {
    report_.Error(line, import_messages::kNotPossible, {target.text, DeviceName(design_.gal_type)});
    return true;
  }
  if (!suffix.empty() && suffix != "T" && suffix != "R") {
    report_.Error(line, import_messages::kSyntax, {target.text});
    return true;
  }
  const int pin = it->second.pin;
  if (equation_of_pin_.count(pin)) {
    report_.Error(line, import_messages::kDefinedTwice, {target.name});
    return true;
  }
  ImportedEquation equation;
  equation.line = line;
  equation.comment = CommentsBefore(line);
  equation.pin = pin;
  equation.registered = suffix == "R";
  equation.tristate = suffix == "T";
  equation.negated = target.negated != it->second.negated;
  equation.value = *value;
  equation_of_pin_[pin] = design_.equations.size();
  design_.equations.push_back(equation);
  return true;
}

void GalasmReader::ReadEquations() {
  while (at_ < tokens_.size()) {
    if (!ReadEquation()) return;
  }
  for (const Enable& enable : enables_) {
    const int line = enable.line;
    const int pin = declared_[enable.name].pin;
    auto it = equation_of_pin_.find(pin);
    if (it == equation_of_pin_.end() || !design_.equations[it->second].tristate) {
      report_.Error(line, import_messages::kEnableWithoutOutput, {enable.name});
      continue;
    }
    ImportedEquation& equation = design_.equations[it->second];
    if (equation.enable) {
      report_.Error(line, import_messages::kDefinedTwice, {enable.name + ".E"});
      continue;
    }
    equation.enable = enable.value;
    equation.enable_line = line;
  }
}

std::optional<ImportedDesign> GalasmReader::Read() {
  if (!ReadDevice()) return std::nullopt;
  ReadBody();
  if (!ReadPins()) return std::nullopt;
  ReadEquations();
  // Comments after the last equation stand with the design's own.
  const std::vector<std::string> rest = CommentsBefore(static_cast<int>(lines_.size()));
  design_.heading.insert(design_.heading.end(), rest.begin(), rest.end());
  if (report_.failed()) return std::nullopt;
  return design_;
}

}  // namespace

bool LooksLikeGalasm(std::string_view text) {
  for (const std::string& line : SourceLines(text)) {
    const std::string_view word = Trimmed(CodePart(line));
    if (word.empty()) continue;
    for (const auto& device : kDevices) {
      if (word == device.word) return true;
    }
    for (std::string_view other : kOtherDevices) {
      if (word == other) return true;
    }
    return false;
  }
  return false;
}

std::optional<ImportedDesign> ImportGalasm(std::string_view text, std::string_view name,
                                           ImportReport& report) {
  return GalasmReader(text, name, report).Read();
}

}  // namespace kem
