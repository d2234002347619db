#include "interchange/imported_design.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <set>
#include <string_view>

#include "common/format.h"
#include "device/catalogue.h"
#include "interchange/import_messages.h"

namespace kem {
namespace {

// Words our header, pin list or constants would take for something else than a signal.
constexpr std::array<std::string_view, 23> kReservedWords = {
    "CHIP",        "GAL16V8",      "GAL20V8",
    "GAL22V10",    "ispGAL22V10",  "NC",
    "SIMPLE_MODE", "COMPLEX_MODE", "REGISTERED_MODE",
    "Simple_Mode", "Complex_Mode", "Registered_Mode",
    "USER_ID",     "TRST",         "TRUE",
    "true",        "True",         "FALSE",
    "false",       "False",        "VCC",
    "GND",         "NOMIN"};

std::string ModeWord(int mode) {
  switch (mode) {
    case kSimpleMode:
      return "SIMPLE_MODE";
    case kComplexMode:
      return "COMPLEX_MODE";
    default:
      return "REGISTERED_MODE";
  }
}

std::string PinText(int pin) {
  return std::to_string(pin);
}

// The source's pin names, to their pin numbers.
class PinNames {
 public:
  explicit PinNames(const ImportedDesign& design) {
    for (std::size_t i = 0; i < design.pin_names.size(); ++i) {
      if (!design.pin_names[i].empty()) pin_of_[design.pin_names[i]] = static_cast<int>(i) + 1;
    }
  }
  int PinOf(const std::string& name) const {
    auto it = pin_of_.find(name);
    return it == pin_of_.end() ? 0 : it->second;
  }

 private:
  std::map<std::string, int> pin_of_;
};

struct ModeChoice {
  int mode = kSimpleMode;
  std::string_view reason = import_messages::kBecauseNothing;
  std::string name;
};

// As the GAL assemblers choose: a register needs the registered mode; an output enable, an input
// on a centre macrocell (which the simple mode cannot read) or an output read back needs the
// complex mode; else the simple mode.
ModeChoice ChooseV8Mode(const ImportedDesign& design, const std::set<int>& read_pins) {
  std::set<int> outputs;
  for (const ImportedEquation& equation : design.equations) {
    if (equation.registered)
      return {kRegisteredMode, import_messages::kBecauseRegister,
              design.pin_names[equation.pin - 1]};
    outputs.insert(equation.pin);
  }
  for (const ImportedEquation& equation : design.equations) {
    if (equation.tristate || equation.enable)
      return {kComplexMode, import_messages::kBecauseEnable, design.pin_names[equation.pin - 1]};
  }
  for (int pin : read_pins) {
    const int olmc = OlmcIndex(design.gal_type, pin, 0);
    if (olmc < 0) continue;
    const std::string& name = design.pin_names[pin - 1];
    if (outputs.count(pin)) return {kComplexMode, import_messages::kBecauseFeedback, name};
    if (olmc == 3 || olmc == 4) return {kComplexMode, import_messages::kBecauseInput, name};
  }
  return {};
}

// The source's name as one of ours: characters we do not take become "_", a word we reserve or
// a name already given gets a number.
std::string OurName(const std::string& source, std::set<std::string>& taken) {
  std::string name;
  for (char c : source) {
    const bool keep = std::isalnum(static_cast<unsigned char>(c)) != 0;
    if (keep) {
      name += c;
    } else if (!name.empty() && name.back() != '_') {
      name += '_';
    }
  }
  while (!name.empty() && name.back() == '_') name.pop_back();
  if (name.empty() || std::isdigit(static_cast<unsigned char>(name.front()))) name = "S" + name;
  if (name.size() > 28) name.resize(28);
  const auto unusable = [&](const std::string& candidate) {
    return taken.count(candidate) > 0 || std::find(kReservedWords.begin(), kReservedWords.end(),
                                                   candidate) != kReservedWords.end();
  };
  std::string candidate = name;
  for (int n = 1; unusable(candidate); ++n) candidate = name + "_" + std::to_string(n);
  taken.insert(candidate);
  return candidate;
}

class Builder {
 public:
  Builder(const ImportedDesign& design, ImportReport& report)
      : design_(design), report_(report), pins_(design) {}

  std::optional<DesignText> Build();

 private:
  void CollectReadPins();
  void ChooseMode();
  void NamePins();
  void CheckPinUse();
  void AddEquation(const ImportedEquation& equation);
  void AddTerm(const std::optional<ImportedTerm>& term, const char* node);
  std::string Our(const std::string& source) const;
  std::vector<std::string> Terms(const Expression& expression) const;

  const ImportedDesign& design_;
  ImportReport& report_;
  PinNames pins_;
  std::set<int> read_pins_;
  std::map<int, int> read_line_;  // first line that reads the pin
  int mode_ = kRegisteredMode;
  std::vector<std::string> our_names_;
  DesignText text_;
};

void Builder::CollectReadPins() {
  auto collect = [&](const Expression& expression, int line) {
    std::set<std::string> names;
    CollectSignals(expression, names);
    for (const std::string& name : names) {
      const int pin = pins_.PinOf(name);
      if (pin == 0) continue;
      read_pins_.insert(pin);
      read_line_.emplace(pin, line);
    }
  };
  for (const ImportedEquation& equation : design_.equations) {
    collect(equation.value, equation.line);
    if (equation.enable) collect(*equation.enable, equation.enable_line);
  }
  if (design_.reset) collect(design_.reset->value, design_.reset->line);
  if (design_.preset) collect(design_.preset->value, design_.preset->line);
}

void Builder::ChooseMode() {
  if (!IsV8(design_.gal_type)) return;
  if (design_.mode != 0) {
    mode_ = design_.mode;
  } else {
    const ModeChoice choice = ChooseV8Mode(design_, read_pins_);
    mode_ = choice.mode;
    const std::string reason = FormatText(choice.reason, {choice.name});
    report_.Note(0, import_messages::kModeChosen, {ModeWord(mode_), reason});
  }
  text_.mode = ModeWord(mode_);
}

void Builder::NamePins() {
  const int count = PinCount(design_.gal_type);
  std::set<std::string> taken;
  for (int pin = 1; pin <= count + NodeCount(design_.gal_type); ++pin)
    taken.insert(std::string(FixedName(design_.gal_type, mode_, pin)));
  for (int pin = 1; pin <= count; ++pin) {
    const std::string_view fixed = FixedName(design_.gal_type, mode_, pin);
    const std::string& source = design_.pin_names[pin - 1];
    std::string ours;
    if (!fixed.empty()) {
      ours = std::string(fixed);
    } else if (source.empty()) {
      ours = "NC";
    } else {
      ours = OurName(source, taken);
      if (ours != source) report_.Note(0, import_messages::kRenamed, {source, ours});
    }
    our_names_.push_back(ours);
  }
  text_.pins = our_names_;
}

// The pins the equations read and drive, against what the device can do with them in the mode.
void Builder::CheckPinUse() {
  const std::string where =
      IsV8(design_.gal_type) ? ModeWord(mode_) : std::string(DeviceName(design_.gal_type));
  auto fixed = [&](int pin, int line) {
    if (FixedName(design_.gal_type, mode_, pin).empty()) return false;
    report_.Error(line, import_messages::kFixedPinUsed,
                  {PinText(pin), design_.pin_names[pin - 1], where});
    return true;
  };
  for (int pin : read_pins_) {
    if (fixed(pin, read_line_[pin])) continue;
    if (InputColumn(design_.gal_type, mode_, pin, 0, 0) < 0)
      report_.Error(read_line_[pin], import_messages::kNotReadable,
                    {PinText(pin), design_.pin_names[pin - 1], where});
  }
  for (const ImportedEquation& equation : design_.equations) fixed(equation.pin, equation.line);
}

std::string Builder::Our(const std::string& source) const {
  const int pin = pins_.PinOf(source);
  return pin > 0 ? our_names_[pin - 1] : source;
}

std::vector<std::string> Builder::Terms(const Expression& expression) const {
  std::vector<std::string> terms;
  for (const Expression& term : SumTerms(expression))
    terms.push_back(OurSyntax(term, [this](const std::string& name) { return Our(name); }));
  return terms;
}

void Builder::AddEquation(const ImportedEquation& equation) {
  const std::string& name = design_.pin_names[equation.pin - 1];
  const int pin_class = PinClass(design_.gal_type, mode_, equation.pin);
  if (pin_class != kPinInputOutput && pin_class != kPinOutput && pin_class != kPinOutputOrInput) {
    report_.Error(equation.line, import_messages::kNotAnOutput, {PinText(equation.pin), name});
    return;
  }
  const bool v8 = IsV8(design_.gal_type);
  if (equation.registered && v8 && mode_ != kRegisteredMode)
    report_.Error(equation.line, import_messages::kRegisterInMode, {name, ModeWord(mode_)});
  if (!WithinLimits(equation.value, kMaxExpressionDepth, kMaxExpressionNodes) ||
      (equation.enable &&
       !WithinLimits(*equation.enable, kMaxExpressionDepth, kMaxExpressionNodes))) {
    report_.Error(equation.line, import_messages::kTooLarge, {name});
    return;
  }
  const Expression value = Simplified(equation.value);
  if (equation.registered &&
      (value.op == Expression::Op::kTrue || value.op == Expression::Op::kFalse))
    report_.Error(equation.line, import_messages::kConstantRegister, {name});
  DesignEquation ours;
  ours.comment = equation.comment;
  ours.target = our_names_[equation.pin - 1];
  ours.kind = equation.registered ? DesignEquation::Kind::kRegistered
                                  : DesignEquation::Kind::kCombinational;
  ours.negated = equation.negated;
  ours.terms = Terms(value);
  text_.equations.push_back(ours);
  if (!equation.enable) return;
  const Expression enable = Simplified(*equation.enable);
  if (enable.IsConstant(true)) return;  // enabled always, as an output without an enable term is
  if (enable.IsConstant(false)) {
    report_.Error(equation.enable_line, import_messages::kConstantEnable, {name});
    return;
  }
  if (v8 && mode_ != kComplexMode) {
    report_.Error(equation.enable_line, import_messages::kNoEnableInMode, {name, ModeWord(mode_)});
    return;
  }
  DesignEquation enable_equation;
  enable_equation.target = ours.target;
  enable_equation.kind = DesignEquation::Kind::kEnable;
  enable_equation.terms = Terms(enable);
  text_.equations.push_back(enable_equation);
}

void Builder::AddTerm(const std::optional<ImportedTerm>& term, const char* node) {
  if (!term) return;
  if (NodeCount(design_.gal_type) == 0) {
    report_.Error(term->line, import_messages::kResetPresetDevice, {node});
    return;
  }
  const Expression value = Simplified(term->value);
  if (value.IsConstant(false)) return;  // never active, as without the term
  DesignEquation ours;
  ours.target = node;
  ours.terms = Terms(value);
  text_.equations.push_back(ours);
}

std::optional<DesignText> Builder::Build() {
  text_.device = DeviceName(design_.gal_type);
  std::set<std::string> taken;
  text_.name = OurName(design_.name, taken);
  text_.heading = design_.heading;
  CollectReadPins();
  ChooseMode();
  NamePins();
  CheckPinUse();
  if (!design_.user_id.empty()) {
    if (IsOurIdentifier(design_.user_id)) {
      text_.user_id = design_.user_id;
    } else {
      report_.Note(design_.user_id_line, import_messages::kNoUserId, {design_.user_id});
    }
  }
  AddTerm(design_.reset, "AR");
  AddTerm(design_.preset, "SP");
  for (const ImportedEquation& equation : design_.equations) AddEquation(equation);
  if (report_.failed()) return std::nullopt;
  return text_;
}

}  // namespace

bool IsOurIdentifier(std::string_view text) {
  if (text.empty() || text.size() > 32) return false;
  const auto letter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
  const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
  if (!letter(text.front()) && text.front() != '_') return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '_') {
      if (i + 1 == text.size() || !(letter(text[i + 1]) || digit(text[i + 1]))) return false;
    } else if (!letter(c) && !digit(c)) {
      return false;
    }
  }
  return true;
}

std::optional<DesignText> ToDesignText(const ImportedDesign& design, ImportReport& report) {
  return Builder(design, report).Build();
}

}  // namespace kem
