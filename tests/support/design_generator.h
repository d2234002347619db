// Random design sources for every device and mode, drawn from a seed or from a fuzzer's bytes:
// a header, a pin list with fixed, free and unused pins, and statements of every kind the mode
// allows (combinational and registered equations, complemented outputs, output enables, the
// reset and preset nodes, constants, groups, exclusive or, minimization switched off for a
// stretch), written with the spacing, comments and line ends a person might use. Now and then
// one fault is put in on purpose, so that not every compilation is clean.
//
// Equations read at most eight signals and are kept near the outputs' term limits, so that the
// minimizer stays fast and most designs fit.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "device/catalogue.h"
#include "tests/support/entropy.h"
#include "tests/support/expression_writer.h"
#include "tests/support/formula.h"

namespace kem::testing_support {

// One statement of a generated design, as it was meant.
struct GeneratedEquation {
  std::string target;
  bool trst = false;        // target.TRST = ...
  bool negated = false;     // /target = ...
  bool registered = false;  // target := ...
  Formula rhs;
};

struct GeneratedDesign {
  int gal_type = 0;
  int mode = 0;   // the mode the header asks for, or the device's default when it names none
  int level = 0;  // the minimization level to compile it with
  // Empty for a design written to compile clean (only an output with more terms than it takes,
  // which the generator cannot foresee, may still fail it); else the fault put in on purpose.
  std::string fault;
  // The fault is one that no compilation may accept; a byte edited at random may leave a valid
  // design.
  bool must_fail = false;
  std::string source;
  std::vector<GeneratedEquation> equations;  // in source order; as meant only without a fault
};

struct GeneratorOptions {
  int fault_percent = 12;
};

class DesignGenerator {
 public:
  explicit DesignGenerator(std::uint64_t seed, GeneratorOptions options = {})
      : random_(seed), options_(options) {}
  explicit DesignGenerator(std::span<const std::uint8_t> bytes, GeneratorOptions options = {})
      : random_(bytes), options_(options) {}
  // The writer refers to this generator's entropy.
  DesignGenerator(const DesignGenerator&) = delete;
  DesignGenerator& operator=(const DesignGenerator&) = delete;

  // A new design from the entropy that is left.
  GeneratedDesign Generate() {
    fault_ = Fault::kNone;
    fault_applied_ = false;
    pins_.clear();
    readable_.clear();
    used_.clear();
    GeneratedDesign d;
    d.level = random_.Below(3);
    d.gal_type = random_.Below(kDeviceCount);
    std::vector<int> modes;
    for (int mode : {kSimpleMode, kComplexMode, kRegisteredMode}) {
      if (ModeAllowed(mode, d.gal_type)) modes.push_back(mode);
    }
    d.mode = random_.Pick(modes);
    type_ = d.gal_type;
    mode_ = d.mode;
    level_ = d.level;
    // Drawn so that entropy that has run dry means no fault.
    if (!random_.Percent(100 - options_.fault_percent))
      fault_ = static_cast<Fault>(random_.Between(1, static_cast<int>(Fault::kEditedByte)));

    std::string text = Preamble() + Header() + PinList();
    const std::size_t statements_start = text.size();
    text += Statements(d.equations);
    if (fault_ != Fault::kNone && !fault_applied_) fault_ = Fault::kEditedByte;
    if (fault_ == Fault::kEditedByte) EditByte(text, statements_start);
    if (random_.Percent(8)) text = WithCrLf(text);

    d.fault = FaultName(fault_);
    d.must_fail = fault_ != Fault::kNone && fault_ != Fault::kEditedByte;
    d.source = std::move(text);
    return d;
  }

 private:
  enum class Fault {
    kNone,
    kModeNotAllowed,
    kUserIdWithoutEquals,
    kFixedPinRenamed,
    kPinNameTwice,
    kRegisteredOutsideMode,
    kUndeclaredSignal,
    kKeywordOperand,
    kMissingParen,
    kAssignedTwice,
    kInputAssigned,
    kTrstNotAllowed,
    kNegatedNode,
    kTooManyTerms,
    kTrstWithoutEquation,
    kEditedByte,  // the last
  };

  static std::string FaultName(Fault fault) {
    static const char* const kNames[] = {"",
                                         "mode not allowed",
                                         "USER_ID without =",
                                         "fixed pin renamed",
                                         "pin name twice",
                                         ":= outside registered mode",
                                         "undeclared signal",
                                         "keyword as operand",
                                         "missing )",
                                         "output assigned twice",
                                         "input pin assigned",
                                         "TRST not allowed",
                                         "negated node",
                                         "too many terms",
                                         "TRST without equation",
                                         "edited byte"};
    return kNames[static_cast<int>(fault)];
  }

  // Where a free pin stands in the design.
  enum class Role { kUnused, kInput, kOutput };

  struct Pin {
    std::string name;
    int number = 0;
    Role role = Role::kUnused;
  };

  using Text = ExpressionWriter::Text;

  // What one statement is to define.
  struct Plan {
    const Pin* pin = nullptr;  // nullptr for a node
    std::string target;
    bool trst = false;
  };

  static bool Reserved(std::string_view name) {
    static const std::set<std::string_view> kReserved = {
        "CHIP",        "GAL16V8",      "GAL20V8",
        "GAL22V10",    "ispGAL22V10",  "NC",
        "SIMPLE_MODE", "COMPLEX_MODE", "REGISTERED_MODE",
        "Simple_Mode", "Complex_Mode", "Registered_Mode",
        "GND",         "VCC",          "CLK",
        "NOE",         "SCLK",         "MODE",
        "SDI",         "SDO",          "AR",
        "SP",          "TRUE",         "true",
        "True",        "FALSE",        "false",
        "False",       "TRST",         "NOMIN",
        "ENDNOMIN",    "USER_ID"};
    return kReserved.contains(name);
  }

  // A fresh identifier: short, numbered, joined with underscores, or long up to 32 characters.
  std::string NewName() {
    static const char* const kStems[] = {
        "A",   "B",   "C",   "D",    "E",   "F",   "Q",    "X",    "Y",   "Z",          "IN",
        "OUT", "EN",  "SEL", "LD",   "RST", "CNT", "DATA", "ADDR", "BUS", "PAR",        "DIR",
        "ACK", "REQ", "irq", "rd_n", "wr",  "cs",  "Tmp",  "st",   "_q",  "Load_Enable"};
    for (int attempt = 0; attempt < 8; ++attempt) {
      std::string name = random_.Pick(kStems);
      switch (random_.Below(10)) {
        case 0:
        case 1:
        case 2:
        case 3:
          name += std::to_string(random_.Below(100));
          break;
        case 4:
        case 5: {
          const std::string second = random_.Pick(kStems);
          if (second[0] != '_') name += "_" + second;
          break;
        }
        case 6: {
          name += "_long_signal_name_with_many_parts";
          name.resize(static_cast<std::size_t>(random_.Between(16, 32)));
          while (name.back() == '_') name.pop_back();
          break;
        }
        default:
          break;
      }
      if (!Reserved(name) && used_.insert(name).second) return name;
    }
    // Entropy that has run dry keeps repeating itself; a counter still gives new names.
    for (;;) {
      std::string name = "N" + std::to_string(counter_++);
      if (used_.insert(name).second) return name;
    }
  }

  // ---- header and pin list -----------------------------------------------------------------

  std::string Preamble() {
    static const char* const kPreambles[] = {"design notes, rev 1\n\n", "/* test design */\n",
                                             "// generated\n", "\n\n"};
    return random_.Percent(15) ? random_.Pick(kPreambles) : "";
  }

  std::string Header() {
    std::string text =
        "CHIP" + write_.Blank() + NewName() + write_.Blank() + std::string(DeviceName(type_));
    int mode = mode_;
    if (fault_ == Fault::kModeNotAllowed && type_ == kGal22V10) {
      mode = random_.Percent(50) ? kSimpleMode : kComplexMode;
      fault_applied_ = true;
    }
    if (mode != DefaultMode(type_) || random_.Percent(60)) {
      std::string word(ModeName(mode));
      if (random_.Percent(50)) {
        for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      }
      text += write_.Blank() + word;
    }
    if (fault_ == Fault::kUserIdWithoutEquals) {
      text += write_.Blank() + "USER_ID" + write_.Blank() + "K1";
      fault_applied_ = true;
    } else if (random_.Percent(30)) {
      static const char* const kIds[] = {"K1", "ID42", "Rev_7", "ABCDEFGHIJKLMNOPQ"};
      text += write_.Blank() + "USER_ID" + write_.Gap() + "=" + write_.Gap() + random_.Pick(kIds);
    }
    return text + write_.Blank();
  }

  // Names every pin, decides what each free pin is used for, and writes the list.
  std::string PinList() {
    std::string text;
    for (int n = 1; n <= PinCount(type_); ++n) {
      std::string name(FixedName(type_, mode_, n));
      if (!name.empty()) {
        if (fault_ == Fault::kFixedPinRenamed && !fault_applied_) {
          name = NewName();
          fault_applied_ = true;
        }
      } else if (random_.Percent(18)) {
        name = "NC";
      } else {
        if (fault_ == Fault::kPinNameTwice && !fault_applied_ && !pins_.empty()) {
          name = pins_.front().name;
          fault_applied_ = true;
        } else {
          name = NewName();
        }
        pins_.push_back({name, n, ChooseRole(n)});
      }
      text += name + (n % 10 == 0 ? "\n" : write_.Blank());
    }
    return text + "\n";
  }

  Role ChooseRole(int n) {
    switch (PinClass(type_, mode_, n)) {
      case kPinInput:
        return Role::kInput;
      case kPinInputOutput:
      case kPinOutputOrInput:
        return random_.Percent(55) ? Role::kOutput : Role::kInput;
      case kPinOutput:
        return random_.Percent(80) ? Role::kOutput : Role::kUnused;
      default:
        return Role::kUnused;
    }
  }

  // ---- statements --------------------------------------------------------------------------

  std::string Statements(std::vector<GeneratedEquation>& equations) {
    std::vector<Plan> plans = PlanStatements();
    // Minimization off from `nomin_from` up to `nomin_to`, which may be left open.
    int nomin_from = -1, nomin_to = -1;
    bool nomin_closed = false;
    if (!plans.empty() && random_.Percent(15)) {
      nomin_from = random_.Below(static_cast<int>(plans.size()));
      nomin_to = random_.Between(nomin_from, static_cast<int>(plans.size()) - 1);
      nomin_closed = random_.Percent(60);
    }

    std::vector<std::string> statements;
    for (int i = 0; i < static_cast<int>(plans.size()); ++i) {
      const bool nomin = i >= nomin_from && i <= nomin_to;
      GeneratedEquation e;
      std::string text = Statement(plans[i], level_ != 0 && !nomin, e);
      if (i == nomin_from)
        text = "#" + std::string(random_.Percent(30) ? " " : "") + "NOMIN" + write_.Blank() + text;
      if (i == nomin_to && nomin_closed) text += write_.Blank() + "#ENDNOMIN";
      statements.push_back(std::move(text));
      equations.push_back(std::move(e));
    }
    if (std::string extra = FaultyStatement(); !extra.empty()) {
      const int at = random_.Below(static_cast<int>(statements.size()) + 1);
      statements.insert(statements.begin() + at, std::move(extra));
    }

    std::string text = random_.Percent(50) ? "\n" : "";
    for (const std::string& statement : statements) {
      static const char* const kSeparators[] = {"\n", "\n", "\n", " ", "\n\n", "\t\n"};
      text +=
          statement + (random_.Percent(5) ? write_.Comment() + "\n" : random_.Pick(kSeparators));
    }
    return text;
  }

  // One statement per output, one per output enable, one per node used, in random order.
  std::vector<Plan> PlanStatements() {
    std::vector<Plan> plans;
    for (Pin& pin : pins_) {
      if (pin.role != Role::kOutput) continue;
      const bool oe = OeAllowed(type_, mode_, pin.number);
      if (oe && fault_ == Fault::kTrstWithoutEquation && !fault_applied_) {
        pin.role = Role::kUnused;  // never read, so it stays without an equation
        plans.push_back({&pin, pin.name, true});
        fault_applied_ = true;
        continue;
      }
      plans.push_back({&pin, pin.name, false});
      if (oe && random_.Percent(35)) plans.push_back({&pin, pin.name, true});
    }
    for (int j = 1; j <= NodeCount(type_); ++j) {
      if (random_.Percent(30))
        plans.push_back({nullptr, std::string(FixedName(type_, mode_, PinCount(type_) + j))});
    }
    for (const Pin& pin : pins_) {
      if (pin.role == Role::kInput ||
          (pin.role == Role::kOutput && HasFeedback(type_, mode_, pin.number)))
        readable_.push_back(pin.name);
    }
    // An output enable needs a signal to read.
    if (readable_.empty()) {
      std::erase_if(plans, [](const Plan& plan) { return plan.trst; });
      if (fault_ == Fault::kTrstWithoutEquation) fault_applied_ = false;
    }
    for (int i = static_cast<int>(plans.size()) - 1; i > 0; --i)
      std::swap(plans[i], plans[random_.Below(i + 1)]);
    return plans;
  }

  std::string Statement(const Plan& plan, bool minimized, GeneratedEquation& e) {
    e.target = plan.target;
    e.trst = plan.trst;
    Text rhs;
    std::string op = "=";
    if (plan.trst) {
      rhs = write_.SingleProduct(e.rhs, Variables(3));
    } else if (plan.pin == nullptr) {
      rhs = readable_.empty() || random_.Percent(10) ? write_.Constant(e.rhs, random_.Percent(50))
                                                     : write_.SingleProduct(e.rhs, Variables(3));
    } else {
      const int n = plan.pin->number;
      e.registered = mode_ == kRegisteredMode && RegTermLimit(type_, mode_, n) > 0 &&
                     !readable_.empty() && random_.Percent(60);
      e.negated = random_.Percent(30);
      if (fault_ == Fault::kRegisteredOutsideMode && !fault_applied_ && mode_ != kRegisteredMode) {
        op = ":=";
        fault_applied_ = true;
      }
      if (e.registered) op = ":=";
      const int limit = e.registered ? RegTermLimit(type_, mode_, n) : TermLimit(type_, mode_, n);
      rhs = OutputExpression(e.rhs, limit, minimized, e.registered);
    }
    e.rhs.SetRoot(rhs.node);
    std::string right = rhs.text;
    if (!plan.trst && plan.pin != nullptr && !fault_applied_) right = Spoil(right);

    std::string text = (e.negated ? "/" + write_.Gap() : "") + plan.target;
    text += plan.trst ? ".TRST" + write_.Gap() + "=" : write_.Gap() + op;
    text += write_.Gap() + right;
    // A missing ";" is only a warning; the next statement starts where this one ended.
    if (!random_.Percent(3)) text += write_.Gap() + ";";
    return text;
  }

  // The right-hand side of an ordinary equation, kept near `limit` terms.
  Text OutputExpression(Formula& f, int limit, bool minimized, bool registered) {
    if (fault_ == Fault::kTooManyTerms && !fault_applied_ && readable_.size() >= 6) {
      fault_applied_ = true;
      return write_.Chain(f, Formula::Op::kXor, Variables(6, true), 0);
    }
    if (readable_.empty() || (!registered && random_.Percent(6)))
      return write_.Constant(f, random_.Percent(50));
    const int r = random_.Below(100);
    if (r < 40) return write_.SumOfProducts(f, Variables(8), std::min(limit, 5));
    if (r < 55) return write_.Chain(f, Formula::Op::kXor, Variables(3), 30);
    // Without minimization a tree becomes its minterms: at most four over three signals.
    return write_.Tree(f, Variables(minimized ? 4 : 3), random_.Between(1, 3));
  }

  // Up to `most` distinct readable signals (exactly `most` when `all`), at least one; there must
  // be readable signals.
  std::vector<std::string> Variables(int most, bool all = false) {
    static const int kCounts[] = {1, 2, 2, 3, 3, 3, 4, 4, 5, 6, 7, 8};
    const int count =
        std::min({all ? most : random_.Pick(kCounts), most, static_cast<int>(readable_.size())});
    std::vector<std::string> pool = readable_;
    for (int i = 0; i < count; ++i)
      std::swap(pool[i], pool[i + random_.Below(static_cast<int>(pool.size()) - i)]);
    pool.resize(static_cast<std::size_t>(std::max(count, 1)));
    return pool;
  }

  // ---- faults ------------------------------------------------------------------------------

  // Spoils the right-hand side of the first equation that allows it, for the faults that live
  // there.
  std::string Spoil(const std::string& text) {
    static const char* const kKeywords[] = {"CHIP", "GAL16V8", "NC", "SIMPLE_MODE"};
    switch (fault_) {
      case Fault::kUndeclaredSignal:
        fault_applied_ = true;
        return text + write_.Gap() + "*" + write_.Gap() + NewName();
      case Fault::kKeywordOperand:
        fault_applied_ = true;
        return text + write_.Gap() + "+" + write_.Gap() + random_.Pick(kKeywords);
      case Fault::kMissingParen:
        fault_applied_ = true;
        return "(" + text;
      default:
        return text;
    }
  }

  // A statement the design's rules refuse, for the faults that need one of their own.
  std::string FaultyStatement() {
    if (fault_applied_) return {};
    const std::string operand = readable_.empty() ? "1" : random_.Pick(readable_);
    auto first = [&](auto&& wanted) -> const Pin* {
      for (const Pin& pin : pins_) {
        if (wanted(pin)) return &pin;
      }
      return nullptr;
    };
    const Pin* pin = nullptr;
    switch (fault_) {
      case Fault::kAssignedTwice:
        pin = first([](const Pin& p) { return p.role == Role::kOutput; });
        if (pin) break;
        return {};
      case Fault::kInputAssigned:
        pin = first([&](const Pin& p) { return PinClass(type_, mode_, p.number) == kPinInput; });
        if (pin) break;
        return {};
      case Fault::kTrstNotAllowed:
        pin = first([&](const Pin& p) {
          return p.role == Role::kOutput && !OeAllowed(type_, mode_, p.number);
        });
        if (!pin) return {};
        fault_applied_ = true;
        return pin->name + ".TRST = " + operand + ";";
      case Fault::kNegatedNode:
        if (NodeCount(type_) == 0) return {};
        fault_applied_ = true;
        return "/AR = " + operand + ";";
      default:
        return {};
    }
    fault_applied_ = true;
    return pin->name + " = " + operand + ";";
  }

  // One character of the statements replaced, inserted or deleted: the outcome may be any
  // diagnostic, or none at all.
  void EditByte(std::string& text, std::size_t from) {
    static const char kChars[] = {';', ',', '/', '(',  ')', '*', '+', '$',  '=', ':', '#',
                                  '.', 'A', ' ', '\n', '!', '1', '_', '\r', '&', '|'};
    if (text.size() <= from) {
      text += random_.Pick(kChars);
      return;
    }
    const std::size_t at =
        from + static_cast<std::size_t>(random_.Below(static_cast<int>(text.size() - from)));
    switch (random_.Below(3)) {
      case 0:
        text[at] = random_.Pick(kChars);
        break;
      case 1:
        text.insert(at, 1, random_.Pick(kChars));
        break;
      default:
        text.erase(at, 1);
    }
  }

  static std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
  }

  Entropy random_;
  ExpressionWriter write_{random_};
  GeneratorOptions options_;
  int type_ = 0;
  int mode_ = 0;
  int level_ = 0;
  Fault fault_ = Fault::kNone;
  bool fault_applied_ = false;
  std::vector<Pin> pins_;
  std::vector<std::string> readable_;
  std::set<std::string> used_;
  int counter_ = 0;
};

}  // namespace kem::testing_support
