#include "interchange/decompile.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "common/format.h"
#include "common/keywords.h"
#include "device/catalogue.h"
#include "device/fuse_map.h"
#include "device/jedec_writer.h"
#include "interchange/interchange_messages.h"
#include "interchange/minimize_table.h"
#include "synthesis/expansion.h"

namespace kem {

namespace {

using EquationKind = DesignEquation::Kind;

constexpr std::size_t kLongestName = 32;

// The words a name must not be, in any letter case: keywords, constants, devices and modes.
bool IsLanguageWord(const std::string& text) {
  auto is = [&text](std::string_view word) { return SameLetters(text, word); };
  if (std::any_of(kWordKeywords.begin(), kWordKeywords.end(), is)) return true;
  for (const ConstantWord& constant : kConstantWords) {
    if (is(constant.word)) return true;
  }
  for (int type = 0; type < kDeviceCount; ++type) {
    if (is(DeviceName(type))) return true;
  }
  return is(ModeName(kSimpleMode)) || is(ModeName(kComplexMode)) || is(ModeName(kRegisteredMode));
}

// The GAL that takes the chip's place and its mode: a GAL's own, else the one its structure
// needs (registers want the registered mode; output enables the complex mode).
struct Replacement {
  int gal_type = 0;
  int mode = 0;
};

Replacement ReplacementOf(const ChipFunction& chip) {
  if (chip.gal_type >= 0) return {chip.gal_type, chip.mode};
  const int gal_type = chip.layout == ChipLayout::kSeries16 ? kGal16V8 : kGal20V8;
  return {gal_type, HasRegister(chip) ? kRegisteredMode : kComplexMode};
}

// The clock pin counts as used wherever a register is.
bool IsUsed(const ChipFunction& chip, int pin) {
  const ChipOutput* own = chip.OutputOfPin(pin);
  return (own != nullptr && own->kind != ChipPinKind::kNotDriven) || ReadsPin(chip, pin) ||
         (pin == 1 && HasRegister(chip));
}

// "P7" for pin 7.
std::string NumberName(int pin) {
  std::string name = "P";
  name += std::to_string(pin);
  return name;
}

// pins[n - 1]: the fixed name, the name given or the file's when it is a usable one, else P<n>
// for a pin the chip uses and NC for the rest.
std::vector<std::string> PinNames(const ChipFunction& chip, const Replacement& gal,
                                  const DecompileOptions& options) {
  std::vector<std::string> pins;
  // The fixed names of the device in the mode belong to their pins and nodes alone.
  std::set<std::string> taken;
  for (int n = 1; n <= PinCount(gal.gal_type) + NodeCount(gal.gal_type); ++n)
    taken.emplace(FixedName(gal.gal_type, gal.mode, n));
  auto name_of = [&](int n) -> std::string {
    if (PinClass(gal.gal_type, gal.mode, n) == kPinFixed)
      return std::string(FixedName(gal.gal_type, gal.mode, n));
    for (const std::vector<std::string>* names : {&options.names, &chip.pin_names}) {
      if (n < static_cast<int>(names->size()) && IsDesignName((*names)[n]) &&
          taken.count((*names)[n]) == 0)
        return (*names)[n];
    }
    if (!IsUsed(chip, n)) return std::string(kNcKeyword);
    // A name given to another pin may be the number's name already.
    const std::string number = NumberName(n);
    std::string name = number;
    for (int k = 1; taken.count(name) != 0; ++k) {
      name = number;
      name += '_';
      name += std::to_string(k);
    }
    return name;
  };
  for (int n = 1; n <= PinCount(gal.gal_type); ++n) {
    pins.push_back(name_of(n));
    taken.insert(pins.back());
  }
  return pins;
}

std::string TermText(const ChipTerm& term, const std::vector<std::string>& pins) {
  if (term.literals.empty()) return "1";
  std::string text;
  for (const ChipLiteral& literal : term.literals) {
    if (!text.empty()) text += " * ";
    if (literal.inverted) text += '/';
    text += pins[static_cast<std::size_t>(literal.pin - 1)];
  }
  return text;
}

std::vector<std::string> TermTexts(const ChipSum& sum, const std::vector<std::string>& pins) {
  std::vector<std::string> terms;
  for (const ChipTerm& term : sum) terms.push_back(TermText(term, pins));
  return terms;
}

enum class Constant { kNone, kZero, kOne };

// The OR-term minimized at the level: the products as the file has them at level 0, where the
// minimizer cannot take the function, or where they are fewer.
// `as_written` tells that the products are the file's, which the compiler must then keep out of
// minimization too.
std::optional<ChipSum> Minimized(const ChipSum& sum, int level, Constant& constant,
                                 bool& as_written) {
  const PinSpace space({&sum});
  const PinTable64 table = space.TableOf(sum);
  constant = Constant::kNone;
  if (!FirstPointOf(table)) constant = Constant::kZero;
  if (!FirstPointOf(Complement(space, table))) constant = Constant::kOne;
  as_written = false;
  if (constant != Constant::kNone || level == kLevelNone) return sum;
  std::optional<ChipSum> cover;
  if (space.variables() <= kMaxUsedVariables) cover = MinimizeTable(space, table, level);
  if (cover && cover->size() <= sum.size()) return cover;
  as_written = true;
  return sum;
}

struct Writer {
  const ChipFunction& chip;
  const DecompileOptions& options;
  const std::vector<std::string>& pins;
  DesignText& design;
  std::string& error;

  std::string Label(int pin) const {
    return FormatText(interchange_messages::kPinLabelNamed,
                      {std::to_string(pin), pins[static_cast<std::size_t>(pin - 1)]});
  }

  bool Output(const ChipOutput& output) {
    if (output.kind == ChipPinKind::kNotDriven) return true;
    const std::string& name = pins[static_cast<std::size_t>(output.pin - 1)];
    const bool registered = output.kind == ChipPinKind::kRegistered;
    if (!output.terms.empty() && PinSpace({&output.terms}).variables() > kMaxUsedVariables) {
      error = FormatText(interchange_messages::kTooManySignals,
                         {Label(output.pin), std::to_string(PinSpace({&output.terms}).variables()),
                          std::to_string(kMaxUsedVariables)});
      return false;
    }
    Constant constant = Constant::kNone;
    bool as_written = false;
    const std::optional<ChipSum> cover =
        Minimized(output.terms, options.level, constant, as_written);
    DesignEquation equation;
    equation.target = name;
    equation.kind = registered ? EquationKind::kRegistered : EquationKind::kCombinational;
    if (constant != Constant::kNone && registered) {
      // ":=" takes no constant: the register's own feedback gives one.
      equation.negated = !output.active_high;
      std::string term = name;
      term += constant == Constant::kOne ? " + /" : " * /";
      term += name;
      equation.terms = {term};
    } else if (constant != Constant::kNone) {
      // A constant is written as the level the pin shows.
      const bool level = (constant == Constant::kOne) == output.active_high;
      equation.terms = {level ? "1" : "0"};
    } else {
      equation.negated = !output.active_high;
      equation.terms = TermTexts(*cover, pins);
      equation.nomin = as_written;
    }
    design.equations.push_back(std::move(equation));
    return Enable(output, name);
  }

  // Written only where a row gives it; the output-enable pin of a registered GAL16V8 or GAL20V8
  // is the architecture's, an enable that is always true is what the fitter writes by itself.
  bool Enable(const ChipOutput& output, const std::string& name) {
    const bool by_row = !output.enable.empty() && output.enable.front().row >= 0;
    const bool always = std::any_of(output.enable.begin(), output.enable.end(),
                                    [](const ChipTerm& term) { return term.literals.empty(); });
    if (always || (!output.enable.empty() && !by_row)) return true;
    const Replacement gal = ReplacementOf(chip);
    if (OeAllowed(gal.gal_type, gal.mode, output.pin) == 0) {
      error = FormatText(interchange_messages::kEnableNotWritable,
                         {Label(output.pin), ModeName(gal.mode)});
      return false;
    }
    DesignEquation equation;
    equation.target = name;
    equation.kind = EquationKind::kEnable;
    equation.terms =
        output.enable.empty() ? std::vector<std::string>{"0"} : TermTexts(output.enable, pins);
    design.equations.push_back(std::move(equation));
    return true;
  }

  void Node(std::string_view node, const ChipSum& sum) {
    if (sum.empty()) return;
    DesignEquation equation;
    equation.target = std::string(node);
    equation.terms = TermTexts(sum, pins);
    design.equations.push_back(std::move(equation));
  }
};

// A comment of the heading must neither close the comment block nor hold the word that the
// compiler looks for first.
std::string CommentSafe(std::string text) {
  for (std::size_t at = text.find("*/"); at != std::string::npos; at = text.find("*/", at))
    text.replace(at, 2, "* /");
  for (std::size_t at = text.find("CHIP"); at != std::string::npos; at = text.find("CHIP", at))
    text.replace(at, 4, "Chip");
  return text;
}

// The bytes of the user signature, each read from its most significant bit.
std::string UserIdBytes(const JedecFile& file, int gal_type) {
  const std::vector<int>& cells = DeviceJedecLayout(gal_type).cells;
  std::vector<int> fuse_of(kFuseMapCells, -1);
  for (std::size_t f = 0; f < cells.size(); ++f)
    fuse_of[static_cast<std::size_t>(cells[f])] = static_cast<int>(f);
  std::string bytes;
  for (int i = 0; i < UesBytes(gal_type); ++i) {
    unsigned byte = 0;
    for (int j = 0; j < 8; ++j) {
      const int fuse = fuse_of[static_cast<std::size_t>(UserIdCell(i, j))];
      // A file without the signature row (5828 fuses of a GAL22V10) has none.
      const auto at = static_cast<std::size_t>(fuse);
      if (fuse >= 0 && at < file.fuses.size() && file.fuses[at] != 0) byte |= 0x80u >> j;
    }
    bytes.push_back(static_cast<char>(byte));
  }
  return bytes;
}

std::string HexBytes(const std::string& bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (!text.empty()) text += ' ';
    text += kHex[byte >> 4];
    text += kHex[byte & 15];
  }
  return text;
}

}  // namespace

bool IsDesignName(const std::string& text) {
  if (text.empty() || text.size() > kLongestName ||
      std::isalpha(static_cast<unsigned char>(text[0])) == 0)
    return false;
  for (std::size_t i = 1; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (std::isalnum(c) != 0) continue;
    // An underscore needs a letter or digit after it.
    if (c != '_' || i + 1 == text.size() || text[i + 1] == '_') return false;
  }
  return !IsLanguageWord(text);
}

std::optional<DesignText> DecompileChip(const ChipFunction& chip, const DecompileOptions& options,
                                        std::string& error) {
  const Replacement gal = ReplacementOf(chip);
  DesignText design;
  design.name = IsDesignName(options.design_name) ? options.design_name : "READBACK";
  design.device = std::string(DeviceName(gal.gal_type));
  // The GAL22V10 family has its registers in every mode: its default says nothing more.
  if (gal.gal_type == kGal16V8 || gal.gal_type == kGal20V8) design.mode = Upper(ModeName(gal.mode));
  std::string what = chip.device;
  if (!design.mode.empty()) {
    what += ", ";
    what += ModeName(gal.mode);
  }
  design.heading.push_back(
      CommentSafe(FormatText(interchange_messages::kReadBackFrom, {options.source_name, what})));
  const std::vector<std::string> pins = PinNames(chip, gal, options);
  design.pins = pins;
  Writer writer{chip, options, pins, design, error};
  for (const ChipOutput& output : chip.outputs) {
    if (!writer.Output(output)) return std::nullopt;
  }
  if (chip.has_reset_preset && HasRegister(chip)) {
    writer.Node(interchange_messages::kReset, chip.reset);
    writer.Node(interchange_messages::kPreset, chip.preset);
  }
  return design;
}

std::optional<DesignText> DecompileJedec(const JedecFile& file, const DecompileOptions& options,
                                         std::string& error) {
  std::optional<ChipFunction> chip = GalChipOfJedec(file, error);
  if (!chip) return std::nullopt;
  std::optional<DesignText> design = DecompileChip(*chip, options, error);
  if (!design) return std::nullopt;
  const std::string bytes = UserIdBytes(file, chip->gal_type);
  const std::size_t end = bytes.find('\0');
  const bool zero_after =
      end == std::string::npos || bytes.find_first_not_of('\0', end) == std::string::npos;
  const std::string text = bytes.substr(0, end);
  if (zero_after && IsDesignName(text)) {
    design->user_id = text;
  } else if (!text.empty() || !zero_after) {
    design->heading.push_back(FormatText(interchange_messages::kUserIdBytes, {HexBytes(bytes)}));
  }
  if (file.security == 1) design->heading.emplace_back(interchange_messages::kSecurityFuse);
  if (!file.vectors.empty())
    design->heading.push_back(
        FormatText(interchange_messages::kVectors, {std::to_string(file.vectors.size())}));
  for (const std::string& warning : chip->warnings)
    design->heading.push_back(CommentSafe(FormatText(interchange_messages::kCellNote, {warning})));
  return design;
}

}  // namespace kem
