#include "interchange/cupl_import.h"
#include "common/format.h"

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "device/catalogue.h"
#include "interchange/cupl_lexer.h"
#include "interchange/cupl_numbers.h"
#include "interchange/import_messages.h"
#include "interchange/source_lines.h"

namespace kem {
namespace {

using Kind = CuplToken::Kind;
using Op = Expression::Op;

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// The header statements, each a keyword and the text up to ";".
constexpr std::string_view kHeaderWords[] = {"NAME", "PARTNO",   "DATE",    "REVISION",
                                             "REV",  "DESIGNER", "COMPANY", "ASSEMBLY",
                                             "ASSY", "LOCATION", "DEVICE",  "FORMAT"};
// Statements this import does not build; each is reported with its line.
constexpr std::string_view kUnbuiltBlocks[] = {"SEQUENCEJK", "SEQUENCERS", "SEQUENCET"};
constexpr std::string_view kUnbuiltStatements[] = {"NODE", "PINNODE", "PROPERTY", "MIN", "FUSE"};

// The device names that compiler takes for our devices: a family prefix, the device, and a
// suffix that picks the mode (none or a revision letter: chosen from the equations).
struct DeviceSpelling {
  std::string_view body;
  int gal_type;
};
constexpr DeviceSpelling kDeviceBodies[] = {
    {"16v8", kGal16V8}, {"20v8", kGal20V8}, {"22v10", kGal22V10}};
struct ModeSuffix {
  std::string_view suffix;
  int mode;  // 0: chosen from the equations
};
constexpr ModeSuffix kV8Suffixes[] = {{"", 0},
                                      {"a", 0},
                                      {"b", 0},
                                      {"c", 0},
                                      {"s", kSimpleMode},
                                      {"as", kSimpleMode},
                                      {"bs", kSimpleMode},
                                      {"ms", kComplexMode},
                                      {"ma", kRegisteredMode}};
constexpr std::string_view k22V10Suffixes[] = {"", "a", "b", "c"};

// The device and mode a device name gives; gal_type -1 when it is none of ours.
ModeSuffix DeviceOf(const std::string& word, int& gal_type) {
  gal_type = -1;
  const std::string name = Lower(word);
  if (name.size() < 2 || (name[0] != 'g' && name[0] != 'f' && name[0] != 'p')) return {};
  for (const DeviceSpelling& body : kDeviceBodies) {
    if (name.compare(1, body.body.size(), body.body) != 0) continue;
    const std::string suffix = name.substr(1 + body.body.size());
    if (body.gal_type == kGal22V10) {
      for (std::string_view known : k22V10Suffixes) {
        if (suffix == known) gal_type = body.gal_type;
      }
      return {};
    }
    if (name[0] == 'p') return {};
    for (const ModeSuffix& known : kV8Suffixes) {
      if (suffix == known.suffix) {
        gal_type = body.gal_type;
        return known;
      }
    }
  }
  return {};
}

constexpr int kMaxNesting = 200;

struct PinEquation {
  int line = 0;
  std::vector<std::string> comment;
  bool defined = false;
  bool registered = false;
  bool negated = false;  // "!" on the target
  Expression value;
  std::optional<Expression> enable;
  int enable_line = 0;
};

// The outputs a block asserts, each the OR of when it does, in the order they first appear.
struct OutputSums {
  std::map<std::string, Expression> sums;
  std::vector<std::string> order;

  void Add(const std::vector<std::string>& names, const Expression& when) {
    for (const std::string& name : names) {
      auto [it, added] = sums.emplace(name, Expression::Constant(false));
      if (added) order.push_back(name);
      it->second = Expression::Binary(Expression::Op::kOr, std::move(it->second), when);
    }
  }
};

struct Variable {
  int line = 0;
  Expression value;
  int state = 0;  // 0 not resolved, 1 being resolved, 2 resolved
};

class CuplReader {
 public:
  CuplReader(std::string_view text, std::string_view name, ImportReport& report)
      : text_(text), tokens_(LexCupl(text, report)), report_(report) {
    design_.language = import_messages::kLanguageCupl;
    design_.name = name;
  }

  std::optional<ImportedDesign> Read();

 private:
  const CuplToken& Peek(std::size_t ahead = 0) const {
    return tokens_.tokens[std::min(at_ + ahead, tokens_.tokens.size() - 1)];
  }
  const CuplToken& Take() {
    const CuplToken& token = Peek();
    if (token.kind != Kind::kEnd) ++at_;
    return token;
  }
  bool IsPunct(std::string_view text, std::size_t ahead = 0) const {
    return Peek(ahead).kind == Kind::kPunct && Peek(ahead).text == text;
  }
  bool Expect(std::string_view text);
  void Unexpected(const CuplToken& token);
  void SkipStatement();
  void SkipBlock();
  std::vector<std::string> TakeComments(std::size_t before);

  void Statement();
  void Header(const std::string& keyword);
  void Pins();
  void Field();
  void Equation(bool append);
  void Table();
  void Sequence();
  void Condition();
  // An equation a block statement gives a pin, or a variable.
  void Define(const std::string& name, int line, bool registered, const Expression& value);
  // OUT name { "," name } or [names], read into `names`.
  bool OutNames(std::vector<std::string>& names);
  bool NumberList(std::vector<int>& numbers);
  bool NameList(std::vector<std::pair<std::string, bool>>& names);
  std::optional<std::vector<Expression>> Bits(const std::string& name, int line);

  std::optional<Expression> ParseExpression();
  std::optional<Expression> ParseXor();
  std::optional<Expression> ParseOr();
  std::optional<Expression> ParseAnd();
  std::optional<Expression> ParseFactor();
  std::optional<Expression> ParsePrimary();
  std::optional<Expression> ParseMatch(const std::vector<Expression>& bits);
  std::optional<CuplNumber> ParseNumber();

  void SetDevice(const std::string& value, int line);
  std::optional<Expression> Resolve(const Expression& expression, int line);
  std::optional<Expression> ResolveVariable(const std::string& name, int line);
  void Finish();
  // A register of a GAL16V8 or GAL20V8 is enabled by its output-enable pin, low active; an
  // enable that says just that restates the wiring.
  bool RestatesOutputEnablePin(const PinEquation& equation);

  std::string_view text_;
  CuplTokens tokens_;
  ImportReport& report_;
  std::size_t at_ = 0;
  int depth_ = 0;      // of "!" and "(" around the factor being read
  int resolving_ = 0;  // variables whose definitions are being resolved, one inside the other
  std::size_t next_comment_ = 0;
  bool in_header_ = true;
  std::vector<std::string> pending_comments_;
  ImportedDesign design_;
  std::map<std::string, int> pin_of_;
  std::map<std::string, bool> declared_negated_;
  std::map<std::string, std::vector<std::string>> fields_;
  std::map<int, PinEquation> equations_;
  std::vector<int> equation_order_;
  std::map<std::string, Variable> variables_;
  std::vector<ImportedTerm> resets_;
  std::vector<ImportedTerm> presets_;
  std::vector<ImportedTerm> clocks_;
};

bool CuplReader::Expect(std::string_view text) {
  if (IsPunct(text)) {
    Take();
    return true;
  }
  if (Peek().kind == Kind::kEnd) {
    report_.Error(Peek().line, import_messages::kMissing, {text});
  } else {
    Unexpected(Peek());
  }
  return false;
}

void CuplReader::Unexpected(const CuplToken& token) {
  if (token.kind == Kind::kEnd) {
    report_.Error(token.line, import_messages::kSyntax, {import_messages::kEndOfFile});
  } else {
    report_.Error(token.line, import_messages::kSyntax, {Quoted(token.text)});
  }
}

void CuplReader::SkipStatement() {
  while (Peek().kind != Kind::kEnd && !IsPunct(";")) Take();
  Take();
}

void CuplReader::SkipBlock() {
  while (Peek().kind != Kind::kEnd && !IsPunct("{")) Take();
  int depth = 0;
  while (Peek().kind != Kind::kEnd) {
    if (IsPunct("{")) ++depth;
    if (IsPunct("}") && --depth == 0) {
      Take();
      return;
    }
    Take();
  }
}

// The comments before `before`, one entry per line of their text.
std::vector<std::string> CuplReader::TakeComments(std::size_t before) {
  std::vector<std::string> lines;
  while (next_comment_ < tokens_.comments.size() &&
         tokens_.comments[next_comment_].offset < before) {
    std::vector<std::string> text = SourceLines(tokens_.comments[next_comment_++].text);
    for (std::string& line : text) {
      std::string_view trimmed = Trimmed(line);
      while (!trimmed.empty() && trimmed.front() == '*') trimmed = Trimmed(trimmed.substr(1));
      lines.emplace_back(trimmed);
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
  }
  while (!lines.empty() && lines.front().empty()) lines.erase(lines.begin());
  return lines;
}

void CuplReader::SetDevice(const std::string& value, int line) {
  int gal_type = -1;
  const ModeSuffix suffix = DeviceOf(value, gal_type);
  if (gal_type < 0) {
    report_.Error(line, import_messages::kUnknownDevice, {value});
    return;
  }
  design_.gal_type = gal_type;
  design_.mode = suffix.mode;
  design_.pin_names.assign(PinCount(gal_type), "");
}

void CuplReader::Header(const std::string& keyword) {
  const CuplToken& word = Take();
  const std::size_t start = Peek().offset;
  while (Peek().kind != Kind::kEnd && !IsPunct(";")) Take();
  const std::string value(Trimmed(text_.substr(start, Peek().offset - start)));
  Take();
  if (keyword == "DEVICE") {
    SetDevice(value, word.line);
  } else if (keyword == "NAME") {
    design_.name = value;
  }
  if (keyword != "FORMAT") design_.heading.push_back(word.text + ": " + value);
}

// n | "[" n [".." m] { "," n [".." m] } "]"
bool CuplReader::NumberList(std::vector<int>& numbers) {
  auto number = [&](int& value) {
    const CuplToken& token = Take();
    if (token.kind != Kind::kWord ||
        token.text.find_first_not_of("0123456789") != std::string::npos || token.text.size() > 3) {
      Unexpected(token);
      return false;
    }
    value = std::stoi(token.text);
    return true;
  };
  if (!IsPunct("[")) {
    int value = 0;
    if (!number(value)) return false;
    numbers.push_back(value);
    return true;
  }
  Take();
  do {
    int first = 0;
    if (!number(first)) return false;
    int last = first;
    if (IsPunct("..")) {
      Take();
      if (!number(last)) return false;
    }
    for (int n = first;; n += first <= last ? 1 : -1) {
      numbers.push_back(n);
      if (n == last) break;
    }
  } while (IsPunct(",") && Take().kind == Kind::kPunct);
  return Expect("]");
}

// A name with its negation, a list of them, or ranges as A0..7 and A0..A7.
bool CuplReader::NameList(std::vector<std::pair<std::string, bool>>& names) {
  auto one = [&]() -> bool {
    bool negated = false;
    if (IsPunct("!")) {
      Take();
      negated = true;
    }
    const CuplToken& first = Take();
    if (first.kind != Kind::kWord) {
      Unexpected(first);
      return false;
    }
    if (!IsPunct("..")) {
      names.push_back({first.text, negated});
      return true;
    }
    Take();
    const CuplToken& last = Take();
    const std::size_t digits = first.text.find_last_not_of("0123456789") + 1;
    const std::string prefix = first.text.substr(0, digits);
    std::string end = last.text;
    if (end.compare(0, prefix.size(), prefix) == 0 && end.size() > prefix.size())
      end.erase(0, prefix.size());
    if (last.kind != Kind::kWord || digits == first.text.size() ||
        end.find_first_not_of("0123456789") != std::string::npos || end.size() > 3 ||
        first.text.size() - digits > 3) {
      report_.Error(first.line, import_messages::kBadRange, {first.text + ".." + last.text});
      return false;
    }
    const int from = std::stoi(first.text.substr(digits));
    const int to = std::stoi(end);
    for (int n = from;; n += from <= to ? 1 : -1) {
      names.push_back({prefix + std::to_string(n), negated});
      if (n == to) break;
    }
    return true;
  };
  if (!IsPunct("[")) return one();
  Take();
  do {
    if (!one()) return false;
  } while (IsPunct(",") && Take().kind == Kind::kPunct);
  return Expect("]");
}

// PIN numbers = names ;
void CuplReader::Pins() {
  const int line = Take().line;
  std::vector<int> numbers;
  std::vector<std::pair<std::string, bool>> names;
  if (!NumberList(numbers) || !Expect("=") || !NameList(names)) {
    SkipStatement();
    return;
  }
  Expect(";");
  if (design_.gal_type < 0) {
    report_.Error(line, import_messages::kNoDevice);
    return;
  }
  if (numbers.size() != names.size()) {
    report_.Error(line, import_messages::kCountMismatch,
                  {std::to_string(numbers.size()), std::to_string(names.size())});
    return;
  }
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    const int pin = numbers[i];
    const std::string& name = names[i].first;
    if (pin < 1 || pin > PinCount(design_.gal_type)) {
      report_.Error(line, import_messages::kPinOutOfRange,
                    {std::to_string(pin), DeviceName(design_.gal_type)});
    } else if (!design_.pin_names[pin - 1].empty()) {
      report_.Error(line, import_messages::kPinTwice, {std::to_string(pin)});
    } else if (pin_of_.count(name)) {
      report_.Error(line, import_messages::kNameTwice, {name});
    } else {
      design_.pin_names[pin - 1] = name;
      pin_of_[name] = pin;
      declared_negated_[name] = names[i].second;
    }
  }
}

// FIELD name = [bits] ;
void CuplReader::Field() {
  const int line = Take().line;
  const CuplToken& name = Take();
  std::vector<std::pair<std::string, bool>> bits;
  if (name.kind != Kind::kWord || !Expect("=") || !NameList(bits)) {
    SkipStatement();
    return;
  }
  Expect(";");
  if (bits.size() > 32) {
    report_.Error(line, import_messages::kTooWide, {name.text, "32"});
    return;
  }
  std::vector<std::string>& field = fields_[name.text];
  field.clear();
  for (const auto& bit : bits) field.push_back(bit.first);
}

std::optional<std::vector<Expression>> CuplReader::Bits(const std::string& name, int line) {
  auto it = fields_.find(name);
  if (it == fields_.end()) {
    if (pin_of_.count(name) || variables_.count(name))
      return std::vector<Expression>{Expression::Signal(name)};
    report_.Error(line, import_messages::kUnknownName, {name});
    return std::nullopt;
  }
  std::vector<Expression> bits;
  for (const std::string& bit : it->second) bits.push_back(Expression::Signal(bit));
  return bits;
}

std::optional<CuplNumber> CuplReader::ParseNumber() {
  const CuplToken& token = Take();
  if (token.kind != Kind::kNumber && token.kind != Kind::kWord) {
    Unexpected(token);
    return std::nullopt;
  }
  std::optional<CuplNumber> number =
      ReadCuplNumber(token.text, token.kind == Kind::kNumber ? token.base : 'h');
  if (!number) report_.Error(token.line, import_messages::kBadNumber, {token.text});
  return number;
}

// ":" then "&", "#", a value, a range [low..high] or a list [v, v ...] of the bits.
std::optional<Expression> CuplReader::ParseMatch(const std::vector<Expression>& bits) {
  const int line = Peek().line;
  if (IsPunct("&") || IsPunct("#")) {
    const Op op = Take().text == "&" ? Op::kAnd : Op::kOr;
    Expression chain = bits.front();
    for (std::size_t i = 1; i < bits.size(); ++i)
      chain = Expression::Binary(op, std::move(chain), bits[i]);
    return chain;
  }
  const std::uint64_t width_mask =
      bits.size() >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits.size()) - 1;
  auto fits = [&](const CuplNumber& number) {
    if ((number.care & ~width_mask) == 0 || (number.value & ~width_mask) == 0) return true;
    report_.Error(line, import_messages::kTooWide,
                  {std::to_string(number.value), std::to_string(bits.size())});
    return false;
  };
  if (!IsPunct("[")) {
    std::optional<CuplNumber> number = ParseNumber();
    if (!number || !fits(*number)) return std::nullopt;
    return ValueMatch(bits, number->value, number->care & width_mask);
  }
  Take();
  std::optional<CuplNumber> low = ParseNumber();
  if (!low || !fits(*low)) return std::nullopt;
  if (IsPunct("..")) {
    Take();
    std::optional<CuplNumber> high = ParseNumber();
    if (!high || !fits(*high) || !Expect("]")) return std::nullopt;
    if (low->care != ~std::uint64_t{0} || high->care != ~std::uint64_t{0} ||
        high->value < low->value) {
      report_.Error(line, import_messages::kBadRange,
                    {std::to_string(low->value) + ".." + std::to_string(high->value)});
      return std::nullopt;
    }
    return RangeMatch(bits, low->value, high->value);
  }
  Expression any = ValueMatch(bits, low->value, low->care & width_mask);
  while (IsPunct(",")) {
    Take();
    std::optional<CuplNumber> next = ParseNumber();
    if (!next || !fits(*next)) return std::nullopt;
    any = Expression::Binary(Op::kOr, std::move(any),
                             ValueMatch(bits, next->value, next->care & width_mask));
  }
  if (!Expect("]")) return std::nullopt;
  return any;
}

// primary = "(" expression ")" | number | name [":" match] | "[" names "]" ":" match
std::optional<Expression> CuplReader::ParsePrimary() {
  const CuplToken& token = Peek();
  if (IsPunct("(")) {
    Take();
    std::optional<Expression> inner = ParseExpression();
    if (!inner || !Expect(")")) return std::nullopt;
    return inner;
  }
  if (token.kind == Kind::kNumber) {
    std::optional<CuplNumber> number = ParseNumber();
    if (!number) return std::nullopt;
    return Expression::Constant(number->value != 0);
  }
  if (IsPunct("[")) {
    std::vector<std::pair<std::string, bool>> names;
    if (!NameList(names)) return std::nullopt;
    std::vector<Expression> bits;
    for (const auto& [name, negated] : names) {
      Expression bit = Expression::Signal(name);
      bits.push_back(negated ? Expression::Not(bit) : bit);
    }
    if (!Expect(":")) return std::nullopt;
    return ParseMatch(bits);
  }
  if (token.kind != Kind::kWord) {
    Unexpected(Take());
    return std::nullopt;
  }
  const CuplToken name = Take();
  if (name.text.find_first_not_of("0123456789") == std::string::npos)
    return Expression::Constant(std::stoull(name.text.substr(0, 18)) != 0);
  if (IsPunct(".")) {
    report_.Error(name.line, import_messages::kNotTranslated, {name.text + "." + Peek(1).text});
    return std::nullopt;
  }
  if (IsPunct(":")) {
    Take();
    std::optional<std::vector<Expression>> bits = Bits(name.text, name.line);
    if (!bits) return std::nullopt;
    return ParseMatch(*bits);
  }
  if (fields_.count(name.text)) {
    report_.Error(name.line, import_messages::kNotTranslated, {name.text});
    return std::nullopt;
  }
  return Expression::Signal(name.text);
}

// Nesting is bounded, so no source can exhaust the stack of the parser or of what follows it.
std::optional<Expression> CuplReader::ParseFactor() {
  if (depth_ >= kMaxNesting) {
    report_.Error(Peek().line, import_messages::kTooDeep);
    return std::nullopt;
  }
  ++depth_;
  std::optional<Expression> factor;
  if (IsPunct("!")) {
    Take();
    factor = ParseFactor();
    if (factor) factor = Expression::Not(*factor);
  } else {
    factor = ParsePrimary();
  }
  --depth_;
  return factor;
}

// The binary levels, "!" binding tightest, then "&", "#" and "$".
std::optional<Expression> CuplReader::ParseAnd() {
  std::optional<Expression> left = ParseFactor();
  while (left && IsPunct("&")) {
    Take();
    std::optional<Expression> right = ParseFactor();
    if (!right) return std::nullopt;
    left = Expression::Binary(Op::kAnd, std::move(*left), std::move(*right));
  }
  return left;
}

std::optional<Expression> CuplReader::ParseOr() {
  std::optional<Expression> left = ParseAnd();
  while (left && IsPunct("#")) {
    Take();
    std::optional<Expression> right = ParseAnd();
    if (!right) return std::nullopt;
    left = Expression::Binary(Op::kOr, std::move(*left), std::move(*right));
  }
  return left;
}

std::optional<Expression> CuplReader::ParseXor() {
  std::optional<Expression> left = ParseOr();
  while (left && IsPunct("$")) {
    Take();
    std::optional<Expression> right = ParseOr();
    if (!right) return std::nullopt;
    left = Expression::Binary(Op::kXor, std::move(*left), std::move(*right));
  }
  return left;
}

std::optional<Expression> CuplReader::ParseExpression() {
  return ParseXor();
}

// [APPEND] [!]target[.ext] = expression ;
void CuplReader::Equation(bool append) {
  const std::size_t start = Peek().offset;
  if (append) Take();
  std::vector<std::string> comment = pending_comments_;
  const std::vector<std::string> leading = TakeComments(start);
  comment.insert(comment.end(), leading.begin(), leading.end());
  pending_comments_.clear();
  bool negated = false;
  if (IsPunct("!")) {
    Take();
    negated = true;
  }
  const CuplToken target = Take();
  if (target.kind != Kind::kWord) {
    Unexpected(target);
    SkipStatement();
    return;
  }
  std::string extension;
  if (IsPunct(".")) {
    Take();
    extension = Upper(Take().text);
  }
  if (!Expect("=")) {
    SkipStatement();
    return;
  }
  std::optional<Expression> value = ParseExpression();
  if (!value) {
    SkipStatement();
    return;
  }
  Expect(";");
  const int line = target.line;
  const std::string& name = target.text;
  auto pin = pin_of_.find(name);
  if (pin == pin_of_.end()) {
    if (fields_.count(name) || !extension.empty()) {
      report_.Error(line, import_messages::kNotTranslated,
                    {extension.empty() ? name : name + "." + extension});
      return;
    }
    Expression defined = negated ? Expression::Not(*value) : *value;
    Variable& variable = variables_[name];
    if (variable.line != 0 && !append) {
      report_.Error(line, import_messages::kDefinedTwice, {name});
      return;
    }
    variable.value = variable.line != 0
                         ? Expression::Binary(Op::kOr, std::move(variable.value), defined)
                         : defined;
    if (variable.line == 0) variable.line = line;
    pending_comments_ = comment;
    return;
  }
  if (extension == "AR" || extension == "SP" || extension == "CK") {
    std::vector<ImportedTerm>& terms = extension == "AR"   ? resets_
                                       : extension == "SP" ? presets_
                                                           : clocks_;
    terms.push_back({line, negated ? Expression::Not(*value) : *value});
    return;
  }
  PinEquation& equation = equations_[pin->second];
  if (extension == "OE") {
    if (negated) report_.Error(line, import_messages::kNegatedEnable, {"!" + name + ".OE"});
    if (equation.enable) {
      report_.Error(line, import_messages::kDefinedTwice, {name + ".OE"});
      return;
    }
    equation.enable = *value;
    equation.enable_line = line;
    return;
  }
  if (!extension.empty() && extension != "D") {
    report_.Error(line, import_messages::kNotTranslated, {name + "." + extension});
    return;
  }
  const bool registered = extension == "D";
  if (equation.defined) {
    if (!append || equation.registered != registered) {
      report_.Error(line, import_messages::kDefinedTwice, {name});
      return;
    }
    // Both sides in the pin's active level, as the source writes them.
    Expression more = negated != equation.negated ? Expression::Not(*value) : *value;
    equation.value = Expression::Binary(Op::kOr, std::move(equation.value), more);
    return;
  }
  equation.defined = true;
  equation.line = line;
  equation.comment = comment;
  equation.registered = registered;
  equation.negated = negated;
  equation.value = *value;
  equation_order_.push_back(pin->second);
}

// TABLE inputs => outputs { key => value; ... }
void CuplReader::Table() {
  const int line = Take().line;
  auto bits_of = [&](std::vector<std::string>& names) {
    if (IsPunct("[")) {
      std::vector<std::pair<std::string, bool>> list;
      if (!NameList(list)) return false;
      for (const auto& item : list) names.push_back(item.first);
      return true;
    }
    const CuplToken& word = Take();
    auto field = fields_.find(word.text);
    if (field != fields_.end()) {
      names = field->second;
    } else if (word.kind == Kind::kWord) {
      names.push_back(word.text);
    } else {
      Unexpected(word);
      return false;
    }
    return true;
  };
  std::vector<std::string> inputs;
  std::vector<std::string> outputs;
  if (!bits_of(inputs) || !Expect("=>") || !bits_of(outputs) || !Expect("{")) {
    SkipBlock();
    return;
  }
  std::vector<Expression> input_bits;
  for (const std::string& input : inputs) input_bits.push_back(Expression::Signal(input));
  std::vector<Expression> sums(outputs.size(), Expression::Constant(false));
  while (Peek().kind != Kind::kEnd && !IsPunct("}")) {
    std::optional<Expression> key = ParseMatch(input_bits);
    std::optional<CuplNumber> value;
    if (!key || !Expect("=>") || !(value = ParseNumber()) || !Expect(";")) {
      SkipBlock();
      return;
    }
    for (std::size_t i = 0; i < outputs.size(); ++i) {
      const std::uint64_t mask = std::uint64_t{1} << (outputs.size() - 1 - i);
      if (value->value & mask) sums[i] = Expression::Binary(Op::kOr, std::move(sums[i]), *key);
    }
  }
  Expect("}");
  for (std::size_t i = 0; i < outputs.size(); ++i) Define(outputs[i], line, false, sums[i]);
}

void CuplReader::Define(const std::string& name, int line, bool registered,
                        const Expression& value) {
  auto pin = pin_of_.find(name);
  if (pin == pin_of_.end()) {
    Variable& variable = variables_[name];
    if (variable.line != 0 || registered) {
      report_.Error(line,
                    registered ? import_messages::kNotAnOutput : import_messages::kDefinedTwice,
                    registered ? std::initializer_list<std::string_view>{"0", name}
                               : std::initializer_list<std::string_view>{name});
      return;
    }
    variable = {line, value, 0};
    return;
  }
  PinEquation& equation = equations_[pin->second];
  if (equation.defined) {
    report_.Error(line, import_messages::kDefinedTwice, {name});
    return;
  }
  equation.defined = true;
  equation.line = line;
  equation.registered = registered;
  equation.value = value;
  equation_order_.push_back(pin->second);
}

bool CuplReader::OutNames(std::vector<std::string>& names) {
  std::vector<std::pair<std::string, bool>> list;
  do {
    if (!NameList(list)) return false;
  } while (IsPunct(",") && Take().kind == Kind::kPunct);
  for (const auto& [name, negated] : list) {
    if (negated) {
      report_.Error(Peek().line, import_messages::kNotTranslated, {"OUT !" + name});
      return false;
    }
    names.push_back(name);
  }
  return true;
}

// SEQUENCE[D] state { PRESENT s  [IF e] NEXT t [OUT y]; ... DEFAULT NEXT t; OUT y; ... }: each
// state bit a register, each output the states (and conditions) that assert it.
void CuplReader::Sequence() {
  const int line = Take().line;
  const CuplToken& name = Peek();
  std::vector<Expression> bits;
  if (IsPunct("[")) {
    std::vector<std::pair<std::string, bool>> list;
    if (!NameList(list)) return SkipBlock();
    for (const auto& item : list) bits.push_back(Expression::Signal(item.first));
  } else {
    Take();
    std::optional<std::vector<Expression>> field = Bits(name.text, name.line);
    if (!field) return SkipBlock();
    bits = *field;
  }
  if (!Expect("{")) return SkipBlock();
  std::vector<Expression> next(bits.size(), Expression::Constant(false));
  OutputSums outputs;
  std::optional<Expression> state;
  Expression taken = Expression::Constant(false);  // the conditions of the state so far
  auto word = [&](std::string_view text) {
    return Peek().kind == Kind::kWord && Upper(Peek().text) == text;
  };
  while (Peek().kind != Kind::kEnd && !IsPunct("}")) {
    if (word("PRESENT")) {
      Take();
      std::optional<Expression> match = ParseMatch(bits);
      if (!match) return SkipBlock();
      state = *match;
      taken = Expression::Constant(false);
      continue;
    }
    if (!state) {
      Unexpected(Peek());
      return SkipBlock();
    }
    Expression condition = Expression::Constant(true);
    if (word("IF")) {
      Take();
      std::optional<Expression> parsed = ParseExpression();
      if (!parsed) return SkipBlock();
      condition = *parsed;
      taken = Expression::Binary(Op::kOr, std::move(taken), condition);
    } else if (word("DEFAULT")) {
      Take();
      condition = Expression::Not(taken);
    }
    const Expression when = Expression::Binary(Op::kAnd, *state, condition);
    if (word("NEXT")) {
      Take();
      std::optional<CuplNumber> target = ParseNumber();
      if (!target) return SkipBlock();
      for (std::size_t i = 0; i < bits.size(); ++i) {
        if ((target->value >> (bits.size() - 1 - i)) & 1)
          next[i] = Expression::Binary(Op::kOr, std::move(next[i]), when);
      }
    }
    if (word("OUT")) {
      Take();
      std::vector<std::string> names;
      if (!OutNames(names)) return SkipBlock();
      outputs.Add(names, when);
    }
    if (!Expect(";")) return SkipBlock();
  }
  Expect("}");
  for (std::size_t i = 0; i < bits.size(); ++i) Define(bits[i].name, line, true, next[i]);
  for (const std::string& output : outputs.order) Define(output, line, false, outputs.sums[output]);
}

// CONDITION { IF e OUT y; ... DEFAULT OUT y; }
void CuplReader::Condition() {
  const int line = Take().line;
  if (!Expect("{")) return SkipBlock();
  OutputSums outputs;
  Expression taken = Expression::Constant(false);
  while (Peek().kind != Kind::kEnd && !IsPunct("}")) {
    const std::string word = Upper(Take().text);
    Expression condition = Expression::Not(taken);
    if (word == "IF") {
      std::optional<Expression> parsed = ParseExpression();
      if (!parsed) return SkipBlock();
      condition = *parsed;
      taken = Expression::Binary(Op::kOr, std::move(taken), condition);
    } else if (word != "DEFAULT") {
      Unexpected(tokens_.tokens[at_ - 1]);
      return SkipBlock();
    }
    std::vector<std::string> names;
    if (Peek().kind != Kind::kWord || Upper(Take().text) != "OUT" || !OutNames(names) ||
        !Expect(";"))
      return SkipBlock();
    outputs.Add(names, condition);
  }
  Expect("}");
  for (const std::string& output : outputs.order) Define(output, line, false, outputs.sums[output]);
}

void CuplReader::Statement() {
  const CuplToken& first = Peek();
  const std::string word = first.kind == Kind::kWord ? Upper(first.text) : std::string();
  for (std::string_view header : kHeaderWords) {
    if (word == header && !IsPunct("=", 1) && !IsPunct(".", 1)) {
      Header(word);
      return;
    }
  }
  if (in_header_ && word != "PIN" && word != "FIELD") {
    in_header_ = false;
    // A comment on the line of the last declaration is the design's; one on a line of its own
    // after it belongs to the statement that follows.
    std::size_t bound = 0;
    if (at_ > 0) {
      const CuplToken& last = tokens_.tokens[at_ - 1];
      bound = last.offset + 1;
      for (std::size_t i = next_comment_; i < tokens_.comments.size(); ++i) {
        if (tokens_.comments[i].line == last.line) bound = tokens_.comments[i].offset + 1;
      }
    }
    const std::vector<std::string> heading = TakeComments(bound);
    design_.heading.insert(design_.heading.end(), heading.begin(), heading.end());
  }
  if (word == "PIN" && !IsPunct("=", 1)) return Pins();
  if (word == "FIELD" && !IsPunct("=", 1)) return Field();
  if (word == "APPEND" && !IsPunct("=", 1)) return Equation(true);
  if (word == "TABLE" && !IsPunct("=", 1)) return Table();
  if ((word == "SEQUENCE" || word == "SEQUENCED") && !IsPunct("=", 1)) return Sequence();
  if (word == "CONDITION" && !IsPunct("=", 1)) return Condition();
  for (std::string_view block : kUnbuiltBlocks) {
    if (word == block && !IsPunct("=", 1)) {
      report_.Error(first.line, import_messages::kNotTranslated, {block});
      SkipBlock();
      return;
    }
  }
  for (std::string_view statement : kUnbuiltStatements) {
    if (word == statement && !IsPunct("=", 1)) {
      report_.Error(first.line, import_messages::kNotTranslated, {statement});
      SkipStatement();
      return;
    }
  }
  Equation(false);
}

std::optional<Expression> CuplReader::ResolveVariable(const std::string& name, int line) {
  Variable& variable = variables_[name];
  if (variable.state == 1) {
    report_.Error(variable.line, import_messages::kRecursion, {name});
    return std::nullopt;
  }
  if (variable.state == 0) {
    if (resolving_ >= kMaxNesting) {
      report_.Error(variable.line, import_messages::kTooDeep);
      return std::nullopt;
    }
    variable.state = 1;
    ++resolving_;
    std::optional<Expression> resolved = Resolve(variable.value, variable.line);
    --resolving_;
    variable.state = 2;
    if (!resolved) return std::nullopt;
    variable.value = *resolved;
    if (!WithinLimits(variable.value, kMaxExpressionDepth, kMaxExpressionNodes)) {
      report_.Error(variable.line, import_messages::kTooLarge, {name});
      variable.value = Expression::Constant(false);
      return std::nullopt;
    }
  }
  (void)line;
  return variable.value;
}

// Over pin levels only: a declared negation becomes a "!" of the pin, a variable its definition.
std::optional<Expression> CuplReader::Resolve(const Expression& expression, int line) {
  bool ok = true;
  Expression resolved =
      Substituted(expression, [&](const std::string& name) -> std::optional<Expression> {
        if (pin_of_.count(name)) {
          Expression level = Expression::Signal(name);
          return declared_negated_[name] ? Expression::Not(level) : level;
        }
        if (variables_.count(name) && variables_[name].line != 0) {
          std::optional<Expression> value = ResolveVariable(name, line);
          if (!value) ok = false;
          return value ? value : Expression::Constant(false);
        }
        report_.Error(line, import_messages::kUnknownName, {name});
        ok = false;
        return Expression::Constant(false);
      });
  if (!ok) return std::nullopt;
  return resolved;
}

bool CuplReader::RestatesOutputEnablePin(const PinEquation& equation) {
  if (!equation.registered || NodeCount(design_.gal_type) > 0) return false;
  const std::string& pin_name = design_.pin_names[PinCount(design_.gal_type) / 2];
  ImportReport ignored;
  std::swap(ignored, report_);
  const std::optional<Expression> enable = Resolve(*equation.enable, equation.enable_line);
  std::swap(ignored, report_);
  return enable && !pin_name.empty() &&
         Simplified(*enable) == Expression::Not(Expression::Signal(pin_name));
}

void CuplReader::Finish() {
  for (int pin : equation_order_) {
    const PinEquation& source = equations_[pin];
    const std::string& name = design_.pin_names[pin - 1];
    std::optional<Expression> value = Resolve(source.value, source.line);
    if (!value) continue;
    ImportedEquation equation;
    equation.line = source.line;
    equation.comment = source.comment;
    equation.pin = pin;
    equation.registered = source.registered;
    equation.negated = source.negated != declared_negated_[name];
    equation.value = *value;
    if (source.enable && !RestatesOutputEnablePin(source)) {
      equation.tristate = true;
      equation.enable = Resolve(*source.enable, source.enable_line);
      equation.enable_line = source.enable_line;
    }
    design_.equations.push_back(equation);
  }
  for (const auto& [pin, source] : equations_) {
    if (!source.defined)
      report_.Error(source.enable_line, import_messages::kEnableWithoutOutput,
                    {design_.pin_names[pin - 1]});
  }
  // The GAL22V10 has one reset and one preset term for all registers: every output must name
  // the same one.
  auto common = [&](const std::vector<ImportedTerm>& terms, const char* node,
                    std::optional<ImportedTerm>& into) {
    for (const ImportedTerm& term : terms) {
      std::optional<Expression> value = Resolve(term.value, term.line);
      if (!value) continue;
      const Expression simplified = Simplified(*value);
      if (into && !(into->value == simplified)) {
        report_.Error(term.line, import_messages::kResetPresetDiffer,
                      {node, std::to_string(term.line)});
      } else if (!into) {
        into = ImportedTerm{term.line, simplified};
      }
    }
  };
  common(resets_, "AR", design_.reset);
  common(presets_, "SP", design_.preset);
  // A clock term only restates the wiring: the clock pin, as it is.
  for (const ImportedTerm& clock : clocks_) {
    std::optional<Expression> value = Resolve(clock.value, clock.line);
    const int clock_pin = ClockPin(design_.gal_type);
    const std::string& clock_name = design_.pin_names[clock_pin - 1];
    if (value && !(Simplified(*value) == Expression::Signal(clock_name)))
      report_.Error(clock.line, import_messages::kNotPossible,
                    {".CK", DeviceName(design_.gal_type)});
  }
}

std::optional<ImportedDesign> CuplReader::Read() {
  while (Peek().kind != Kind::kEnd) {
    const std::size_t before = at_;
    Statement();
    if (at_ == before) Take();  // a token no statement takes is reported there and passed
  }
  if (design_.gal_type < 0) {
    if (!report_.failed()) report_.Error(0, import_messages::kNoDevice);
    return std::nullopt;
  }
  // Comments after the last statement stand with the design's own.
  std::vector<std::string> rest = pending_comments_;
  const std::vector<std::string> after = TakeComments(text_.size());
  rest.insert(rest.end(), after.begin(), after.end());
  design_.heading.insert(design_.heading.end(), rest.begin(), rest.end());
  Finish();
  if (report_.failed()) return std::nullopt;
  return design_;
}

}  // namespace

bool LooksLikeCupl(std::string_view text) {
  ImportReport ignored;
  const CuplTokens tokens = LexCupl(text, ignored);
  for (std::size_t i = 0; i + 2 < tokens.tokens.size(); ++i) {
    const CuplToken& token = tokens.tokens[i];
    if (token.kind != Kind::kWord) continue;
    const std::string word = Upper(token.text);
    const CuplToken& next = tokens.tokens[i + 1];
    if (word == "PIN" && (next.kind == Kind::kWord || next.text == "[")) return true;
    if (word == "DEVICE" && next.kind == Kind::kWord && tokens.tokens[i + 2].text == ";")
      return true;
  }
  return false;
}

std::optional<ImportedDesign> ImportCupl(std::string_view text, std::string_view name,
                                         ImportReport& report) {
  return CuplReader(text, name, report).Read();
}

}  // namespace kem
