#include "device/test_vectors.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "common/format.h"
#include "device/simulation_messages.h"

namespace kem {

namespace {

constexpr std::string_view kOrder = "ORDER:";
constexpr std::string_view kValues = "01CHLZX";

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The text with its comments blanked out, line ends kept, so every line keeps its number.
// `open_comment_line` is the line of a "/*" that is never closed, else 0.
std::string WithoutComments(std::string_view text, int& open_comment_line) {
  std::string out(text);
  int line = 1;
  open_comment_line = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (out[i] == '\n') ++line;
    if (out.compare(i, 2, "//") == 0) {
      while (i < out.size() && out[i] != '\n') out[i++] = ' ';
      --i;
    } else if (out.compare(i, 2, "/*") == 0) {
      const std::size_t end = out.find("*/", i + 2);
      const std::size_t stop = end == std::string::npos ? out.size() : end + 2;
      if (end == std::string::npos) open_comment_line = line;
      for (; i < stop; ++i) {
        if (out[i] == '\n') {
          ++line;
        } else {
          out[i] = ' ';
        }
      }
      --i;
    }
  }
  return out;
}

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsWhiteSpace(text[i])) ++i;
    const std::size_t start = i;
    while (i < text.size() && !IsWhiteSpace(text[i])) ++i;
    if (i > start) words.emplace_back(text.substr(start, i - start));
  }
  return words;
}

// The pin a name stands for: 0 when no pin or several pins carry it (NC). "P" and a pin's number
// name that pin in any file, unless the design gives the name to a pin.
int PinOfName(const std::vector<std::string>& pin_names, const std::string& name, int pin_count) {
  int pin = 0;
  bool named = false;
  for (std::size_t n = 1; n < pin_names.size(); ++n) {
    if (pin_names[n] != name) continue;
    if (named) return 0;
    named = true;
    pin = static_cast<int>(n);
  }
  if (named || name.size() < 2 || name.size() > 3 || name[0] != 'P' || name[1] == '0' ||
      !std::all_of(name.begin() + 1, name.end(), IsDigit))
    return pin;
  const int number = std::stoi(name.substr(1));
  return number <= pin_count ? number : 0;
}

// A value that is none of ours as the user can read it: a character that prints as it stands,
// any other byte (a control character, part of a broken UTF-8 sequence) as \xNN.
std::string ShownValue(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned lead = byte(0);
  if (lead > 0x20 && lead < 0x7F) return std::string(1, text[0]);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 1;
  // The second byte's range excludes overlong forms, surrogates and code points past U+10FFFF.
  const unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
  const unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
  bool whole =
      length > 1 && lead < 0xF5 && length <= text.size() && byte(1) >= low && byte(1) <= high;
  for (std::size_t i = 2; whole && i < length; ++i) whole = (byte(i) & 0xC0) == 0x80;
  if (whole) return std::string(text.substr(0, length));
  char hex[8];
  std::snprintf(hex, sizeof hex, "\\x%02X", lead);
  return hex;
}

class Parser {
 public:
  Parser(const DeviceSimulator& device, const std::vector<std::string>& pin_names,
         std::vector<VectorDiagnostic>& faults)
      : device_(device), pin_names_(pin_names), faults_(faults) {}

  void Line(int line, std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t\r\f\v");
    if (start == std::string_view::npos) return;
    text.remove_prefix(start);
    if (text.starts_with(kOrder)) {
      Order(line, text.substr(kOrder.size()));
    } else {
      Vector(line, text);
    }
  }

  void Finish(int last_line) {
    if (seen_order_ && !result_.names.empty() && !had_vector_line_)
      Fault(order_line_, std::string(simulation_messages::kNoVectors));
    if (!seen_order_ && !reported_missing_order_)
      Fault(last_line, std::string(simulation_messages::kNoOrder));
  }

  TestVectors& result() { return result_; }

 private:
  void Fault(int line, std::string text) { faults_.push_back({line, std::move(text)}); }

  void Order(int line, std::string_view text) {
    if (seen_order_) {
      Fault(line, std::string(simulation_messages::kSecondOrder));
      return;
    }
    seen_order_ = true;
    order_line_ = line;
    const std::vector<std::string> names = Words(text);
    if (names.empty()) Fault(line, std::string(simulation_messages::kEmptyOrder));
    for (const std::string& name : names) {
      const int pin = PinOfName(pin_names_, name, device_.pin_count());
      if (pin == 0) {
        Fault(line, FormatText(simulation_messages::kUnknownName, {name}));
      } else if (device_.IsSupply(pin)) {
        Fault(line, FormatText(simulation_messages::kFixedPin, {name}));
      } else if (!device_.CanBeDriven(pin) && !device_.CanDrive(pin)) {
        Fault(line, FormatText(simulation_messages::kUnusedPin, {name}));
      } else if (std::find(result_.pins.begin(), result_.pins.end(), pin) != result_.pins.end()) {
        Fault(line, FormatText(simulation_messages::kDuplicateName, {name}));
      }
      result_.names.push_back(name);
      result_.pins.push_back(pin);
    }
  }

  void Vector(int line, std::string_view text) {
    had_vector_line_ = true;
    if (!seen_order_) {
      if (!reported_missing_order_) Fault(line, std::string(simulation_messages::kNoOrder));
      reported_missing_order_ = true;
      return;
    }
    std::string values;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char c = text[i];
      if (IsWhiteSpace(c)) continue;
      const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      if (kValues.find(upper) == std::string_view::npos) {
        Fault(line, FormatText(simulation_messages::kUnknownValue, {ShownValue(text.substr(i))}));
        return;
      }
      values += upper;
    }
    const std::size_t columns = result_.names.size();
    if (values.size() != columns) {
      Fault(line, FormatText(values.size() < columns ? simulation_messages::kTooFewValues
                                                     : simulation_messages::kTooManyValues,
                             {std::to_string(values.size()), std::to_string(columns)}));
      return;
    }
    for (std::size_t i = 0; i < columns; ++i) {
      if (!Fits(line, i, values[i])) return;
    }
    result_.vectors.push_back({line, std::move(values)});
  }

  // Whether the value suits the column's pin; a fault when not.
  bool Fits(int line, std::size_t column, char value) {
    const int pin = result_.pins[column];
    const std::string& name = result_.names[column];
    if (pin == 0 || device_.IsSupply(pin)) return true;  // already reported with ORDER:
    const std::string_view shown(&value, 1);
    if (value == 'C' && pin != device_.clock_pin()) {
      Fault(line, FormatText(simulation_messages::kClockOnly,
                             {name, std::to_string(device_.clock_pin())}));
      return false;
    }
    if ((value == '0' || value == '1' || value == 'C') && !device_.CanBeDriven(pin)) {
      Fault(line, FormatText(simulation_messages::kNotAnInput, {name, shown}));
      return false;
    }
    if ((value == 'H' || value == 'L' || value == 'Z') && !device_.CanDrive(pin)) {
      Fault(line, FormatText(simulation_messages::kNotAnOutput, {name, shown}));
      return false;
    }
    return true;
  }

  const DeviceSimulator& device_;
  const std::vector<std::string>& pin_names_;
  std::vector<VectorDiagnostic>& faults_;
  TestVectors result_;
  bool seen_order_ = false;
  int order_line_ = 0;
  bool had_vector_line_ = false;
  bool reported_missing_order_ = false;
};

// The levels driven from outside for one vector. X on an input leaves its level open; on a pin
// the device can drive it drives nothing.
std::vector<std::optional<Logic>> Driven(const TestVectors& vectors, const std::string& values,
                                         const DeviceSimulator& device) {
  std::vector<std::optional<Logic>> driven(device.pin_count() + 1);
  auto input = [&device](int pin) { return device.CanBeDriven(pin) && !device.CanDrive(pin); };
  for (int pin = 1; pin <= device.pin_count(); ++pin) {
    if (input(pin)) driven[pin] = Logic::k0;
  }
  for (std::size_t i = 0; i < values.size(); ++i) {
    const int pin = vectors.pins[i];
    if (values[i] == '0' || values[i] == '1')
      driven[pin] = values[i] == '1' ? Logic::k1 : Logic::k0;
    if (values[i] == 'X' && input(pin)) driven[pin] = Logic::kX;
  }
  return driven;
}

std::string UnknownText(const Unknown& why) {
  using Source = Unknown::Source;
  const std::string pin = std::to_string(why.pin);
  switch (why.source) {
    case Source::kFloating:
      return FormatText(simulation_messages::kUnknownFloating, {pin});
    case Source::kInputX:
      return FormatText(simulation_messages::kUnknownInput, {pin});
    case Source::kPowerUp:
      return FormatText(simulation_messages::kUnknownPowerUp, {pin});
    case Source::kConflict:
      return FormatText(simulation_messages::kUnknownConflict, {pin});
    case Source::kNone:
    case Source::kUnsettled:
      break;
  }
  return FormatText(simulation_messages::kUnknownUnsettled, {pin});
}

std::string PinList(const std::vector<int>& pins) {
  std::string list;
  for (int pin : pins) {
    if (!list.empty()) list += ", ";
    list += FormatText(simulation_messages::kPin, {std::to_string(pin)});
  }
  return list;
}

}  // namespace

char LevelChar(PinLevel level) {
  switch (level) {
    case PinLevel::kLow:
      return 'L';
    case PinLevel::kHigh:
      return 'H';
    case PinLevel::kZ:
      return 'Z';
    case PinLevel::kX:
      return 'X';
  }
  return '?';
}

int SimulationRun::FailedSteps() const {
  return static_cast<int>(std::count_if(
      steps.begin(), steps.end(), [](const VectorStep& step) { return !step.mismatches.empty(); }));
}

std::optional<TestVectors> ParseTestVectors(std::string_view text, const DeviceSimulator& device,
                                            const std::vector<std::string>& pin_names,
                                            std::vector<VectorDiagnostic>& faults) {
  const std::size_t faults_before = faults.size();
  // An editor's UTF-8 byte-order mark is no part of the first line.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  int open_comment = 0;
  const std::string clean = WithoutComments(text, open_comment);
  Parser parser(device, pin_names, faults);
  int line = 0;
  std::size_t start = 0;
  while (start <= clean.size()) {
    std::size_t end = clean.find('\n', start);
    if (end == std::string::npos) end = clean.size();
    ++line;
    parser.Line(line, std::string_view(clean).substr(start, end - start));
    start = end + 1;
  }
  if (open_comment != 0)
    faults.push_back({open_comment, std::string(simulation_messages::kOpenComment)});
  parser.Finish(line);
  if (faults.size() == faults_before) return std::move(parser.result());
  std::stable_sort(
      faults.begin() + static_cast<std::ptrdiff_t>(faults_before), faults.end(),
      [](const VectorDiagnostic& a, const VectorDiagnostic& b) { return a.line < b.line; });
  return std::nullopt;
}

SimulationRun RunTestVectors(const TestVectors& vectors, DeviceSimulator& device) {
  SimulationRun run;
  device.PowerUp();
  for (const TestVectors::Vector& vector : vectors.vectors) {
    const bool pulse = vector.values.find('C') != std::string::npos;
    const DeviceSimulator::Levels levels =
        device.Step(Driven(vectors, vector.values, device), pulse);
    VectorStep step;
    step.line = vector.line;
    step.pins = levels.pins;
    if (!levels.unsettled.empty()) {
      VectorStep::Mismatch unsettled;
      unsettled.column = -1;
      unsettled.unsettled = levels.unsettled;
      step.mismatches.push_back(std::move(unsettled));
    }
    for (std::size_t i = 0; i < vector.values.size(); ++i) {
      const char value = vector.values[i];
      const int pin = vectors.pins[i];
      const PinLevel read = levels.pins[pin];
      const bool expects = value == 'H' || value == 'L' || value == 'Z';
      const bool conflict = (value == '0' || value == '1') && levels.device_drives[pin];
      if ((expects && LevelChar(read) != value) || conflict)
        step.mismatches.push_back({static_cast<int>(i), value, read, levels.why[pin], {}});
    }
    run.steps.push_back(std::move(step));
  }
  return run;
}

std::string MismatchText(const TestVectors& vectors, const VectorStep::Mismatch& mismatch) {
  if (mismatch.column < 0)
    return FormatText(simulation_messages::kUnsettled, {PinList(mismatch.unsettled)});
  const std::string& name = vectors.names[mismatch.column];
  const char read = LevelChar(mismatch.read);
  const std::string_view expected(&mismatch.expected, 1);
  const bool conflict = mismatch.expected == '0' || mismatch.expected == '1';
  if (!conflict && mismatch.read == PinLevel::kX)
    return FormatText(simulation_messages::kMismatchUnknown,
                      {name, expected, UnknownText(mismatch.why)});
  return FormatText(conflict ? simulation_messages::kConflict : simulation_messages::kMismatch,
                    {name, expected, std::string_view(&read, 1)});
}

std::string LineText(const VectorDiagnostic& diagnostic) {
  return FormatText(simulation_messages::kLinePrefix,
                    {std::to_string(diagnostic.line), diagnostic.text});
}

std::string VectorCountText(int count) {
  return count == 1 ? std::string(simulation_messages::kOneVector)
                    : FormatText(simulation_messages::kVectorCount, {std::to_string(count)});
}

std::string SimulationTable(const TestVectors& vectors, const SimulationRun& run) {
  auto pad = [](std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
  };
  std::vector<std::size_t> widths;
  for (const std::string& name : vectors.names)
    widths.push_back(std::max<std::size_t>(name.size(), 2));
  // The line column is as wide as its title or the largest line number.
  std::size_t line_width = simulation_messages::kTableLine.size();
  for (const VectorStep& step : run.steps)
    line_width = std::max(line_width, std::to_string(step.line).size());
  std::string table = pad(std::string(simulation_messages::kTableLine), line_width + 1);
  for (std::size_t i = 0; i < vectors.names.size(); ++i)
    table += " " + pad(vectors.names[i], widths[i]);
  table += '\n';

  for (std::size_t s = 0; s < run.steps.size(); ++s) {
    const VectorStep& step = run.steps[s];
    const std::string& values = vectors.vectors[s].values;
    std::string number = std::to_string(step.line);
    std::string row = std::string(line_width - number.size(), ' ') + number + " ";
    for (std::size_t i = 0; i < values.size(); ++i) {
      const bool driven = values[i] == '0' || values[i] == '1' || values[i] == 'C';
      std::string cell(1, driven ? values[i] : LevelChar(step.pins[vectors.pins[i]]));
      for (const VectorStep::Mismatch& m : step.mismatches) {
        if (m.column == static_cast<int>(i)) cell += '!';
      }
      row += " " + pad(cell, widths[i]);
    }
    while (!row.empty() && row.back() == ' ') row.pop_back();
    for (const VectorStep::Mismatch& m : step.mismatches) row += "  " + MismatchText(vectors, m);
    table += row + '\n';
  }
  const int failed = run.FailedSteps();
  const int total = static_cast<int>(run.steps.size());
  const std::string count = VectorCountText(total);
  table += failed == 0 ? FormatText(simulation_messages::kPassed, {count})
                       : FormatText(simulation_messages::kFailed, {std::to_string(failed), count});
  table += '\n';
  return table;
}

std::vector<std::string> JedecVectorFields(const TestVectors& vectors,
                                           const DeviceSimulator& device) {
  std::string unnamed(device.pin_count(), 'X');
  for (int pin = 1; pin <= device.pin_count(); ++pin) {
    if (device.IsSupply(pin)) {
      unnamed[pin - 1] = 'N';
    } else if (device.CanBeDriven(pin) && !device.CanDrive(pin)) {
      unnamed[pin - 1] = '0';
    }
  }
  std::vector<std::string> fields;
  for (const TestVectors::Vector& vector : vectors.vectors) {
    std::string field = unnamed;
    for (std::size_t i = 0; i < vector.values.size(); ++i)
      field[vectors.pins[i] - 1] = vector.values[i];
    fields.push_back(std::move(field));
  }
  return fields;
}

}  // namespace kem
